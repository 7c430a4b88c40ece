#pragma once
// The Continuous-mode page as data: its controls in page pixels, their texts
// and the record fields they show and write. The rear camera's rows follow
// the record but stay hidden; the frame rate is one setting for both cameras.

#include "core/pages/mode_page_rows.h"
// The control ids are shared with the resource scripts, which live outside
// the source tree.
#include "resource_ids.h"

namespace pages::normal {

using namespace pages::rows;
using R = SettingsRecord;
using enum RowKind;
using enum Tick;

inline constexpr PageRow kRows[] = {
    // id, kind, x, y, width, text key, shown, binding
    {IDC_CONTINUOUS_RESOLUTION_TITLE, kTitle, 15, 20, 0, u"IDS_STRING120", kShown},
    {IDC_CONTINUOUS_FRONT_RESOLUTION_LABEL, kSubLabel, 25, 50, 0, u"IDS_STRING110", kShown},
    {IDC_CONTINUOUS_FRONT_RES_VGA, kRadio, 80, 43, 110, u"IDS_STRING129", kShown,
     Choice(&R::contFrontResolution, 1, kWhenEqual)},
    {IDC_CONTINUOUS_FRONT_RES_HD, kRadio, 210, 43, 110, u"IDS_STRING130", kShown,
     Choice(&R::contFrontResolution, 2, kOtherwise)},
    {IDC_CONTINUOUS_REAR_RESOLUTION_LABEL, kSubLabel, 25, 80, 0, u"IDS_STRING111", kHidden},
    {IDC_CONTINUOUS_REAR_RES_VGA, kRadio, 80, 73, 110, u"IDS_STRING129", kHidden,
     Choice(&R::contRearResolution, 1, kWhenEqual)},
    {IDC_CONTINUOUS_REAR_RES_HD, kRadio, 210, 73, 130, u"IDS_STRING130", kHidden,
     Choice(&R::contRearResolution, 2, kWhenEqual)},

    {IDC_CONTINUOUS_FRAME_RATE_TITLE, kTitle, 15, 100, 0, u"IDS_STRING121", kShown},
    {IDC_CONTINUOUS_FRONT_FRAME_RATE_LABEL, kSubLabel, 25, 130, 0, u"IDS_STRING110", kHidden},
    {IDC_CONTINUOUS_FRONT_FPS_10, kRadio, 25, 125, 110, u"IDS_STRING132", kHidden,
     FrameRate(&R::contFrontFrameRate, &R::contRearFrameRate, 1, kNever)},
    {IDC_CONTINUOUS_FRONT_FPS_15, kRadio, 25, 125, 110, u"IDS_STRING133", kShown,
     FrameRate(&R::contFrontFrameRate, &R::contRearFrameRate, 2, kWhenEqual)},
    {IDC_CONTINUOUS_FRONT_FPS_30, kRadio, 175, 125, 130, u"IDS_STRING134", kShown,
     FrameRate(&R::contFrontFrameRate, &R::contRearFrameRate, 3, kOtherwise)},
    {IDC_CONTINUOUS_REAR_FRAME_RATE_LABEL, kSubLabel, 25, 191, 0, u"IDS_STRING111", kHidden},
    {IDC_CONTINUOUS_REAR_FPS_10, kRadio, 80, 184, 110, u"IDS_STRING132", kHidden,
     Display(&R::contRearFrameRate, 1)},
    {IDC_CONTINUOUS_REAR_FPS_15, kRadio, 210, 184, 130, u"IDS_STRING133", kHidden,
     Display(&R::contRearFrameRate, 2)},
    {IDC_CONTINUOUS_REAR_FPS_30, kRadio, 340, 184, 130, u"IDS_STRING134", kHidden,
     Display(&R::contRearFrameRate, 3)},

    {IDC_CONTINUOUS_QUALITY_TITLE, kTitle, 15, 180, 0, u"IDS_STRING122", kShown},
    {IDC_CONTINUOUS_FRONT_QUALITY_LABEL, kSubLabel, 25, 210, 0, u"IDS_STRING110", kShown},
    {IDC_CONTINUOUS_FRONT_QUALITY_LOW, kRadio, 80, 205, 110, u"IDS_STRING123", kShown,
     Choice(&R::contFrontQuality, 1, kWhenEqual)},
    {IDC_CONTINUOUS_FRONT_QUALITY_MID, kRadio, 210, 205, 110, u"IDS_STRING124", kShown,
     Choice(&R::contFrontQuality, 2, kWhenEqual)},
    {IDC_CONTINUOUS_FRONT_QUALITY_HIGH, kRadio, 340, 205, 130, u"IDS_STRING125", kShown,
     Choice(&R::contFrontQuality, 3, kOtherwise)},
    {IDC_CONTINUOUS_REAR_QUALITY_LABEL, kSubLabel, 25, 272, 0, u"IDS_STRING111", kHidden},
    {IDC_CONTINUOUS_REAR_QUALITY_LOW, kRadio, 80, 265, 110, u"IDS_STRING123", kHidden,
     Choice(&R::contRearQuality, 1, kWhenEqual)},
    {IDC_CONTINUOUS_REAR_QUALITY_MID, kRadio, 210, 265, 110, u"IDS_STRING124", kHidden,
     Choice(&R::contRearQuality, 2, kWhenEqual)},
    {IDC_CONTINUOUS_REAR_QUALITY_HIGH, kRadio, 340, 265, 130, u"IDS_STRING125", kHidden,
     Choice(&R::contRearQuality, 3, kWhenEqual)},

    {IDC_CONTINUOUS_IMPACT_TITLE, kTitle, 15, 280, 0, u"IDS_STRING126", kShown},
    {IDC_CONTINUOUS_IMPACT_INSENSITIVE_LABEL, kCaption, 45, 320, 0, u"IDS_STRING127", kShown},
    {IDC_CONTINUOUS_IMPACT_SLIDER, kSlider, kRightOfPrevious, 320, 300, nullptr, kShown,
     Slider(&R::contImpactSensitivity, 1, 10)},
    {IDC_CONTINUOUS_IMPACT_SENSITIVE_LABEL, kCaption, kRightOfPrevious, 320, 0, u"IDS_STRING128",
     kShown},
};

inline constexpr SliderScale kScales[] = {
    {IDC_CONTINUOUS_IMPACT_SLIDER, kImpactScaleWidthLess, kImpactScaleDivisions, kImpactScaleMarks},
};

// The page does not scroll.
inline constexpr int kScrollMax = 0;

}  // namespace pages::normal

#pragma once
// The Parking-mode page as data: its controls in page pixels (the page is
// taller than the page area and scrolls), their texts and the record fields
// they show and write. As on the Continuous page, the rear camera's rows
// follow the record but stay hidden and the frame rate is one setting for
// both cameras.

#include "core/pages/mode_page_rows.h"
// The control ids are shared with the resource scripts, which live outside
// the source tree.
#include "resource_ids.h"

namespace pages::parking {

using namespace pages::rows;
using R = SettingsRecord;
using enum RowKind;
using enum Tick;
using enum SliderValueType;

inline constexpr PageRow kRows[] = {
    // id, kind, x, y, width, text key, shown, binding
    {IDC_PARKING_MODE_TITLE, kTitle, 15, 20, 0, u"IDS_STRING104", kShown},
    {IDC_PARKING_MODE_ON, kWideRadio, 25, 43, 0, u"IDS_STRING135", kShown,
     Choice(&R::parkingMode, 1, kWhenEqual)},
    // Switching parking mode off is confirmed first (the page's own code).
    {IDC_PARKING_MODE_OFF, kWideRadio, 25, 69, 0, u"IDS_STRING136", kShown,
     Choice(&R::parkingMode, 0, kOtherwise)},

    {IDC_PARKING_RESOLUTION_TITLE, kTitle, 15, 127, 0, u"IDS_STRING120", kShown},
    {IDC_PARKING_FRONT_RESOLUTION_LABEL, kSubLabel, 25, 157, 0, u"IDS_STRING110", kShown},
    {IDC_PARKING_FRONT_RES_VGA, kRadio, 80, 150, 110, u"IDS_STRING129", kShown,
     Choice(&R::parkFrontResolution, 1, kWhenEqual)},
    {IDC_PARKING_FRONT_RES_HD, kRadio, 210, 150, 110, u"IDS_STRING130", kShown,
     Choice(&R::parkFrontResolution, 2, kOtherwise)},
    {IDC_PARKING_FRONT_RES_FHD, kRadio, 340, 150, 130, u"IDS_STRING131", kHidden,
     Choice(&R::parkFrontResolution, 3, kNever)},
    {IDC_PARKING_REAR_RESOLUTION_LABEL, kSubLabel, 25, 187, 0, u"IDS_STRING111", kHidden},
    {IDC_PARKING_REAR_RES_VGA, kRadio, 80, 180, 110, u"IDS_STRING129", kHidden,
     Choice(&R::parkRearResolution, 1, kWhenEqual)},
    {IDC_PARKING_REAR_RES_HD, kRadio, 210, 180, 130, u"IDS_STRING130", kHidden,
     Choice(&R::parkRearResolution, 2, kWhenEqual)},

    {IDC_PARKING_FRAME_RATE_TITLE, kTitle, 15, 210, 0, u"IDS_STRING121", kShown},
    {IDC_PARKING_FRONT_FRAME_RATE_LABEL, kSubLabel, 25, 230, 0, u"IDS_STRING110", kHidden},
    {IDC_PARKING_FRONT_FPS_10, kRadio, 25, 240, 110, u"IDS_STRING132", kHidden,
     FrameRate(&R::parkFrontFrameRate, &R::parkRearFrameRate, 1, kNever)},
    {IDC_PARKING_FRONT_FPS_15, kRadio, 25, 240, 110, u"IDS_STRING133", kShown,
     FrameRate(&R::parkFrontFrameRate, &R::parkRearFrameRate, 2, kWhenEqual)},
    {IDC_PARKING_FRONT_FPS_30, kRadio, 175, 240, 130, u"IDS_STRING134", kShown,
     FrameRate(&R::parkFrontFrameRate, &R::parkRearFrameRate, 3, kOtherwise)},
    {IDC_PARKING_REAR_FRAME_RATE_LABEL, kSubLabel, 25, 191, 0, u"IDS_STRING111", kHidden},
    {IDC_PARKING_REAR_FPS_10, kRadio, 80, 184, 110, u"IDS_STRING132", kHidden,
     Display(&R::parkRearFrameRate, 1)},
    {IDC_PARKING_REAR_FPS_15, kRadio, 210, 184, 130, u"IDS_STRING133", kHidden,
     Display(&R::parkRearFrameRate, 2)},
    {IDC_PARKING_REAR_FPS_30, kRadio, 340, 184, 130, u"IDS_STRING134", kHidden,
     Display(&R::parkRearFrameRate, 3)},

    {IDC_PARKING_QUALITY_TITLE, kTitle, 15, 300, 0, u"IDS_STRING122", kShown},
    {IDC_PARKING_FRONT_QUALITY_LABEL, kSubLabel, 25, 320, 0, u"IDS_STRING110", kShown},
    {IDC_PARKING_FRONT_QUALITY_LOW, kRadio, 80, 320, 110, u"IDS_STRING123", kShown,
     Choice(&R::parkFrontQuality, 1, kWhenEqual)},
    {IDC_PARKING_FRONT_QUALITY_MID, kRadio, 210, 320, 110, u"IDS_STRING124", kShown,
     Choice(&R::parkFrontQuality, 2, kWhenEqual)},
    {IDC_PARKING_FRONT_QUALITY_HIGH, kRadio, 340, 320, 130, u"IDS_STRING125", kShown,
     Choice(&R::parkFrontQuality, 3, kOtherwise)},
    {IDC_PARKING_REAR_QUALITY_LABEL, kSubLabel, 25, 379, 0, u"IDS_STRING111", kHidden},
    {IDC_PARKING_REAR_QUALITY_LOW, kRadio, 80, 372, 110, u"IDS_STRING123", kHidden,
     Choice(&R::parkRearQuality, 1, kWhenEqual)},
    {IDC_PARKING_REAR_QUALITY_MID, kRadio, 210, 372, 110, u"IDS_STRING124", kHidden,
     Choice(&R::parkRearQuality, 2, kWhenEqual)},
    {IDC_PARKING_REAR_QUALITY_HIGH, kRadio, 340, 372, 130, u"IDS_STRING125", kHidden,
     Choice(&R::parkRearQuality, 3, kWhenEqual)},

    {IDC_PARKING_IMPACT_TITLE, kTitle, 15, 380, 0, u"IDS_STRING126", kShown},
    {IDC_PARKING_IMPACT_INSENSITIVE_LABEL, kCaption, 45, 430, 0, u"IDS_STRING127", kShown},
    {IDC_PARKING_IMPACT_SLIDER, kSlider, kRightOfPrevious, 430, 300, nullptr, kShown,
     Slider(&R::parkImpactSensitivity, 1, 10)},
    {IDC_PARKING_IMPACT_SENSITIVE_LABEL, kCaption, kRightOfPrevious, 430, 0, u"IDS_STRING128",
     kShown},

    {IDC_PARKING_MOTION_TITLE, kTitle, 15, 500, 0, u"IDS_STRING137", kShown},
    {IDC_PARKING_MOTION_ON, kWideRadio, 25, 530, 0, u"IDS_STRING115", kShown,
     Choice(&R::motionDetection, 1, kWhenEqual)},
    {IDC_PARKING_MOTION_OFF, kWideRadio, 25, 560, 0, u"IDS_STRING116", kShown,
     Choice(&R::motionDetection, 0, kOtherwise)},
    {IDC_PARKING_MOTION_INSENSITIVE_LABEL, kCaption, 100, 572, 0, u"IDS_STRING127", kShown},
    {IDC_PARKING_MOTION_SENSITIVITY_SLIDER, kSlider, kRightOfPrevious, 567, 300, nullptr, kShown,
     Slider(&R::motionSensitivity, 0, 2, kMotionSensitivity)},
    {IDC_PARKING_MOTION_SENSITIVE_LABEL, kCaption, kRightOfPrevious, 572, 0, u"IDS_STRING128",
     kShown},
    // The motion-area editor's opener and its label, and a spare radio pair
    // that writes nothing: all kept hidden.
    {IDC_PARKING_MOTION_AREA_LABEL, kInert, 0, 0, 0, nullptr, kHidden},
    {IDC_PARKING_MOTION_AREA_BUTTON, kInert, 0, 0, 0, nullptr, kHidden},
    {IDC_PARKING_SPARE_OPTION_1, kInert, 0, 0, 0, nullptr, kHidden},
    {IDC_PARKING_SPARE_OPTION_2, kInert, 0, 0, 0, nullptr, kHidden},

    {IDC_PARKING_TIMER_TITLE, kTitle, 15, 666, 0, u"IDS_STRING140", kShown},
    {IDC_PARKING_TIMER_LABEL, kCaption, 50, 706, 0, u"IDS_STRING141", kShown},
    {IDC_PARKING_TIMER_SLIDER, kSlider, kRightOfPrevious, 701, 400, nullptr, kShown,
     Slider(&R::stopTimerHours, 0, 6, kStopTimerHours), IDC_PARKING_TIMER_LABEL},

    {IDC_PARKING_VOLTAGE_TITLE, kTitle, 15, 798, 0, u"IDS_STRING142", kShown},
    {IDC_PARKING_VOLTAGE_12V_LABEL, kBoldCaption, 30, 842, 0, u"IDS_STRING143", kShown},
    {IDC_PARKING_VOLTAGE_12V_SLIDER, kSlider, kRightOfPrevious, 837, 300, nullptr, kShown,
     Slider(&R::stopVoltage12, 0, 7, kVoltage12), IDC_PARKING_VOLTAGE_12V_LABEL},
    {IDC_PARKING_VOLTAGE_24V_LABEL, kBoldCaption, 30, 897, 0, u"IDS_STRING144", kShown},
    {IDC_PARKING_VOLTAGE_24V_SLIDER, kSlider, kRightOfPrevious, 905, 300, nullptr, kShown,
     Slider(&R::stopVoltage24, 0, 7, kVoltage24), IDC_PARKING_VOLTAGE_24V_LABEL},
};

inline constexpr ScaleMark kMotionScaleMarks[] = {
    {u"LOW", 0, 10}, {u"MID", 1, 10}, {u"HIGH", 2, 10}};
inline constexpr ScaleMark kTimerScaleMarks[] = {{u"1", 0, 10}, {u"2", 1, 10},  {u"4", 2, 10},
                                                 {u"6", 3, 10}, {u"12", 4, 10}, {u"24", 5, 10},
                                                 {u"48", 6, 10}};
inline constexpr ScaleMark kVoltage12ScaleMarks[] = {
    {u"V", 0, -15}, {u"11.6", 0, 0}, {u"12", 4, -2}, {u"12.3", 7, -10}};
inline constexpr ScaleMark kVoltage24ScaleMarks[] = {
    {u"V", 0, -15}, {u"23.2", 0, 0}, {u"24", 4, -2}, {u"24.6", 7, -10}};

inline constexpr SliderScale kScales[] = {
    {IDC_PARKING_IMPACT_SLIDER, kImpactScaleWidthLess, kImpactScaleDivisions, kImpactScaleMarks},
    {IDC_PARKING_MOTION_SENSITIVITY_SLIDER, 25, 2, kMotionScaleMarks},
    {IDC_PARKING_TIMER_SLIDER, 25, 6, kTimerScaleMarks},
    {IDC_PARKING_VOLTAGE_12V_SLIDER, 10, 7, kVoltage12ScaleMarks},
    {IDC_PARKING_VOLTAGE_24V_SLIDER, 10, 7, kVoltage24ScaleMarks},
};

// How far the page scrolls: its content is 530 pixels taller than the page area.
inline constexpr int kScrollMax = 530;

}  // namespace pages::parking

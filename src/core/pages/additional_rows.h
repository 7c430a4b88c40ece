#pragma once
// The Additional-functions page as data: its controls in page pixels, their
// texts and the record fields they show and write, and the share rows under
// the memory-partition choice. Both front ends walk these tables.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/pages/partition_shares.h"
#include "core/settings/settings_record.h"
// The control ids are shared with the resource scripts, which live outside
// the source tree.
#include "resource_ids.h"

namespace pages::additional {

using Field = std::int32_t SettingsRecord::*;

// Every row sized by its text is at least its estimate from the character
// count (n characters), so the page looks the same whatever fonts the PC
// has; it is widened only where its text would otherwise be cut off.
enum class Kind {
  kTitle,        // section title: title font, as wide as its text (7n + 5 unmeasured) by 14
  kCheck,        // check box showing and writing its field: 6n + 20 by 25
  kFixedCheck,   // the same, always ticked and disabled (continuous recording always overwrites)
  kHiddenCheck,  // the same, hidden: its field still follows the record
  kRadio,        // radio: 6n + 20 by 25
  kLabel,        // 6n + 20 by 14
  kButton,       // push button: 6n + 20 by 25
};

// When the record ticks a radio.
enum class Tick {
  kWhenEqual,  // exactly when its field holds its value
  kOtherwise,  // when no other radio of its field matches (the group's catch-all)
};

struct Row {
  int id;
  Kind kind;
  int x;  // page pixels before scrolling
  int y;
  const char16_t* textKey;
  Field field = nullptr;  // the check box's or the radio group's field
  int value = 0;          // the value a radio stands for
  Tick tick = Tick::kWhenEqual;
  int picture = 0;  // a picture right of the radio (the LED's pattern), 0 for none
};

using R = SettingsRecord;

inline constexpr Row kRows[] = {
    {IDC_ADDITIONAL_OVERWRITE_TITLE, Kind::kTitle, 15, 20, u"IDS_STRING145"},
    {IDC_ADDITIONAL_OVERWRITE_CONTINUOUS, Kind::kFixedCheck, 25, 43, u"IDS_STRING166"},
    {IDC_ADDITIONAL_OVERWRITE_INCIDENT, Kind::kCheck, 25, 68, u"IDS_STRING147",
     &R::overwriteIncident},
    {IDC_ADDITIONAL_OVERWRITE_PARKING_MOTION, Kind::kCheck, 25, 93, u"IDS_STRING148",
     &R::overwriteParkingMotion},
    {IDC_ADDITIONAL_OVERWRITE_PARKING_INCIDENT, Kind::kCheck, 25, 118, u"IDS_STRING149",
     &R::overwriteParkingIncident},
    {IDC_ADDITIONAL_OVERWRITE_MANUAL, Kind::kCheck, 25, 143, u"IDS_STRING150", &R::overwriteManual},
    {IDC_ADDITIONAL_OVERWRITE_STILLS, Kind::kHiddenCheck, 25, 168, u"IDS_STRING146",
     &R::overwriteStills},

    {IDC_ADDITIONAL_LED_TITLE, Kind::kTitle, 15, 201, u"IDS_STRING155"},
    {IDC_ADDITIONAL_LED_MODE_1, Kind::kRadio, 25, 224, u"IDS_STRING151", &R::securityLed, 1,
     Tick::kWhenEqual, 172},
    {IDC_ADDITIONAL_LED_MODE_1_LABEL, Kind::kLabel, 355, 231, u"IDS_STRING168"},
    {IDC_ADDITIONAL_LED_MODE_2, Kind::kRadio, 25, 249, u"IDS_STRING152", &R::securityLed, 2,
     Tick::kWhenEqual, 173},
    {IDC_ADDITIONAL_LED_MODE_2_LABEL, Kind::kLabel, 355, 256, u"IDS_STRING169"},
    {IDC_ADDITIONAL_LED_MODE_3, Kind::kRadio, 25, 274, u"IDS_STRING153", &R::securityLed, 3},
    {IDC_ADDITIONAL_LED_MODE_3_LABEL, Kind::kLabel, 110, 282, u"IDS_STRING170"},
    {IDC_ADDITIONAL_LED_OFF, Kind::kRadio, 25, 299, u"IDS_STRING154", &R::securityLed, 0},

    {IDC_ADDITIONAL_PARTITION_TITLE, Kind::kTitle, 15, 357, u"IDS_STRING156"},
    {IDC_ADDITIONAL_PARTITION_A, Kind::kRadio, 25, 380, u"IDS_STRING157", &R::memoryPartition, 1,
     Tick::kOtherwise},
    {IDC_ADDITIONAL_PARTITION_B, Kind::kRadio, 177, 380, u"IDS_STRING158", &R::memoryPartition, 2},
    {IDC_ADDITIONAL_PARTITION_C, Kind::kRadio, 309, 380, u"IDS_STRING159", &R::memoryPartition, 3},

    {IDC_ADDITIONAL_FORMAT_TITLE, Kind::kTitle, 15, 588, u"IDS_STRING160"},
    {IDC_ADDITIONAL_FORMAT_BUTTON, Kind::kButton, 25, 611, u"IDS_STRING161"},
};

// One row per kind of recording under the partition radios: a label, its
// percentage in a common column and its bar.
struct ShareRow {
  int labelId;
  int percentId;
  const char16_t* textKey;
  int labelWidthExtra;  // the label is 6n + this wide
};

inline constexpr int kShareTop = 418;
inline constexpr int kShareLabelX = 25;
inline constexpr int kShareRowPitch = 30;

inline constexpr ShareRow kShareRows[partition::kShareKinds] = {
    {IDC_ADDITIONAL_SHARE_CONTINUOUS_LABEL, IDC_ADDITIONAL_SHARE_CONTINUOUS_PERCENT,
     u"IDS_STRING171", 20},
    {IDC_ADDITIONAL_SHARE_INCIDENT_LABEL, IDC_ADDITIONAL_SHARE_INCIDENT_PERCENT, u"IDS_STRING172",
     5},
    {IDC_ADDITIONAL_SHARE_PARKING_MOTION_LABEL, IDC_ADDITIONAL_SHARE_PARKING_MOTION_PERCENT,
     u"IDS_STRING173", 20},
    {IDC_ADDITIONAL_SHARE_PARKING_INCIDENT_LABEL, IDC_ADDITIONAL_SHARE_PARKING_INCIDENT_PERCENT,
     u"IDS_STRING174", 5},
    {IDC_ADDITIONAL_SHARE_MANUAL_LABEL, IDC_ADDITIONAL_SHARE_MANUAL_PERCENT, u"IDS_STRING175", 20},
};

bool IsCheck(Kind kind);

// The row of control `id`, or nullptr.
const Row* FindRow(int id);

// Whether the record ticks the check box or radio of `row` (which has a field).
bool ShownTick(const Row& row, const SettingsRecord& record);

// What a screen reader calls the control of `row`: the title of its
// section and its text (pages/accessible_name.h). Empty for a label,
// whose text is its name.
std::u16string AccessibleName(const Row& row,
                              const std::function<std::u16string(std::u16string_view)>& lookup);

// The user ticked radio `row`, or set check box `row` to `checked`: stores
// the value where the row's field is; rows without a field store nothing.
void ApplyClick(const Row& row, bool checked, SettingsRecord& record);

}  // namespace pages::additional

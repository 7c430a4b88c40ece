#pragma once
// Which record field each radio pair and slider of the Common page shows
// and writes. Every pair stores 1 for its "on" radio and 0 for its "off"
// radio the moment the user clicks.

#include <cstdint>
#include <span>

#include "resource_ids.h"
#include "core/settings/settings_record.h"

namespace pages::common {

struct RadioPair {
  int onId;   // writes 1
  int offId;  // writes 0
  std::int32_t SettingsRecord::*field;
  // How a stored value is shown: the on radio for exactly 1 (any other
  // value shows off), or for any value but 0.
  bool onOnlyForOne;
  // Showing the record clicks the ticked radio on the user's behalf, so the
  // controls that depend on the pair follow it (and the field becomes 0 or 1).
  bool clickWhenShown;
  // Controls enabled by the on radio and disabled by the off radio.
  std::span<const int> dependents;
};

inline constexpr int kVoiceRecordingDependents[] = {IDC_COMMON_VOICE_LEVEL_SLIDER};
inline constexpr int kVoiceGuidanceDependents[] = {
    IDC_COMMON_VOLUME_SLIDER, IDC_COMMON_SAFE_DRIVING_ON, IDC_COMMON_SAFE_DRIVING_OFF};

// In the order the record is shown.
inline constexpr RadioPair kRadioPairs[] = {
    {IDC_COMMON_VOICE_RECORDING_ON, IDC_COMMON_VOICE_RECORDING_OFF, &SettingsRecord::voiceRecording,
     true, true, kVoiceRecordingDependents},
    {IDC_COMMON_VOICE_GUIDANCE_ON, IDC_COMMON_VOICE_GUIDANCE_OFF, &SettingsRecord::voiceGuidance,
     true, true, kVoiceGuidanceDependents},
    {IDC_COMMON_SAFE_DRIVING_ON,
     IDC_COMMON_SAFE_DRIVING_OFF,
     &SettingsRecord::safeDrivingVoice,
     true,
     false,
     {}},
    {IDC_COMMON_DATE_FORMAT_MDY,
     IDC_COMMON_DATE_FORMAT_YMD,
     &SettingsRecord::dateFormat,
     false,
     false,
     {}},
    {IDC_COMMON_SPEED_MPH, IDC_COMMON_SPEED_KMH, &SettingsRecord::speedUnit, false, false, {}},
    {IDC_COMMON_LANGUAGE_FRENCH,
     IDC_COMMON_LANGUAGE_ENGLISH,
     &SettingsRecord::language,
     false,
     false,
     {}},
    {IDC_COMMON_DST_ON, IDC_COMMON_DST_OFF, &SettingsRecord::daylightSaving, false, false, {}},
};

struct SliderBinding {
  int id;
  std::int32_t SettingsRecord::*field;  // the slider position as stored
  // The range set on the slider; the hidden sliders keep their template's.
  bool setsRange;
  int low;
  int high;
};

inline constexpr SliderBinding kSliders[] = {
    {IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, &SettingsRecord::frontBrightness, true, 0, 2},
    {IDC_COMMON_REAR_BRIGHTNESS_SLIDER, &SettingsRecord::rearBrightness, false, 0, 0},
    {IDC_COMMON_VOICE_LEVEL_SLIDER, &SettingsRecord::voiceRecordingLevel, false, 0, 0},
    {IDC_COMMON_VOLUME_SLIDER, &SettingsRecord::volume, true, 1, 6},
};

// The pair that control `id` belongs to, or nullptr.
const RadioPair* FindRadioPair(int id);

// The radio of `pair` that shows the record's value.
int TickedRadio(const RadioPair& pair, const SettingsRecord& record);

// Whether Save writes the field that `pair`, or the time-zone list,
// shows. An older camera's shorter file keeps its length, so the controls
// of the fields it lacks are shown disabled: the screen never promises
// what the card will not get.
bool IsSaved(const RadioPair& pair, const SettingsRecord& record);
bool IsZoneSaved(const SettingsRecord& record);

}  // namespace pages::common

#include <cstdint>
#include <cstring>
#include <string_view>

#include "core/settings/settings_file.h"

namespace {

struct IntDefault {
  std::int32_t SettingsRecord::*field;
  std::int32_t value;
};

// Factory values. Fields missing here (checkSum, configVersion,
// rearBrightness, voiceRecordingLevel, the motion areas, the reserved words)
// keep what the camera wrote, so Initialize never loses them.
constexpr IntDefault kIntDefaults[] = {
    {&SettingsRecord::contFrontResolution, 2},
    {&SettingsRecord::contFrontFrameRate, 3},
    {&SettingsRecord::contFrontQuality, 3},
    {&SettingsRecord::frontBrightness, 1},
    {&SettingsRecord::contRearResolution, 0},
    {&SettingsRecord::contRearFrameRate, 0},
    {&SettingsRecord::contRearQuality, 0},
    {&SettingsRecord::voiceRecording, 1},
    {&SettingsRecord::voiceGuidance, 1},
    {&SettingsRecord::volume, 3},
    {&SettingsRecord::safeDrivingVoice, 0},
    {&SettingsRecord::contImpactSensitivity, 7},
    {&SettingsRecord::overwriteIncident, 1},
    {&SettingsRecord::overwriteParkingMotion, 1},
    {&SettingsRecord::overwriteParkingIncident, 1},
    {&SettingsRecord::overwriteManual, 1},
    {&SettingsRecord::overwriteStills, 1},
    {&SettingsRecord::parkFrontResolution, 2},
    {&SettingsRecord::parkFrontFrameRate, 3},
    {&SettingsRecord::parkFrontQuality, 3},
    {&SettingsRecord::parkRearResolution, 0},
    {&SettingsRecord::parkRearFrameRate, 0},
    {&SettingsRecord::parkRearQuality, 0},
    {&SettingsRecord::parkImpactSensitivity, 7},
    {&SettingsRecord::parkingMode, 0},
    {&SettingsRecord::motionDetection, 1},
    {&SettingsRecord::motionSensitivity, 3},
    {&SettingsRecord::stopTimerHours, 48},
    {&SettingsRecord::stopVoltage12, 6},
    {&SettingsRecord::stopVoltage24, 6},
    {&SettingsRecord::memoryPartition, 1},
    {&SettingsRecord::securityLed, 0},
    {&SettingsRecord::timeZoneOffset, -480},
    {&SettingsRecord::daylightSaving, 1},
    {&SettingsRecord::dateFormat, 0},
    {&SettingsRecord::speedUnit, 0},
    {&SettingsRecord::language, 0},
};

// Clears a NUL-padded text field and puts ASCII text at its start.
template <std::size_t N>
void SetText(char (&field)[N], std::string_view ascii) {
  static_assert(N > 0);
  std::memset(field, 0, N);
  std::memcpy(field, ascii.data(), ascii.size() < N ? ascii.size() : N);
}

}  // namespace

void SettingsFile::LoadDefaults(SettingsRecord& record) {
  SetText(record.productName, "R470");
  SetText(record.settingProgramPath, "SETTING\\R470_Setting.exe");
  SetText(record.timeZoneName, "Pacific Standard Time");
  for (const IntDefault& entry : kIntDefaults) record.*entry.field = entry.value;
}

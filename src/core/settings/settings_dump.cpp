#include "core/settings/settings_dump.h"

#include <cstdint>
#include <string_view>

#include "core/diag/diagnostics.h"
#include "core/settings/line_format.h"

namespace settings {
namespace {

using Field = std::int32_t SettingsRecord::*;

struct DumpLine {
  std::u16string_view format;
  Field first = nullptr;
  Field second = nullptr;
};

// The texts, spelling included, are what the camera's tools have always
// printed; keep them as they are.
constexpr DumpLine kDumpLines[] = {
    {u"Common -----------------------------------------------------------------\n"},
    {u"Front Camera Brightness  [0~2] = %d\n", &SettingsRecord::frontBrightness},
    {u"Voice recording Enable [0/1] = %d\n", &SettingsRecord::voiceRecording},
    {u"Voice guguidence Enable[0/1] = %d,  Volume [1~6] = %d\n", &SettingsRecord::voiceGuidance,
     &SettingsRecord::volume},
    {u"Safe Helper Voice (Domestic only) Enable [0/1] = %d\n", &SettingsRecord::safeDrivingVoice},
    {u"Time Zone  Offset = %d\n", &SettingsRecord::timeZoneOffset},
    {u"Date Format  [0/1] = %d\n", &SettingsRecord::dateFormat},
    {u"Speed Unit  [0/1] = %d\n", &SettingsRecord::speedUnit},
    {u"Continous  ---------------------------------------------------------------\n"},
    {u"Front Camera Resolution [1~3] = %d\n", &SettingsRecord::contFrontResolution},
    {u"Front Frame [1~3] = %d\n", &SettingsRecord::contFrontFrameRate},
    {u"Front Vidoe Quality  [1~3] = %d\n", &SettingsRecord::contFrontQuality},
    {u"Impact Sensitivity [1~10] = %d\n", &SettingsRecord::contImpactSensitivity},
    {u"Surveillance ---------------------------------------------------------------\n"},
    {u"Surveillance Enable [0/1] = %d\n", &SettingsRecord::parkingMode},
    {u"Front Camera Resolution [1~3] = %d\n", &SettingsRecord::parkFrontResolution},
    {u"Front Frame [1~3] = %d\n", &SettingsRecord::parkFrontFrameRate},
    {u"Front Vidoe Quality  [1~3] = %d\n", &SettingsRecord::parkFrontQuality},
    {u"Impact Sensitivity [1~10] = %d\n", &SettingsRecord::parkImpactSensitivity},
    {u"Motion Detect  Enabe[0/1] = %d, Sensitivity [1,3,5] = %d\n",
     &SettingsRecord::motionDetection, &SettingsRecord::motionSensitivity},
    {u" Timer setting for stop recording   [1~48] = %d \n", &SettingsRecord::stopTimerHours},
    {u" Voltage setting for stop recording   [11.6(0) ~12.3(7)] = %d, [23.2(0) ~24.6(7)] = %d \n",
     &SettingsRecord::stopVoltage12, &SettingsRecord::stopVoltage24},
    {u"Additional -----------------------------------------------------------------\n"},
    {u"Event Recording [0/1] = %d\n", &SettingsRecord::overwriteIncident},
    {u"Motion Detecton [0/1] = %d\n", &SettingsRecord::overwriteParkingMotion},
    {u"Event Recording(park) [0/1] = %d\n", &SettingsRecord::overwriteParkingIncident},
    {u"Manual Recording [0/1] = %d\n", &SettingsRecord::overwriteManual},
    {u"Security LED [0~3] = %d\n", &SettingsRecord::securityLed},
    {u"Memory Partition [1~3] = %d\n", &SettingsRecord::memoryPartition},
    {u"-----------------------------------------------------------------------------\n"},
};

std::int32_t ValueOf(const SettingsRecord& record, Field field) {
  return field != nullptr ? record.*field : 0;
}

}  // namespace

void WriteSettingsDump(const SettingsRecord& record) {
  for (const DumpLine& line : kDumpLines) {
    diag::Write(
        FormatLine(line.format, {ValueOf(record, line.first), ValueOf(record, line.second)}));
  }
}

}  // namespace settings

#pragma once
// The settings as diagnostic lines, one per setting, written after a save so
// a debugger shows what went onto the card. Rear-camera fields, the motion
// areas, the time-zone name and a few others are not part of it.

#include "core/settings/settings_record.h"

namespace settings {

void WriteSettingsDump(const SettingsRecord& record);

}  // namespace settings

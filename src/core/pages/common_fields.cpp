#include "core/pages/common_fields.h"

#include <algorithm>
#include <cstddef>

namespace pages::common {

const RadioPair* FindRadioPair(int id) {
  const auto* found =
      std::find_if(std::begin(kRadioPairs), std::end(kRadioPairs),
                   [id](const RadioPair& pair) { return pair.onId == id || pair.offId == id; });
  return found == std::end(kRadioPairs) ? nullptr : found;
}

int TickedRadio(const RadioPair& pair, const SettingsRecord& record) {
  const std::int32_t value = record.*pair.field;
  const bool on = pair.onOnlyForOne ? value == 1 : value != 0;
  return on ? pair.onId : pair.offId;
}

bool IsSaved(const RadioPair& pair, const SettingsRecord& record) {
  const auto* base = reinterpret_cast<const char*>(&record);
  const auto* field = reinterpret_cast<const char*>(&(record.*pair.field));
  return settings::IsSaved(record, static_cast<std::size_t>(field - base), sizeof(std::int32_t));
}

bool IsZoneSaved(const SettingsRecord& record) {
  return settings::IsSaved(record, offsetof(SettingsRecord, timeZoneOffset),
                           sizeof record.timeZoneOffset) &&
         settings::IsSaved(record, offsetof(SettingsRecord, timeZoneName),
                           sizeof record.timeZoneName);
}

}  // namespace pages::common

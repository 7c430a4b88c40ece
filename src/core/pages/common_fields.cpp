#include "core/pages/common_fields.h"

#include <algorithm>

namespace pages::common {

const RadioPair* FindRadioPair(int id) {
  const auto* found = std::ranges::find_if(
      kRadioPairs, [id](const RadioPair& pair) { return pair.onId == id || pair.offId == id; });
  return found == std::end(kRadioPairs) ? nullptr : found;
}

int TickedRadio(const RadioPair& pair, const SettingsRecord& record) {
  const std::int32_t value = record.*pair.field;
  const bool on = pair.onOnlyForOne ? value == 1 : value != 0;
  return on ? pair.onId : pair.offId;
}

}  // namespace pages::common

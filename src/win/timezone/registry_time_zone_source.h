#pragma once
// The catalogue's zones as the PC's Windows time-zone database holds them:
// the subkeys of the "Time Zones" key under HKEY_LOCAL_MACHINE and their
// values, opened for reading only.

#include "core/timezone/time_zone_source.h"

namespace tz {

class RegistryTimeZoneSource : public TimeZoneSource {
 public:
  std::vector<std::u16string> ZoneKeyNames() const override;
  std::vector<ZoneValue> ZoneValues(std::u16string_view keyName) const override;
};

}  // namespace tz

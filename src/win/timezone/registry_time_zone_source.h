#pragma once
// The catalogue's zones as the PC's Windows time-zone database holds them:
// the subkeys of the "Time Zones" key under HKEY_LOCAL_MACHINE and their
// values, opened for reading only.

#include "core/timezone/time_zone_source.h"
#include "win/platform/reg_key.h"

namespace tz {

class RegistryTimeZoneSource : public TimeZoneSource {
 public:
  // Opens the "Time Zones" key for as long as the source lives; a key that
  // cannot be opened gives no zones.
  RegistryTimeZoneSource();

  std::vector<std::u16string> ZoneKeyNames() const override;
  std::vector<ZoneValue> ZoneValues(std::u16string_view keyName) const override;

 private:
  RegKey zones_;
};

}  // namespace tz

#pragma once
// Windows' time zones for a browser, which has no registry to read them
// from: the copy in src/web/zones, taken from Windows' data, served as the
// registry would serve it, and the PC's own zone found from the browser's.

#include <string_view>

#include "core/timezone/time_zone_info_manager.h"
#include "core/timezone/time_zone_source.h"

namespace web {

class ZoneTable : public tz::TimeZoneSource {
 public:
  std::vector<std::u16string> ZoneKeyNames() const override;
  std::vector<tz::ZoneValue> ZoneValues(std::u16string_view keyName) const override;
};

// The Windows zone of a browser whose zone is `ianaName` (Europe/Paris), as
// Windows would report it; an empty zone, which no catalogue entry matches,
// when the name maps to no zone of the table.
tz::PcTimeZone PcZoneOf(std::string_view ianaName);

}  // namespace web

#pragma once
// The PC's current Windows time zone, as the catalogue matches it.

#include "core/timezone/time_zone_info_manager.h"

namespace tz {

// From GetDynamicTimeZoneInformation: the Bias negated (minutes east of
// UTC), the StandardBias, the StandardName and the key name; and the
// display name that the time-zone database gives that key.
PcTimeZone ReadPcTimeZone();

}  // namespace tz

#pragma once
// The PC's current Windows time zone, as the catalogue matches it.

#include "core/timezone/time_zone_info_manager.h"

namespace tz {

// From GetTimeZoneInformation: the Bias negated (minutes east of UTC), the
// StandardBias and the StandardName.
PcTimeZone ReadPcTimeZone();

}  // namespace tz

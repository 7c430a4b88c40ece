#include "win/timezone/pc_time_zone.h"

#include <windows.h>

#include <cwchar>
#include <iterator>

#include "win/platform/wide.h"

namespace tz {

PcTimeZone ReadPcTimeZone() {
  TIME_ZONE_INFORMATION info{};
  GetTimeZoneInformation(&info);
  // StandardName need not be terminated when it fills its 32 characters.
  const std::wstring_view name(info.StandardName,
                               wcsnlen(info.StandardName, std::size(info.StandardName)));
  return {-info.Bias, info.StandardBias, ToU16(name)};
}

}  // namespace tz

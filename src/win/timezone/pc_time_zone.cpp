#include "win/timezone/pc_time_zone.h"

#include <windows.h>

#include <cwchar>

#include "core/timezone/zone_values.h"
#include "win/platform/wide.h"
#include "win/timezone/registry_time_zone_source.h"

namespace tz {
namespace {

// The text fields need not be terminated when they fill their array.
template <std::size_t N>
std::u16string FieldText(const wchar_t (&field)[N]) {
  return ToU16(std::wstring_view(field, wcsnlen(field, N)));
}

// The zone's display name from the database, where the list's entries
// get theirs; empty when the database has no such zone.
std::u16string DisplayName(const std::u16string& keyName) {
  if (keyName.empty()) return {};
  CRegTimeZoneInfo zone;
  for (const ZoneValue& value : RegistryTimeZoneSource().ZoneValues(keyName)) {
    ApplyZoneValue(zone, value.name, value.data);
  }
  return zone.displayName;
}

}  // namespace

PcTimeZone ReadPcTimeZone() {
  DYNAMIC_TIME_ZONE_INFORMATION info{};
  GetDynamicTimeZoneInformation(&info);
  PcTimeZone pc{-info.Bias,
                info.StandardBias,
                FieldText(info.StandardName),
                FieldText(info.TimeZoneKeyName),
                {}};
  pc.displayName = DisplayName(pc.keyName);
  return pc;
}

}  // namespace tz

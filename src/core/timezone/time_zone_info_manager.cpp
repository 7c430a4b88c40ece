#include "core/timezone/time_zone_info_manager.h"

#include <algorithm>

#include "core/diag/diagnostics.h"
#include "core/text/u16.h"
#include "core/timezone/zone_exclusion.h"
#include "core/timezone/zone_values.h"

namespace {

constexpr std::size_t kComparedStandardNameChars = 64;

// East to west; zones at one offset by standard name, compared by UTF-16
// code unit (upper case before lower case, no locale).
bool EastOf(const CRegTimeZoneInfo& a, const CRegTimeZoneInfo& b) {
  if (a.bias != b.bias) return a.bias > b.bias;
  return a.standardName < b.standardName;
}

CRegTimeZoneInfo ReadZone(const tz::TimeZoneSource& source, const std::u16string& keyName) {
  CRegTimeZoneInfo zone;
  for (const tz::ZoneValue& value : source.ZoneValues(keyName)) {
    tz::ApplyZoneValue(zone, value.name, value.data);
  }
  zone.keyName = keyName.substr(0, kKeyNameChars - 1);
  return zone;
}

void WriteZoneLine(std::size_t index, const CRegTimeZoneInfo& zone) {
  std::u16string line(u"\t");
  line.append(text::Dec(static_cast<long long>(index)))
      .append(u"\t[")
      .append(zone.keyName)
      .append(u"]\t[")
      .append(zone.displayName)
      .append(u"]\tBias[")
      .append(text::Dec(zone.bias))
      .append(u"]\tDaylightBias[")
      .append(text::Dec(zone.daylightBias))
      .append(u"]\n");
  diag::Write(line);
}

}  // namespace

CTimeZoneInfoManager::CTimeZoneInfoManager(const tz::TimeZoneSource& source) {
  std::vector<std::u16string> keyNames = source.ZoneKeyNames();
  tz::RemoveExcludedZoneNames(keyNames);
  zones_.reserve(keyNames.size());
  for (std::size_t i = 0; i < keyNames.size(); ++i) {
    zones_.push_back(ReadZone(source, keyNames[i]));
    // The line carries the enumeration index, not the sorted one.
    WriteZoneLine(i, zones_.back());
  }
  std::stable_sort(zones_.begin(), zones_.end(), EastOf);
}

int CTimeZoneInfoManager::GetCount() const {
  return static_cast<int>(zones_.size());
}

const CRegTimeZoneInfo& CTimeZoneInfoManager::GetAt(int index) const {
  return zones_.at(static_cast<std::size_t>(index));
}

int CTimeZoneInfoManager::FindZone(std::u16string_view name, int32_t bias) const {
  auto found = std::find_if(zones_.begin(), zones_.end(), [&](const CRegTimeZoneInfo& zone) {
    return zone.bias == bias && (name.empty() || zone.keyName == name);
  });
  return found == zones_.end() ? -1 : static_cast<int>(found - zones_.begin());
}

int CTimeZoneInfoManager::FindCurrentZone(const tz::PcTimeZone& pc) const {
  const std::u16string_view pcName =
      std::u16string_view(pc.standardName).substr(0, kComparedStandardNameChars);
  auto found = std::find_if(zones_.begin(), zones_.end(), [&](const CRegTimeZoneInfo& zone) {
    return zone.bias == pc.bias && zone.standardBias == pc.standardBias &&
           std::u16string_view(zone.standardName).substr(0, kComparedStandardNameChars) == pcName;
  });
  return found == zones_.end() ? -1 : static_cast<int>(found - zones_.begin());
}

#pragma once
// The catalogue of time zones offered for the camera: the PC's Windows time
// zones minus the excluded ones, sorted from farthest east to farthest west.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/timezone/reg_time_zone_info.h"
#include "core/timezone/time_zone_source.h"

namespace tz {

// What the PC reports as its current zone, in the catalogue's terms: `bias`
// in minutes east of UTC (the Windows Bias negated), `standardBias` as
// Windows gives it, the standard-time name, and the zone's key name and
// display name in the PC's database (empty when it has none).
struct PcTimeZone {
  int32_t bias = 0;
  int32_t standardBias = 0;
  std::u16string standardName;
  std::u16string keyName;
  std::u16string displayName;
};

}  // namespace tz

class CTimeZoneInfoManager {
 public:
  // Reads every zone of `source` once; writes one diagnostic line per zone.
  // Whatever could be read is in the catalogue, possibly nothing.
  explicit CTimeZoneInfoManager(const tz::TimeZoneSource& source);

  int GetCount() const;
  // The zone at `index` of the sorted list; throws std::out_of_range when
  // the index is not below GetCount().
  const CRegTimeZoneInfo& GetAt(int index) const;

  // Index of the zone matching a stored zone, or -1. An empty `name`
  // matches the first zone with that `bias`; otherwise both the key name
  // (exact) and the bias (minutes east of UTC) must match.
  int FindZone(std::u16string_view name, int32_t bias) const;

  // Index of the first zone with the PC's bias, standard bias and standard
  // name (compared in its first 64 units), or -1 when none matches.
  int FindCurrentZone(const tz::PcTimeZone& pc) const;

 private:
  std::vector<CRegTimeZoneInfo> zones_;
};

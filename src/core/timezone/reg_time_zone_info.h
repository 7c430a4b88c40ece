#pragma once
// One Windows time zone as the catalogue keeps it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

// Widths of the text fields in UTF-16 units, terminator included: a field
// holds at most one unit less.
inline constexpr std::size_t kKeyNameChars = 255;
inline constexpr std::size_t kDisplayNameChars = 510;
inline constexpr std::size_t kStandardNameChars = 255;

struct CRegTimeZoneInfo {
  // The registry subkey name, e.g. "Pacific Standard Time": the zone's
  // identity, stored in the settings record.
  std::u16string keyName;
  // The "Display" value: the text shown in the zone list.
  std::u16string displayName;
  // The "Std" value: the standard-time name, used to sort and to recognise
  // the PC's own zone.
  std::u16string standardName;

  // From the 44-byte "TZI" value. bias is minutes east of UTC (the registry's
  // Bias negated: Pacific time is -480); standardBias is as stored;
  // daylightBias is the registry's DaylightBias negated, the minutes that
  // daylight saving time adds (60 for a one-hour shift).
  int32_t bias = 0;
  int32_t standardBias = 0;
  int32_t daylightBias = 0;
  // Windows SYSTEMTIME fields as stored (year, month, day of week, day, hour,
  // minute, second, milliseconds); nothing reads them.
  std::array<uint16_t, 8> standardDate{};
  std::array<uint16_t, 8> daylightDate{};
};

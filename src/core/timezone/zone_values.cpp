#include "core/timezone/zone_values.h"

#include <algorithm>
#include <array>

#include "core/text/u16.h"

namespace tz {
namespace {

using TziBytes = std::array<std::byte, kTziQueryBytes>;

uint32_t ReadLe(const TziBytes& tzi, std::size_t offset, std::size_t width) {
  uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value |= static_cast<uint32_t>(tzi[offset + i]) << (8 * i);
  }
  return value;
}

// Negation that stays defined for INT32_MIN, which a damaged value may hold.
int32_t Negated(uint32_t raw) {
  return static_cast<int32_t>(0u - raw);
}

void ReadSystemTime(const TziBytes& tzi, std::size_t offset, std::array<uint16_t, 8>& out) {
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i] = static_cast<uint16_t>(ReadLe(tzi, offset + 2 * i, 2));
  }
}

void ApplyTzi(CRegTimeZoneInfo& zone, std::span<const std::byte> data) {
  TziBytes tzi{};
  std::copy_n(data.begin(), std::min(data.size(), tzi.size()), tzi.begin());
  zone.bias = Negated(ReadLe(tzi, 0, 4));
  zone.standardBias = static_cast<int32_t>(ReadLe(tzi, 4, 4));
  zone.daylightBias = Negated(ReadLe(tzi, 8, 4));
  ReadSystemTime(tzi, 12, zone.standardDate);
  ReadSystemTime(tzi, 28, zone.daylightDate);
}

// Registry strings need not end in a NUL; whole units up to the first NUL,
// and no more than the field holds besides its terminator.
std::u16string DecodeString(std::span<const std::byte> data, std::size_t fieldChars) {
  std::u16string out;
  for (std::size_t i = 0; i + 1 < data.size() && out.size() < fieldChars - 1; i += 2) {
    auto unit = static_cast<char16_t>(static_cast<unsigned>(data[i]) |
                                      (static_cast<unsigned>(data[i + 1]) << 8));
    if (unit == u'\0') break;
    out.push_back(unit);
  }
  return out;
}

}  // namespace

void ApplyZoneValue(CRegTimeZoneInfo& zone, std::u16string_view valueName,
                    std::span<const std::byte> data) {
  if (text::EqualsIgnoringAsciiCase(valueName, u"TZI")) {
    if (data.size() <= kTziQueryBytes) ApplyTzi(zone, data);
    return;
  }
  if (data.size() > kStringQueryBytes) return;
  if (text::EqualsIgnoringAsciiCase(valueName, u"Display")) {
    zone.displayName = DecodeString(data, kDisplayNameChars);
  } else if (text::EqualsIgnoringAsciiCase(valueName, u"Std")) {
    zone.standardName = DecodeString(data, kStandardNameChars);
  }
}

}  // namespace tz

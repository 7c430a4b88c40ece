#pragma once
// Fills a zone record from the values of its registry subkey.

#include <cstddef>
#include <span>
#include <string_view>

#include "core/timezone/reg_time_zone_info.h"

namespace tz {

// The values are read into buffers of these sizes; a longer value does not
// fit, so its read fails and its field stays as it was.
inline constexpr std::size_t kTziQueryBytes = 44;
inline constexpr std::size_t kStringQueryBytes = 512;

// Applies one value of a zone's subkey to `zone`. "Display" and "Std"
// (UTF-16LE, cut at the first NUL and to the field's width) and "TZI" (the
// little-endian TIME_ZONE_INFORMATION core; a shorter one fills what it
// covers) are taken, names compared ignoring case; every other value is
// ignored.
void ApplyZoneValue(CRegTimeZoneInfo& zone, std::u16string_view valueName,
                    std::span<const std::byte> data);

}  // namespace tz

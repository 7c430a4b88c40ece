#pragma once
// The "(UTC+hh:mm)" label with which a zone's display name begins.

#include <cstdint>
#include <string>

namespace tz {

// The label of an offset in minutes east of UTC, written as the display
// names write theirs: "(UTC+09:00)", "(UTC-03:30)", "(UTC+00:00)".
std::u16string UtcOffsetLabel(std::int32_t minutesEast);

}  // namespace tz

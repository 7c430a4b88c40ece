#pragma once
// The "(UTC+hh:mm)" label with which a zone's display name begins.

#include <cstdint>
#include <string>
#include <string_view>

namespace tz {

// The label of an offset in minutes east of UTC, written as the display
// names write theirs: "(UTC+09:00)", "(UTC-03:30)", "(UTC+00:00)".
std::u16string UtcOffsetLabel(std::int32_t minutesEast);

// `display` with a leading label that names `minutesEast`: a "(UTC)" or
// "(UTC+hh:mm)" label naming another offset is replaced by the offset's
// own; a display without such a label is returned unchanged.
std::u16string WithUtcOffsetLabel(std::u16string_view display, std::int32_t minutesEast);

}  // namespace tz

#include "core/timezone/utc_offset_label.h"

namespace tz {
namespace {

constexpr std::u16string_view kLabelStart = u"(UTC";

std::u16string TwoDigitsAtLeast(std::int64_t value) {
  std::u16string digits;
  do {
    digits.insert(digits.begin(), static_cast<char16_t>(u'0' + value % 10));
    value /= 10;
  } while (value > 0);
  if (digits.size() < 2) digits.insert(digits.begin(), u'0');
  return digits;
}

}  // namespace

std::u16string UtcOffsetLabel(std::int32_t minutesEast) {
  // Wider than the offset, so that the most negative one has a magnitude.
  const std::int64_t magnitude = minutesEast < 0 ? -std::int64_t{minutesEast} : minutesEast;
  std::u16string label(kLabelStart);
  label.push_back(minutesEast < 0 ? u'-' : u'+');
  label.append(TwoDigitsAtLeast(magnitude / 60))
      .append(u":")
      .append(TwoDigitsAtLeast(magnitude % 60))
      .append(u")");
  return label;
}

}  // namespace tz

#include "core/timezone/utc_offset_label.h"

#include <optional>

#include "core/text/u16.h"

namespace tz {
namespace {

constexpr std::u16string_view kLabelStart = u"(UTC";

struct Label {
  std::int64_t minutesEast;
  std::size_t length;
};

// Reads up to six digits at `at`; false when there is none.
bool ReadNumber(std::u16string_view text, std::size_t& at, std::int64_t& value) {
  const std::size_t start = at;
  value = 0;
  while (at < text.size() && at - start < 6 && text[at] >= u'0' && text[at] <= u'9') {
    value = value * 10 + (text[at++] - u'0');
  }
  return at > start;
}

bool Take(std::u16string_view text, std::size_t& at, char16_t c) {
  if (at >= text.size() || text[at] != c) return false;
  ++at;
  return true;
}

// The leading "(UTC)" or "(UTC+h:mm)" label of a display name, if any.
std::optional<Label> LeadingLabel(std::u16string_view display) {
  if (!display.starts_with(kLabelStart)) return std::nullopt;
  std::size_t at = kLabelStart.size();
  if (Take(display, at, u')')) return Label{0, at};
  const bool west = Take(display, at, u'-');
  if (!west && !Take(display, at, u'+')) return std::nullopt;
  std::int64_t hours = 0, minutes = 0;
  if (!ReadNumber(display, at, hours) || !Take(display, at, u':') ||
      !ReadNumber(display, at, minutes) || !Take(display, at, u')')) {
    return std::nullopt;
  }
  const std::int64_t magnitude = hours * 60 + minutes;
  return Label{west ? -magnitude : magnitude, at};
}

}  // namespace

std::u16string UtcOffsetLabel(std::int32_t minutesEast) {
  // Wider than the offset, so that the most negative one has a magnitude.
  const std::int64_t magnitude = minutesEast < 0 ? -std::int64_t{minutesEast} : minutesEast;
  std::u16string label(kLabelStart);
  label.push_back(minutesEast < 0 ? u'-' : u'+');
  label.append(text::TwoDigits(magnitude / 60))
      .append(u":")
      .append(text::TwoDigits(magnitude % 60))
      .append(u")");
  return label;
}

std::u16string WithUtcOffsetLabel(std::u16string_view display, std::int32_t minutesEast) {
  const std::optional<Label> label = LeadingLabel(display);
  if (!label || label->minutesEast == minutesEast) return std::u16string(display);
  return UtcOffsetLabel(minutesEast) + std::u16string(display.substr(label->length));
}

}  // namespace tz

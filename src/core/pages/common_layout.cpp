#include "core/pages/common_layout.h"

#include <algorithm>

#include "core/pages/accessible_name.h"

namespace pages::common {

const Row* FindRow(int id) {
  const auto* found = std::find_if(std::begin(kRows), std::end(kRows),
                                   [id](const Row& row) { return row.id == id; });
  return found == std::end(kRows) ? nullptr : found;
}

int RadioWidth(std::u16string_view text) {
  return 6 * static_cast<int>(text.size()) + kRadioBoxWidth;
}

std::u16string RowText(const Row& row, const TextLookup& lookup, const CalendarDate& today) {
  if (row.key == nullptr) return {};
  std::u16string result = lookup(row.key);
  if (row.example != DateExample::kNone) {
    result += lookup(kExampleKey);
    result += DateExampleText(row.example, today);
  }
  return result;
}

std::u16string AccessibleName(const Row& row, const TextLookup& lookup, const CalendarDate& today) {
  if (row.placement == kFittedLabel || row.placement == kPaddedLabel) return {};
  const Row* title = SectionTitleOf(std::span<const Row>(kRows), row.id,
                                    [](const Row& r) { return r.font == Font::kTitle; });
  const Row* label = FindRow(row.namedBy);
  return pages::AccessibleName(title ? RowText(*title, lookup, today) : std::u16string(),
                               RowText(label ? *label : row, lookup, today));
}

}  // namespace pages::common

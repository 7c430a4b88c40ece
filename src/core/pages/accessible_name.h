#pragma once
// What a screen reader calls a control of a page: the title of its
// section and its own text ("Voice recording: Enabled"), so that texts
// repeated across sections ("Enabled", "Disabled", "Front") tell whose
// setting they are. A control without text of its own (a picker, the
// clock's check box, a slider) takes the text of the label that names it,
// or the section's title alone.

#include <span>
#include <string>
#include <string_view>

namespace pages {

// The section's title and the control's own part joined; either may be
// empty.
std::u16string AccessibleName(std::u16string_view section, std::u16string_view own);

// The title row of the section that row `id` of `rows` lies in: the last
// row before it that `isTitle` accepts (tables list each section's title
// first). Null when there is none, or no row `id`.
template <typename Row, typename IsTitle>
const Row* SectionTitleOf(std::span<const Row> rows, int id, IsTitle isTitle) {
  const Row* title = nullptr;
  for (const Row& row : rows) {
    if (row.id == id) return title;
    if (isTitle(row)) title = &row;
  }
  return nullptr;
}

}  // namespace pages

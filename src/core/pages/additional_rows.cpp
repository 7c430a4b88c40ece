#include "core/pages/additional_rows.h"

#include <algorithm>
#include <iterator>

#include "core/pages/accessible_name.h"

namespace pages::additional {

bool IsCheck(Kind kind) {
  return kind == Kind::kCheck || kind == Kind::kFixedCheck || kind == Kind::kHiddenCheck;
}

const Row* FindRow(int id) {
  auto found = std::find_if(std::begin(kRows), std::end(kRows),
                            [id](const Row& row) { return row.id == id; });
  return found == std::end(kRows) ? nullptr : found;
}

bool ShownTick(const Row& row, const SettingsRecord& record) {
  const int stored = record.*row.field;
  if (IsCheck(row.kind)) return stored != 0;
  if (row.tick == Tick::kWhenEqual) return stored == row.value;
  return std::none_of(std::begin(kRows), std::end(kRows), [&](const Row& other) {
    return other.field == row.field && other.tick == Tick::kWhenEqual && other.value == stored;
  });
}

std::u16string AccessibleName(const Row& row,
                              const std::function<std::u16string(std::u16string_view)>& lookup) {
  if (row.kind == Kind::kTitle || row.kind == Kind::kLabel) return {};
  const Row* title = SectionTitleOf(std::span<const Row>(kRows), row.id,
                                    [](const Row& r) { return r.kind == Kind::kTitle; });
  return pages::AccessibleName(title ? lookup(title->textKey) : std::u16string(),
                               lookup(row.textKey));
}

void ApplyClick(const Row& row, bool checked, SettingsRecord& record) {
  if (row.field == nullptr) return;
  record.*row.field = IsCheck(row.kind) ? (checked ? 1 : 0) : row.value;
}

}  // namespace pages::additional

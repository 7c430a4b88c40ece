#include "core/pages/mode_page_rows.h"

#include <algorithm>

#include "core/pages/accessible_name.h"
#include "core/pages/parking_slider_values.h"
#include "core/pages/slider_scale.h"
#include "core/text/u16.h"

namespace pages::rows {
namespace {

struct KindSize {
  int perChar;  // 0: the row's own width
  int extra;
  int height;
};

// Widths are estimated from the character count, so a page looks the same
// whatever fonts the PC has; PlaceRow widens a row only where its text would
// not fit.
KindSize SizeOf(RowKind kind) {
  switch (kind) {
    case RowKind::kTitle:
      return {7, 5, 14};
    case RowKind::kSubLabel:
      return {6, 5, 12};
    case RowKind::kRadio:
      return {0, 0, 25};
    case RowKind::kWideRadio:
      return {6, 20, 25};
    case RowKind::kCaption:
    case RowKind::kBoldCaption:
      return {6, 5, 14};
    case RowKind::kSlider:
      return {0, 0, 35};
    case RowKind::kInert:
      break;
  }
  return {0, 0, 0};
}

}  // namespace

FontKind FontOf(RowKind kind) {
  switch (kind) {
    case RowKind::kTitle:
      return FontKind::kTitle;
    case RowKind::kSubLabel:
    case RowKind::kBoldCaption:
      return FontKind::kBold;
    case RowKind::kRadio:
    case RowKind::kWideRadio:
    case RowKind::kCaption:
      return FontKind::kNormal;
    case RowKind::kSlider:
    case RowKind::kInert:
      break;
  }
  return FontKind::kNone;
}

RowRect PlaceRow(const PageRow& row, std::size_t textLength, int neededWidth,
                 const RowRect& previous) {
  KindSize size = SizeOf(row.kind);
  const int estimate = size.perChar * static_cast<int>(textLength) + size.extra;
  int width = size.perChar == 0 ? row.width : std::max(estimate, neededWidth);
  // A title's separator starts a fixed gap after the title's width, and
  // the titles of every page line up with the Common page's, which are as
  // wide as their texts.
  if (row.kind == RowKind::kTitle && neededWidth > 0) width = neededWidth;
  int x = row.x == kRightOfPrevious ? previous.right() : row.x;
  return {x, row.y, width, size.height};
}

const PageRow* FindRow(std::span<const PageRow> rows, int id) {
  auto found =
      std::find_if(rows.begin(), rows.end(), [id](const PageRow& r) { return r.id == id; });
  return found == rows.end() ? nullptr : &*found;
}

std::optional<bool> ShownTick(std::span<const PageRow> rows, const PageRow& row,
                              const SettingsRecord& record) {
  const Binding& b = row.binding;
  if (b.field == nullptr) return std::nullopt;
  int stored = record.*b.field;
  switch (b.tick) {
    case Tick::kNever:
      return std::nullopt;
    case Tick::kWhenEqual:
      return stored == b.value;
    case Tick::kOtherwise:
      break;
  }
  return std::none_of(rows.begin(), rows.end(), [&](const PageRow& other) {
    return other.binding.field == b.field && other.binding.tick == Tick::kWhenEqual &&
           other.binding.value == stored;
  });
}

void ApplyClick(const PageRow& row, SettingsRecord& record) {
  const Binding& b = row.binding;
  if (!b.writes || b.field == nullptr) return;
  record.*b.field = b.value;
  if (b.alsoWrites != nullptr) record.*b.alsoWrites = b.value;
}

int ShownSliderPosition(const PageRow& row, const SettingsRecord& record) {
  return PositionOfStoredValue(row.binding.sliderType, record.*row.binding.field);
}

void ApplySliderPosition(const PageRow& row, int position, SettingsRecord& record) {
  if (!row.binding.writes || row.binding.field == nullptr) return;
  record.*row.binding.field = StoredValueAt(row.binding.sliderType, position);
}

std::vector<ScaleText> LayOutScale(const SliderScale& scale, int sliderLeft, int sliderRight,
                                   int sliderBottom, const skin::Scale& display) {
  int step = (sliderRight - sliderLeft - display.Px(scale.widthLess)) / scale.divisions;
  std::vector<ScaleText> texts;
  for (const ScaleMark& mark : scale.marks) {
    int left = sliderLeft + mark.steps * step + display.Px(mark.offset);
    texts.push_back({mark.text, left, sliderBottom, left + display.Px(100),
                     sliderBottom + display.Px(kSliderScaleHeight)});
  }
  return texts;
}

std::u16string AccessibleName(std::span<const PageRow> rows, const PageRow& row,
                              const std::function<std::u16string(std::u16string_view)>& lookup) {
  const bool label = row.kind == RowKind::kTitle || row.kind == RowKind::kSubLabel ||
                     row.kind == RowKind::kCaption || row.kind == RowKind::kBoldCaption;
  if (label) return {};
  auto textOf = [&](const PageRow* r) {
    return r != nullptr && r->textKey != nullptr ? lookup(r->textKey) : std::u16string();
  };
  const PageRow* title =
      SectionTitleOf(rows, row.id, [](const PageRow& r) { return r.kind == RowKind::kTitle; });
  return pages::AccessibleName(textOf(title),
                               textOf(row.namedBy != 0 ? FindRow(rows, row.namedBy) : &row));
}

std::u16string SliderValueText(const PageRow& row, const SliderScale* scale, int position,
                               std::u16string_view hoursUnit) {
  const SliderValueType type = row.binding.sliderType;
  switch (type) {
    case SliderValueType::kStopTimerHours:
      return SliderTooltipText(type, position) + u" " + std::u16string(hoursUnit);
    case SliderValueType::kVoltage12:
    case SliderValueType::kVoltage24:
      return SliderTooltipText(type, position) + u" V";
    case SliderValueType::kMotionSensitivity:
      for (const ScaleMark& mark : scale ? scale->marks : std::span<const ScaleMark>()) {
        if (mark.steps == position - row.binding.low) return std::u16string(mark.text);
      }
      break;
    case SliderValueType::kPosition:
      break;
  }
  return text::Dec(position);
}

}  // namespace pages::rows

#include "core/pages/common_paint_geometry.h"

namespace pages::common {

HorizontalLine SeparatorBeside(const PageRect& title, int clientWidth) {
  return {title.top + (title.bottom - title.top) / 2, title.right - title.left + 27,
          clientWidth - 15};
}

std::array<PageRect, kVolumeSteps> VolumeScaleCells(const PageRect& slider) {
  const int spacing = (slider.right - slider.left - 25) / (kVolumeSteps - 1);
  std::array<PageRect, kVolumeSteps> cells{};
  for (int k = 0; k < kVolumeSteps; ++k) {
    const int left = slider.left + 10 + k * spacing;
    cells[k] = {left, slider.bottom, left + 100, slider.bottom + 12};
  }
  return cells;
}

}  // namespace pages::common

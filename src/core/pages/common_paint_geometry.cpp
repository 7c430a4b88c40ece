#include "core/pages/common_paint_geometry.h"

#include "core/pages/slider_scale.h"

namespace pages::common {

HorizontalLine SeparatorBeside(const PageRect& title, int clientWidth, const skin::Scale& scale) {
  return {title.top + (title.bottom - title.top) / 2, title.right - title.left + scale.Px(27),
          clientWidth - scale.Px(15)};
}

std::array<PageRect, kVolumeSteps> VolumeScaleCells(const PageRect& slider,
                                                    const skin::Scale& scale) {
  const int spacing = (slider.right - slider.left - scale.Px(25)) / (kVolumeSteps - 1);
  std::array<PageRect, kVolumeSteps> cells{};
  for (int k = 0; k < kVolumeSteps; ++k) {
    const int left = slider.left + scale.Px(10) + k * spacing;
    cells[k] = {left, slider.bottom, left + scale.Px(100),
                slider.bottom + scale.Px(kSliderScaleHeight)};
  }
  return cells;
}

}  // namespace pages::common

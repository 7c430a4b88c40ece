#pragma once
// What the Common page draws itself, in page client coordinates (device
// pixels; the gaps and sizes below are design pixels, scaled by `scale`):
// the separator lines beside the section titles and the scale under the
// volume slider.

#include <array>

#include "core/skin/scale.h"

namespace pages::common {

struct PageRect {
  int left;
  int top;
  int right;
  int bottom;
};

struct HorizontalLine {
  int y;
  int fromX;
  int toX;
};

// The separator of a title with rectangle `title` on a page `clientWidth`
// wide: through the middle of the title, from its width plus 27 to 15
// pixels before the right edge.
HorizontalLine SeparatorBeside(const PageRect& title, int clientWidth,
                               const skin::Scale& scale = {});

inline constexpr int kVolumeSteps = 6;

// The cells of the scale texts "1" to "6" under a slider with rectangle
// `slider`: 12 pixels high, spaced a fifth of the slider's width less its
// thumb margin, the first 10 pixels in.
std::array<PageRect, kVolumeSteps> VolumeScaleCells(const PageRect& slider,
                                                    const skin::Scale& scale = {});

}  // namespace pages::common

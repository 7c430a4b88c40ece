#pragma once
// Carries out a nine-patch layout on 32-bit premultiplied pixels: exact
// copies and a stretched pixel repeated; fixed pixels drawn at another size
// (a picture set shown between its scales) are resampled, blended only
// with their own span's pixels.

#include <cstdint>

#include "core/skin/nine_patch_geometry.h"

namespace skin {

// Rows of 32-bit pixels, `stride` pixels apart, top row first.
template <typename Pixel>
struct PixelView {
  Pixel* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

// Copies `picture` (frame included) into `canvas` as `layout` says. Copies
// that run past the canvas are clipped; canvas pixels that no copy reaches
// keep what they held.
void CopyNinePatch(const NinePatchLayout& layout, PixelView<const std::uint32_t> picture,
                   PixelView<std::uint32_t> canvas);

}  // namespace skin

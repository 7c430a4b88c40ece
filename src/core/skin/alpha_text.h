#pragma once
// Text laid over a skin picture as an alpha picture: the text is rendered
// white on black, the coverage becomes the alpha of the wanted colour, and the
// result is blended where the text belongs.

#include <cstdint>
#include <span>

#include "core/skin/nine_patch_geometry.h"

namespace skin {

struct Rgb {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
};

// `pixels` are 32-bit 0xAARRGGBB values of white text rendered on black; the
// blue byte is taken as the coverage a. Each becomes the premultiplied pixel
// of `color` with alpha a (every colour byte scaled by a / 256).
void TintCoverage(std::span<std::uint32_t> pixels, Rgb color);

struct TextOrigin {
  int x = 0;
  int y = 0;
  friend bool operator==(const TextOrigin&, const TextOrigin&) = default;
};

// Where a text of the given size starts in `rect`: at the left edge, or
// centred (the odd pixel to the right) when `centred`; vertically centred.
// A text larger than the rectangle starts at its left or top edge and runs
// past the other one.
TextOrigin PlaceText(const PixelRect& rect, int textWidth, int textHeight, bool centred);

}  // namespace skin

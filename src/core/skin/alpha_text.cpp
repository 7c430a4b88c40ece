#include "core/skin/alpha_text.h"

#include <algorithm>

namespace skin {

void TintCoverage(std::span<std::uint32_t> pixels, Rgb color) {
  const auto scale = [](std::uint32_t channel, std::uint32_t coverage) {
    return (channel * coverage) >> 8;
  };
  for (std::uint32_t& pixel : pixels) {
    const std::uint32_t coverage = pixel & 0xFF;
    pixel = coverage << 24 | scale(color.red, coverage) << 16 | scale(color.green, coverage) << 8 |
            scale(color.blue, coverage);
  }
}

TextOrigin PlaceText(const PixelRect& rect, int textWidth, int textHeight, bool centred) {
  const int spareWidth = rect.right - rect.left - textWidth;
  const int spareHeight = rect.bottom - rect.top - textHeight;
  const int x = rect.left + (centred ? std::max(0, (spareWidth + 1) / 2) : 0);
  const int y = rect.top + std::max(0, spareHeight / 2);
  return {x, y};
}

}  // namespace skin

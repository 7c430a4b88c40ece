#include "core/skin/alpha_blend.h"

#include <cstddef>

namespace skin {
namespace {

std::uint32_t Over(std::uint32_t source, std::uint32_t target) {
  const std::uint32_t alpha = source >> 24;
  if (alpha == 255) return source;
  if (alpha == 0) return target;
  std::uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t under = (target >> shift & 0xFF) * (255 - alpha);
    result |= ((source >> shift & 0xFF) + (under + 127) / 255) << shift;
  }
  return result;
}

}  // namespace

std::uint32_t Premultiplied(std::uint32_t straight) {
  const std::uint32_t alpha = straight >> 24;
  if (alpha == 255) return straight;
  const auto channel = [&](int shift) { return ((straight >> shift & 0xFF) * alpha + 127) / 255; };
  return alpha << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

void LayOver(std::span<const std::uint32_t> picture, std::span<std::uint32_t> canvas) {
  for (std::size_t i = 0; i < picture.size() && i < canvas.size(); ++i) {
    canvas[i] = Over(picture[i], canvas[i]);
  }
}

}  // namespace skin

#include "core/skin/nine_patch_pixels.h"

#include <algorithm>

namespace skin {
namespace {

// Where a canvas position takes its colour from: `weight` / 256 of the way
// from picture position `first` to `second`.
struct Sample {
  int first;
  int second;
  int weight;
};

// A copy of equal lengths shows its pixels as they are and a single pixel
// repeats; fixed pixels drawn at another size are resampled within their
// own span, so they never take colour from a stretched neighbour.
Sample SampleOf(const SpanCopy& copy, int dest) {
  const int offset = dest - copy.dest;
  if (copy.sourceLength == copy.destLength) return {copy.source + offset, copy.source + offset, 0};
  if (copy.sourceLength == 1) return {copy.source, copy.source, 0};
  // The canvas pixel's centre in the span, in 1/256 of a picture pixel.
  const long long centre =
      (2LL * offset + 1) * copy.sourceLength * 256 / (2LL * copy.destLength) - 128;
  const int at = static_cast<int>(std::clamp(centre, 0LL, (copy.sourceLength - 1) * 256LL));
  const int first = copy.source + at / 256;
  return {first, std::min(first + 1, copy.source + copy.sourceLength - 1), at % 256};
}

// Each of the four 8-bit channels of `a` and `b` mixed, `weight` / 256 of b.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, int weight) {
  if (weight == 0) return a;
  std::uint32_t mixed = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const int from = static_cast<int>((a >> shift) & 0xFF);
    const int to = static_cast<int>((b >> shift) & 0xFF);
    mixed |= static_cast<std::uint32_t>(from + ((to - from) * weight + 128) / 256) << shift;
  }
  return mixed;
}

}  // namespace

void CopyNinePatch(const NinePatchLayout& layout, PixelView<const std::uint32_t> picture,
                   PixelView<std::uint32_t> canvas) {
  for (const SpanCopy& row : layout.rows.copies) {
    const int lastY = std::min(row.dest + row.destLength, canvas.height);
    for (int y = std::max(row.dest, 0); y < lastY; ++y) {
      const Sample down = SampleOf(row, y);
      const std::uint32_t* upper = picture.pixels + down.first * picture.stride;
      const std::uint32_t* lower = picture.pixels + down.second * picture.stride;
      std::uint32_t* to = canvas.pixels + y * canvas.stride;
      for (const SpanCopy& column : layout.columns.copies) {
        const int lastX = std::min(column.dest + column.destLength, canvas.width);
        for (int x = std::max(column.dest, 0); x < lastX; ++x) {
          const Sample across = SampleOf(column, x);
          const std::uint32_t above = Mix(upper[across.first], upper[across.second], across.weight);
          to[x] = down.weight == 0
                      ? above
                      : Mix(above, Mix(lower[across.first], lower[across.second], across.weight),
                            down.weight);
        }
      }
    }
  }
}

}  // namespace skin

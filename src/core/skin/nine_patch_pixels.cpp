#include "core/skin/nine_patch_pixels.h"

#include <algorithm>

namespace skin {
namespace {

// The picture position that a copy shows at canvas position `dest`.
int SourceOf(const SpanCopy& copy, int dest) {
  return copy.sourceLength == copy.destLength ? copy.source + (dest - copy.dest) : copy.source;
}

}  // namespace

void CopyNinePatch(const NinePatchLayout& layout, PixelView<const std::uint32_t> picture,
                   PixelView<std::uint32_t> canvas) {
  for (const SpanCopy& row : layout.rows.copies) {
    const int lastY = std::min(row.dest + row.destLength, canvas.height);
    for (int y = std::max(row.dest, 0); y < lastY; ++y) {
      const std::uint32_t* from = picture.pixels + SourceOf(row, y) * picture.stride;
      std::uint32_t* to = canvas.pixels + y * canvas.stride;
      for (const SpanCopy& column : layout.columns.copies) {
        const int lastX = std::min(column.dest + column.destLength, canvas.width);
        for (int x = std::max(column.dest, 0); x < lastX; ++x) to[x] = from[SourceOf(column, x)];
      }
    }
  }
}

}  // namespace skin

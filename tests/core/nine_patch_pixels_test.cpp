#include "core/skin/nine_patch_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using skin::FrameColor;

constexpr std::uint32_t kUntouched = 0xDEADBEEF;

// A width x height picture whose pixel (x, y) holds y * 1000 + x, with one
// stretch mark per direction in its frame.
struct Picture {
  int width;
  int height;
  int columnMark;
  int rowMark;
  std::vector<std::uint32_t> pixels;

  Picture(int w, int h, int column, int row)
      : width(w), height(h), columnMark(column), rowMark(row) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) pixels.push_back(y * 1000 + x);
    }
  }
  skin::NinePatchFrame Frame() const {
    std::vector<FrameColor> top(width, FrameColor::kWhite), left(height, FrameColor::kWhite);
    if (columnMark > 0) top[columnMark] = FrameColor::kBlack;
    if (rowMark > 0) left[rowMark] = FrameColor::kBlack;
    return {top, left, std::vector<FrameColor>(height, FrameColor::kWhite),
            std::vector<FrameColor>(width, FrameColor::kWhite)};
  }
  std::vector<std::uint32_t> DrawnInto(int canvasWidth, int canvasHeight) const {
    std::vector<std::uint32_t> canvas(canvasWidth * canvasHeight, kUntouched);
    skin::CopyNinePatch(skin::LayoutNinePatch(Frame(), canvasWidth, canvasHeight),
                        {pixels.data(), width, height, width},
                        {canvas.data(), canvasWidth, canvasHeight, canvasWidth});
    return canvas;
  }
};

std::vector<int> Shown(int mark, int last, int stretched) {
  std::vector<int> shown;
  for (int i = 1; i < mark; ++i) shown.push_back(i);
  shown.insert(shown.end(), stretched, mark);
  for (int i = mark + 1; i <= last; ++i) shown.push_back(i);
  return shown;
}

void ExpectShows(const std::vector<std::uint32_t>& canvas, const std::vector<int>& columns,
                 const std::vector<int>& rows) {
  ASSERT_EQ(canvas.size(), columns.size() * rows.size());
  for (std::size_t y = 0; y < rows.size(); ++y) {
    for (std::size_t x = 0; x < columns.size(); ++x) {
      const std::uint32_t expected =
          rows[y] < 0 || columns[x] < 0 ? kUntouched : rows[y] * 1000 + columns[x];
      ASSERT_EQ(canvas[y * columns.size() + x], expected) << "at " << x << "," << y;
    }
  }
}

// The tab picture (14 x 39, marks at column 6 and row 19) into 120 x 39:
// columns 1-5 at x 0-4, column 6 109 times, columns 7-12 at x 114-119; rows
// 1-18, row 19 three times, rows 20-37. The frame never shows.
TEST(NinePatchPixels, TabPictureStretchedWide) {
  const Picture tab(14, 39, 6, 19);
  const auto layout = skin::LayoutNinePatch(tab.Frame(), 120, 39);
  EXPECT_EQ(layout.columns.stretches, (std::vector<skin::Stretch>{{6, 109}}));
  EXPECT_EQ(layout.rows.stretches, (std::vector<skin::Stretch>{{19, 3}}));
  ExpectShows(tab.DrawnInto(120, 39), Shown(6, 12, 109), Shown(19, 37, 3));
}

TEST(NinePatchPixels, UnreachedPixelsKeepTheirContent) {
  ExpectShows(Picture(5, 4, 0, 0).DrawnInto(6, 3), {1, 2, 3, -1, -1, -1}, {1, 2, -1});
}

}  // namespace

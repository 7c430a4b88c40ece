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

// Fixed pixels drawn larger are resampled within their own span: the ends
// keep their colours, the pixels between blend their two neighbours, and
// no colour comes from the stretched pixel beside them.
TEST(NinePatchPixels, FixedPixelsDrawnLargerBlendOnlyWithinTheirSpan) {
  // One row of 5 inner pixels, the mark at picture column 4: a fixed span
  // of 3 (columns 1 to 3: black, grey, white) and one of 1 (column 5).
  const std::uint32_t kBlack = 0xFF000000, kGrey = 0xFF808080, kWhite = 0xFFFFFFFF;
  const std::uint32_t kRed = 0xFFFF0000, kBlue = 0xFF0000FF;
  const std::vector<std::uint32_t> pixels = {0, 0,      0,     0,      0,    0,     0,  //
                                             0, kBlack, kGrey, kWhite, kRed, kBlue, 0,
                                             0, 0,      0,     0,      0,    0,     0};
  skin::NinePatchFrame frame{std::vector<FrameColor>(7, FrameColor::kWhite),
                             std::vector<FrameColor>(3, FrameColor::kWhite),
                             std::vector<FrameColor>(3, FrameColor::kWhite),
                             std::vector<FrameColor>(7, FrameColor::kWhite)};
  frame.top[4] = FrameColor::kBlack;
  std::vector<std::uint32_t> canvas(8, kUntouched);
  // Twice as large: the span of 3 takes 6 pixels, the single pixel 2, the mark none.
  skin::CopyNinePatch(skin::LayoutNinePatch(frame, 8, 2, {2, 1}), {pixels.data(), 7, 3, 7},
                      {canvas.data(), 8, 1, 8});
  EXPECT_EQ(canvas[0], kBlack);
  EXPECT_EQ(canvas[1], 0xFF202020);  // a quarter of the way to the grey
  EXPECT_EQ(canvas[2], 0xFF606060);
  EXPECT_EQ(canvas[3], 0xFFA0A0A0);
  EXPECT_EQ(canvas[4], 0xFFDFDFDF);
  EXPECT_EQ(canvas[5], kWhite);
  EXPECT_EQ(canvas[6], kBlue);
  EXPECT_EQ(canvas[7], kBlue);
}

TEST(NinePatchPixels, UnreachedPixelsKeepTheirContent) {
  ExpectShows(Picture(5, 4, 0, 0).DrawnInto(6, 3), {1, 2, 3, -1, -1, -1}, {1, 2, -1});
}

}  // namespace

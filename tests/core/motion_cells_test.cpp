#include "core/pages/motion_cells.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace {

using pages::motion::CellAt;
using pages::motion::CellRect;
using pages::motion::CellRectOf;
using pages::motion::Cells;
using pages::motion::GridLines;
using pages::motion::kCellCount;
using pages::motion::kColumns;
using pages::motion::kRows;
using pages::motion::PackCells;
using pages::motion::Picture;
using pages::motion::PictureRect;
using pages::motion::UnpackCells;

// Cells written as three rows of four, top row first, rows split by '|'.
Cells Grid(std::string_view rows) {
  Cells cells{};
  int k = 0;
  for (char c : rows) {
    if (c != '|') cells[k++] = c == '#' ? 1 : 0;
  }
  return cells;
}

TEST(MotionCells, MasksAndTheirCells) {
  const struct {
    std::int32_t mask;
    const char* cells;
  } cases[] = {
      {0x0F00, "####|....|...."},  // the whole top row
      {0x0001, "....|....|#..."},  // the bottom-left cell
      {0x0FFF, "####|####|####"},  // everything
      {0x0800, "...#|....|...."},  // the top-right cell
      {0x0000, "....|....|...."},  // nothing
      {0x00F0, "....|####|...."},  // the middle row
      {0x0421, "..#.|.#..|#..."},  // one cell per row
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.mask);
    EXPECT_EQ(UnpackCells(c.mask), Grid(c.cells));
    EXPECT_EQ(PackCells(Grid(c.cells)), c.mask);
  }
}

TEST(MotionCells, BitsAboveTheGridAreIgnored) {
  const std::int32_t cases[] = {0x1000, 0x7FFFF000, static_cast<std::int32_t>(0x80000000),
                                static_cast<std::int32_t>(0xFFFFF0A5), -1};
  for (std::int32_t mask : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << mask);
    Cells cells = UnpackCells(mask);
    EXPECT_EQ(cells, UnpackCells(mask & 0x0FFF));
    EXPECT_EQ(PackCells(cells), mask & 0x0FFF) << "high bits written back";
  }
}

TEST(MotionCells, EveryMaskOfTwelveBitsSurvivesARoundTrip) {
  for (std::int32_t mask = 0; mask < (1 << kCellCount); ++mask) {
    ASSERT_EQ(PackCells(UnpackCells(mask)), mask);
  }
}

TEST(MotionCells, AnyNonZeroCellCountsAsSelected) {
  Cells cells{};
  cells[0] = 7;
  cells[11] = -1;
  EXPECT_EQ(PackCells(cells), 0x0100 | 0x0008);
}

TEST(MotionCells, HitsAtEdgesAndGaps) {
  const struct {
    const char* name;
    Picture picture;
    int x, y;
    std::optional<int> want;
  } cases[] = {
      {"top-left corner", Picture::kFront, 26, 136, 0},
      {"last pixel of the first cell", Picture::kFront, 73, 165, 0},
      {"gap between columns", Picture::kFront, 74, 140, std::nullopt},
      {"first pixel after the gap", Picture::kFront, 75, 140, 1},
      {"gap between rows", Picture::kFront, 30, 166, std::nullopt},
      {"left of the grid", Picture::kFront, 25, 140, std::nullopt},
      {"below the grid", Picture::kFront, 30, 228, std::nullopt},
      {"rear cell seen from the front", Picture::kFront, 250, 140, std::nullopt},
      {"rear bottom-right", Picture::kRear, 435, 227, 11},
      {"rear right edge", Picture::kRear, 436, 227, std::nullopt},
      {"rear gap", Picture::kRear, 289, 150, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CellAt(c.picture, c.x, c.y), c.want);
  }
}

// At every display scale the cells stay inside their picture, the grid
// lines, all equally thick, fill exactly the gaps between and around them
// (no sliver of the picture beside a line, no line over a cell), and a
// click on any cell finds that cell.
TEST(MotionCells, CellsAndGridLinesScaleWithTheirPicture) {
  for (int dpi : {96, 120, 144, 168, 192, 240}) {
    SCOPED_TRACE(dpi);
    const skin::Scale scale(dpi);
    for (Picture picture : {Picture::kFront, Picture::kRear}) {
      const CellRect p = PictureRect(picture);
      const skin::PixelRect area = scale.Px(skin::PixelRect{p.left, p.top, p.right, p.bottom});
      // The lines left of each column and above each row, then the last ones.
      const std::vector<CellRect> lines = GridLines(picture, scale);
      ASSERT_EQ(lines.size(), static_cast<size_t>(kColumns + 1 + kRows + 1));
      for (const CellRect& line : lines) {
        EXPECT_EQ(std::min(line.right - line.left, line.bottom - line.top), scale.Px(1));
      }
      for (int cell = 0; cell < kCellCount; ++cell) {
        const CellRect r = CellRectOf(picture, cell, scale);
        EXPECT_GE(r.left, area.left);
        EXPECT_GE(r.top, area.top);
        EXPECT_LE(r.right, area.right);
        EXPECT_LE(r.bottom, area.bottom);
        EXPECT_EQ(CellAt(picture, r.left, r.top, scale), cell);
        EXPECT_EQ(CellAt(picture, r.right - 1, r.bottom - 1, scale), cell);
        const int column = cell % kColumns, row = cell / kColumns;
        const CellRect &before = lines[column], &after = lines[column + 1];
        const CellRect &above = lines[kColumns + 1 + row], &below = lines[kColumns + 2 + row];
        EXPECT_EQ(before.right, r.left);
        EXPECT_EQ(after.left, r.right);
        EXPECT_LT(after.left, after.right);
        EXPECT_EQ(above.bottom, r.top);
        EXPECT_EQ(below.top, r.bottom);
        EXPECT_LT(below.top, below.bottom);
        // The lines run past the cell on both sides.
        EXPECT_TRUE(before.top < r.top && before.bottom > r.bottom);
        EXPECT_TRUE(above.left < r.left && above.right > r.right);
      }
    }
  }
}

}  // namespace

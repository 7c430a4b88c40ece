#include "core/skin/nine_patch_geometry.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using skin::AxisPlan;
using skin::FrameColor;
using skin::LayoutNinePatch;
using skin::NinePatchFrame;
using skin::PixelRect;
using skin::SpanCopy;
using skin::Stretch;

struct Marked {
  int first;
  int last;
};

// A frame line of `size` pixels: transparent white, black at `marks`.
std::vector<FrameColor> Line(int size, const std::vector<int>& marks) {
  std::vector<FrameColor> line(size, FrameColor::kWhite);
  for (int m : marks) line[m] = FrameColor::kBlack;
  return line;
}

std::vector<int> RunMarks(std::optional<Marked> run) {
  std::vector<int> marks;
  if (run) {
    for (int i = run->first; i <= run->last; ++i) marks.push_back(i);
  }
  return marks;
}

// The frame of a width x height picture with the given stretch marks and
// content runs (bottom row for columns, right column for rows).
NinePatchFrame Frame(int width, int height, const std::vector<int>& columnMarks,
                     const std::vector<int>& rowMarks, std::optional<Marked> contentColumns = {},
                     std::optional<Marked> contentRows = {}) {
  return {Line(width, columnMarks), Line(height, rowMarks), Line(height, RunMarks(contentRows)),
          Line(width, RunMarks(contentColumns))};
}

// The picture position shown at each canvas position (-1: nothing), failing
// when two copies land on the same canvas pixel.
std::vector<int> SourceAt(const AxisPlan& plan, int canvas) {
  std::vector<int> shown(canvas, -1);
  for (const SpanCopy& copy : plan.copies) {
    EXPECT_GE(copy.destLength, 0);
    for (int i = 0; i < copy.destLength; ++i) {
      const int x = copy.dest + i;
      if (x < 0 || x >= canvas) continue;
      EXPECT_EQ(shown[x], -1) << "canvas pixel " << x << " drawn twice";
      shown[x] = copy.sourceLength == copy.destLength ? copy.source + i : copy.source;
    }
  }
  return shown;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> values;
  for (int i = first; i <= last; ++i) values.push_back(i);
  return values;
}

std::vector<int> Repeat(int value, int times) {
  return std::vector<int>(times, value);
}

std::vector<int> Concat(std::initializer_list<std::vector<int>> parts) {
  std::vector<int> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(NinePatchGeometry, CanvasSmallerThanPictureDropsTheMarkedColumn) {
  const auto layout = LayoutNinePatch(Frame(14, 39, {6}, {19}), 8, 20);
  ASSERT_TRUE(layout.drawable);
  EXPECT_EQ(layout.columns.copies, (std::vector<SpanCopy>{{1, 5, 0, 5}, {7, 6, 5, 6}}));
  EXPECT_EQ(SourceAt(layout.columns, 8), (std::vector<int>{1, 2, 3, 4, 5, 7, 8, 9}));
  EXPECT_EQ(SourceAt(layout.rows, 20), Concat({Range(1, 18), Range(20, 21)}));
  EXPECT_EQ(layout.columns.stretches, (std::vector<Stretch>{{6, 0}}));
}

TEST(NinePatchGeometry, PictureWithoutMarksKeepsItsNaturalSize) {
  const auto layout = LayoutNinePatch(Frame(6, 5, {}, {}), 10, 2);
  ASSERT_TRUE(layout.drawable);
  EXPECT_EQ(SourceAt(layout.columns, 10), Concat({Range(1, 4), Repeat(-1, 6)}));
  EXPECT_EQ(SourceAt(layout.rows, 2), Range(1, 2));
  EXPECT_TRUE(layout.columns.stretches.empty());
}

TEST(NinePatchGeometry, TwoMarksShareTheRoomAndFillTheCanvas) {
  struct Case {
    int canvas;
    int share;
    std::vector<int> shown;
  };
  // Picture of 12 with its frame: inner pixels 1..10, marks at 3 and 8.
  const Case cases[] = {
      {20, 6, Concat({Range(1, 2), Repeat(3, 6), Range(4, 7), Repeat(8, 6), Range(9, 10)})},
      {21, 6, Concat({Range(1, 2), Repeat(3, 6), Range(4, 7), Repeat(8, 7), Range(9, 10)})},
      {9, 0, Concat({Range(1, 2), Repeat(3, 0), Range(4, 7), Repeat(8, 1), Range(9, 10)})},
      {6, 0, Concat({Range(1, 2), Range(4, 7)})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.canvas);
    const auto layout = LayoutNinePatch(Frame(12, 12, {3, 8}, {}), c.canvas, 10);
    ASSERT_TRUE(layout.drawable);
    EXPECT_EQ(SourceAt(layout.columns, c.canvas), c.shown);
    EXPECT_EQ(layout.columns.stretches, (std::vector<Stretch>{{3, c.share}, {8, c.share}}));
  }
}

TEST(NinePatchGeometry, MoreThanTwoMarksDrawNothing) {
  EXPECT_FALSE(LayoutNinePatch(Frame(12, 12, {2, 5, 8}, {4}), 30, 30).drawable);
  EXPECT_FALSE(LayoutNinePatch(Frame(12, 12, {4}, {2, 5, 8}), 30, 30).drawable);
  EXPECT_TRUE(LayoutNinePatch(Frame(12, 12, {4}, {2, 8}), 30, 30).drawable);
}

// Whatever the canvas, one mark covers every canvas pixel exactly once and
// shows each fixed pixel once, in order.
TEST(NinePatchGeometry, OneMarkFillsAnyCanvasAtLeastAsLargeAsTheFixedPart) {
  for (int canvas = 11; canvas <= 40; ++canvas) {
    SCOPED_TRACE(canvas);
    const auto layout = LayoutNinePatch(Frame(14, 14, {6}, {6}), canvas, canvas);
    for (const auto* plan : {&layout.columns, &layout.rows}) {
      const std::vector<int> shown = SourceAt(*plan, canvas);
      EXPECT_EQ(shown, Concat({Range(1, 5), Repeat(6, canvas - 11), Range(7, 12)}));
    }
  }
}

// Between the scales the sets were drawn for, the fixed parts grow to the
// exact scale (each part rounded) and the marks take what is left: the
// window's background (29 x 101, its title band in the 49 rows above the
// stretch row) at 125 % of the 100 % set.
TEST(NinePatchGeometry, FixedPartsGrowToTheExactScale) {
  const skin::FixedScale fiveQuarters{5, 4};
  const auto layout = LayoutNinePatch(Frame(29, 101, {14}, {50}, Marked{1, 27}, Marked{1, 99}), 778,
                                      734, fiveQuarters);
  EXPECT_EQ(layout.rows.copies,
            (std::vector<SpanCopy>{{1, 49, 0, 61}, {50, 1, 61, 612}, {51, 49, 673, 61}}));
  EXPECT_EQ(layout.columns.copies,
            (std::vector<SpanCopy>{{1, 13, 0, 16}, {14, 1, 16, 746}, {15, 13, 762, 16}}));
  // The content runs (the marks among their pixels) scaled, plus the stretches.
  EXPECT_EQ(layout.content, (PixelRect{1, 1, 1 + 34 + 746, 1 + 124 + 612}));
  // Without marks a picture is copied at its natural size, scaled.
  EXPECT_EQ(LayoutNinePatch(Frame(6, 5, {}, {}), 10, 4, fiveQuarters).rows.copies,
            (std::vector<SpanCopy>{{1, 3, 0, 4}}));
}

TEST(NinePatchGeometry, PictureAsTallAsTheCanvasIsCopiedWithoutStretchedRows) {
  const auto same = LayoutNinePatch(Frame(14, 39, {6}, {19}, {}, Marked{5, 30}), 120, 37);
  EXPECT_EQ(same.rows.copies, (std::vector<SpanCopy>{{1, 37, 0, 37}}));
  EXPECT_TRUE(same.rows.stretches.empty());
  EXPECT_EQ(same.content.bottom - same.content.top, 26);

  const auto taller = LayoutNinePatch(Frame(14, 39, {6}, {19}, {}, Marked{5, 30}), 120, 38);
  EXPECT_EQ(taller.rows.stretches, (std::vector<Stretch>{{19, 2}}));
  EXPECT_EQ(taller.content.bottom - taller.content.top, 28);
}

TEST(NinePatchGeometry, ContentRectangle) {
  struct Case {
    const char* name;
    NinePatchFrame frame;
    int width;
    int height;
    PixelRect content;
  };
  const Case cases[] = {
      // 15 x 31 push button into 221 x 29: the mark columns widen the run.
      {"button", Frame(15, 31, {7}, {15}, Marked{3, 11}, Marked{5, 25}), 221, 29, {3, 5, 221, 26}},
      // Stretched both ways: 30 - 12 = 18 pixels for the column, 40 - 28 for the row.
      {"both", Frame(15, 31, {7}, {15}, Marked{3, 11}, Marked{5, 25}), 30, 40, {3, 5, 30, 38}},
      // Marks outside the runs add nothing.
      {"outside", Frame(15, 31, {2}, {28}, Marked{3, 11}, Marked{5, 25}), 60, 60, {3, 5, 12, 26}},
      // No runs: the whole canvas.
      {"none", Frame(15, 31, {7}, {15}), 60, 50, {0, 0, 60, 50}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LayoutNinePatch(c.frame, c.width, c.height).content, c.content);
  }
}

TEST(NinePatchGeometry, ContentRunEndsAtTheNextWhitePixel) {
  NinePatchFrame frame = Frame(10, 10, {4}, {4}, Marked{2, 3}, Marked{3, 3});
  frame.bottom[4] = FrameColor::kOther;  // neither black nor white: still inside
  frame.bottom[7] = FrameColor::kBlack;  // a second run is not looked at
  for (int y = 4; y <= 8; ++y) frame.right[y] = FrameColor::kOther;
  frame.right[9] = FrameColor::kBlack;  // no white follows: the run reaches the corner
  const auto layout = LayoutNinePatch(frame, 8, 9);
  // Columns 2..4 plus the mark at 4 stretched to 1; rows 3..9 plus the mark stretched to 2.
  EXPECT_EQ(layout.content, (PixelRect{2, 3, 6, 12}));
}

}  // namespace

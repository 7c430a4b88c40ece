#include "core/skin/nine_patch_geometry.h"

#include <algorithm>
#include <optional>

namespace skin {
namespace {

constexpr std::size_t kMostMarks = 2;

// Picture positions of the black pixels between the two corners of a line.
std::vector<int> StretchMarks(const std::vector<FrameColor>& line) {
  std::vector<int> marks;
  for (int i = 1; i + 1 < static_cast<int>(line.size()); ++i) {
    if (line[i] == FrameColor::kBlack) marks.push_back(i);
  }
  return marks;
}

// The inner pixels 1 .. size - 2 copied from canvas position 0.
AxisPlan NaturalSize(int size, FixedScale fixed) {
  AxisPlan plan;
  if (size > 2) plan.copies.push_back({1, size - 2, 0, fixed.Of(size - 2)});
  return plan;
}

// The fixed pixels from `source` to before `end`, scaled, at `dest`; the
// canvas position after them.
int AppendFixed(AxisPlan& plan, int source, int end, int dest, FixedScale fixed) {
  const int drawn = fixed.Of(end - source);
  if (end > source) plan.copies.push_back({source, end - source, dest, drawn});
  return dest + drawn;
}

// The marks share the room beyond the fixed pixels evenly; the size that is
// reported for each mark is that even share. With two marks and an odd room
// the last mark is drawn one pixel wider, so the canvas is filled and the
// content marks of the frame never show. A canvas smaller than the fixed
// pixels leaves no room: the marked pixels vanish rather than being drawn
// with a negative stretch (which would mirror them).
AxisPlan Stretched(const std::vector<int>& marks, int size, int canvas, FixedScale fixed) {
  AxisPlan plan;
  const int count = static_cast<int>(marks.size());
  int fixedDrawn = fixed.Of(marks.front() - 1) + fixed.Of(size - 2 - marks.back());
  for (int i = 1; i < count; ++i) fixedDrawn += fixed.Of(marks[i] - marks[i - 1] - 1);
  const int room = std::max(0, canvas - fixedDrawn);
  const int share = room / count;
  int source = 1;
  int dest = 0;
  for (int i = 0; i < count; ++i) {
    const int mark = marks[i];
    dest = AppendFixed(plan, source, mark, dest, fixed);
    const int drawn = (i + 1 == count) ? room - share * (count - 1) : share;
    if (drawn > 0) plan.copies.push_back({mark, 1, dest, drawn});
    plan.stretches.push_back({mark, share});
    dest += drawn;
    source = mark + 1;
  }
  AppendFixed(plan, source, size - 1, dest, fixed);
  return plan;
}

AxisPlan PlanAxis(const std::vector<int>& marks, int size, int canvas, FixedScale fixed) {
  if (marks.empty()) return NaturalSize(size, fixed);
  if (marks.size() > kMostMarks) return {};
  return Stretched(marks, size, canvas, fixed);
}

struct Run {
  int first;
  int last;
};

// The content run of a line: from its first black pixel up to, not
// including, the next white one (or the line's end).
std::optional<Run> ContentRun(const std::vector<FrameColor>& line) {
  const auto black = std::find(line.begin(), line.end(), FrameColor::kBlack);
  if (black == line.end()) return std::nullopt;
  const auto white = std::find(black + 1, line.end(), FrameColor::kWhite);
  return Run{static_cast<int>(black - line.begin()), static_cast<int>(white - line.begin()) - 1};
}

// The run's length on the canvas: its picture length (scaled) plus the
// length given to every stretch mark inside it. Without a run the content
// spans the canvas.
std::pair<int, int> ContentSpan(const std::optional<Run>& run, const AxisPlan& plan, int canvas,
                                FixedScale fixed) {
  if (!run) return {0, canvas};
  int length = fixed.Of(run->last - run->first + 1);
  for (const Stretch& stretch : plan.stretches) {
    if (run->first <= stretch.mark && stretch.mark <= run->last) length += stretch.length;
  }
  const int first = fixed.Of(run->first);
  return {first, first + length};
}

}  // namespace

int FixedScale::Of(int length) const {
  return static_cast<int>((2LL * length * numerator + denominator) / (2LL * denominator));
}

FrameColor ClassifyFrameColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  if (red == 0 && green == 0 && blue == 0) return FrameColor::kBlack;
  if (red == 255 && green == 255 && blue == 255) return FrameColor::kWhite;
  return FrameColor::kOther;
}

NinePatchLayout LayoutNinePatch(const NinePatchFrame& frame, int canvasWidth, int canvasHeight,
                                FixedScale fixed) {
  const int width = static_cast<int>(frame.top.size());
  const int height = static_cast<int>(frame.left.size());
  const std::vector<int> columnMarks = StretchMarks(frame.top);
  const std::vector<int> rowMarks = StretchMarks(frame.left);

  NinePatchLayout layout;
  layout.columns = PlanAxis(columnMarks, width, canvasWidth, fixed);
  // A picture already as tall as the canvas is copied as it is, and its row
  // marks then report no stretched height.
  const bool naturalHeight = fixed.Of(height - 2) == canvasHeight;
  layout.rows =
      naturalHeight ? NaturalSize(height, fixed) : PlanAxis(rowMarks, height, canvasHeight, fixed);
  layout.drawable =
      columnMarks.size() <= kMostMarks && (naturalHeight || rowMarks.size() <= kMostMarks);

  const auto [left, right] =
      ContentSpan(ContentRun(frame.bottom), layout.columns, canvasWidth, fixed);
  const auto [top, bottom] = ContentSpan(ContentRun(frame.right), layout.rows, canvasHeight, fixed);
  layout.content = {left, top, right, bottom};
  return layout;
}

}  // namespace skin

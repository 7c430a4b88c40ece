#pragma once
// Where the pieces of a nine-patch picture go when it is stretched to a
// canvas. A nine-patch picture carries a one-pixel frame that is never shown:
// black pixels in the top row and left column mark the columns and rows that
// stretch; black runs in the right column and bottom row mark the content
// area (where a caption goes). This file turns the frame and the canvas size
// into a copy plan and a content rectangle; drawing is left to the caller.

#include <cstdint>
#include <vector>

namespace skin {

// A frame pixel judged by its red, green and blue (alpha is not looked at).
enum class FrameColor : std::uint8_t { kBlack, kWhite, kOther };
FrameColor ClassifyFrameColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// The four frame lines of a w x h picture, in picture coordinates: `top`
// and `bottom` hold w pixels (y = 0 and y = h - 1), `left` and `right` h
// pixels (x = 0 and x = w - 1).
struct NinePatchFrame {
  std::vector<FrameColor> top;
  std::vector<FrameColor> left;
  std::vector<FrameColor> right;
  std::vector<FrameColor> bottom;
};

// How much larger than in the picture its fixed (unmarked) pixels are
// drawn: 1 when the picture was drawn for the display scale, 5/4 for a
// picture drawn for 100 % shown at 125 %.
struct FixedScale {
  int numerator = 1;
  int denominator = 1;
  // `length` pixels at this scale, rounded to the nearest, halves up.
  int Of(int length) const;
};

// One copy along one axis: `sourceLength` pixels from picture position
// `source` (frame included, so the first shown pixel is 1) go to
// `destLength` pixels from canvas position `dest`: copied as they are when
// the lengths agree, a single pixel repeated, several pixels resampled.
// Destinations may run past the canvas (the caller clips) but never have a
// negative length.
struct SpanCopy {
  int source = 0;
  int sourceLength = 0;
  int dest = 0;
  int destLength = 0;
  friend bool operator==(const SpanCopy&, const SpanCopy&) = default;
};

// The length a stretch mark received; `mark` is its picture position.
struct Stretch {
  int mark = 0;
  int length = 0;
  friend bool operator==(const Stretch&, const Stretch&) = default;
};

struct AxisPlan {
  std::vector<SpanCopy> copies;
  std::vector<Stretch> stretches;
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct NinePatchLayout {
  // False when a direction has more than two stretch marks: such a picture
  // is not drawn at all.
  bool drawable = false;
  // Every column copy combines with every row copy into one rectangle copy.
  AxisPlan columns;
  AxisPlan rows;
  // The content area in canvas coordinates.
  PixelRect content;
};

// Lays out the picture whose frame is given into a canvasWidth x
// canvasHeight canvas, its fixed pixels scaled by `fixed`. Each stretch
// mark takes the room the canvas has beyond the fixed pixels (shared evenly
// between two marks); when there is no room the marked pixels vanish and
// the fixed ones are copied side by side, the overflow clipped by the
// canvas. A picture without marks in a direction is copied at its natural
// size (scaled), less its frame.
NinePatchLayout LayoutNinePatch(const NinePatchFrame& frame, int canvasWidth, int canvasHeight,
                                FixedScale fixed = {});

}  // namespace skin

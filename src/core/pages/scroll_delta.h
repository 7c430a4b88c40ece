#pragma once
// How far a page's content moves for one scroll request, clamped so the
// offset stays within 0..max. Positive moves the view down.

namespace pages {

enum class ScrollRequest { kLineUp, kLineDown, kPageUp, kPageDown, kThumb, kOther };

struct ScrollState {
  int pos;   // current offset in pixels, 0 = top
  int max;   // largest offset
  int step;  // pixels per arrow click or wheel notch
  int page;  // visible height, for page up / down
};

// The change for a scroll-bar request; `thumb` is the position a thumb
// request carries. kOther (top, bottom, end of scroll) gives 0.
int ScrollBarDelta(const ScrollState& s, ScrollRequest request, int thumb = 0);

// The change for a mouse wheel: exactly one notch (+120 up, -120 down)
// moves one step; any other delta (high-resolution wheels, two notches
// combined) does not scroll.
int WheelDelta(const ScrollState& s, int wheelDelta);

// The change that brings the item from `top` to `bottom` (view
// coordinates: 0 is the view's top edge) into view with `margin` pixels to
// spare, moving as little as it can; an item taller than the view shows
// its top. 0 when it is in view already.
int RevealDelta(const ScrollState& s, int top, int bottom, int margin);

}  // namespace pages

#include "core/pages/scroll_delta.h"

#include <algorithm>

namespace pages {

int ScrollBarDelta(const ScrollState& s, ScrollRequest request, int thumb) {
  switch (request) {
    case ScrollRequest::kLineUp:
      return std::max(-s.step, -s.pos);
    case ScrollRequest::kLineDown:
      return std::min(s.step, s.max - s.pos);
    case ScrollRequest::kPageUp:
      return std::max(-s.page, -s.pos);
    case ScrollRequest::kPageDown:
      return std::min(s.page, s.max - s.pos);
    case ScrollRequest::kThumb:
      // The bar's range reaches one pixel past the last offset.
      return std::clamp(thumb, 0, s.max) - s.pos;
    case ScrollRequest::kOther:
      break;
  }
  return 0;
}

int WheelDelta(const ScrollState& s, int wheelDelta) {
  if (wheelDelta == 120) return std::max(-s.step, -s.pos);
  if (wheelDelta == -120) return std::min(s.step, s.max - s.pos);
  return 0;
}

int RevealDelta(const ScrollState& s, int top, int bottom, int margin) {
  int delta = 0;
  if (top < margin || bottom - top > s.page - 2 * margin) {
    delta = top - margin;
  } else if (bottom > s.page - margin) {
    delta = bottom - (s.page - margin);
  }
  return std::clamp(s.pos + delta, 0, s.max) - s.pos;
}

}  // namespace pages

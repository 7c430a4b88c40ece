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

}  // namespace pages

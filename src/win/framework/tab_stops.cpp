#include "win/framework/tab_stops.h"

#include <algorithm>

bool IsTabStop(HWND control) {
  if (!IsWindowVisible(control) || !IsWindowEnabled(control) ||
      (GetWindowLongPtrW(control, GWL_STYLE) & WS_TABSTOP) == 0) {
    return false;
  }
  const bool radio = (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
  return !radio || SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND NextTabStop(std::span<const HWND> order, HWND focus, bool backwards,
                 const std::function<bool(HWND)>& isStop) {
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  const auto held = std::ranges::find_if(
      order, [focus](HWND window) { return window == focus || IsChild(window, focus); });
  // Not held: start just outside the end that the search comes from.
  std::ptrdiff_t at = held != order.end() ? held - order.begin() : (backwards ? n : -1);
  for (std::ptrdiff_t step = 1; step <= n; ++step) {
    const std::ptrdiff_t next = ((at + (backwards ? -step : step)) % n + n) % n;
    if (isStop(order[next])) return order[next];
  }
  return nullptr;
}

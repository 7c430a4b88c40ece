#include "win/framework/tab_stops.h"

#include <algorithm>
#include <vector>

namespace {

bool HasStyle(HWND window, LONG_PTR style) {
  return (GetWindowLongPtrW(window, GWL_STYLE) & style) != 0;
}

bool IsRadio(HWND window) {
  return (SendMessageW(window, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0;
}

bool IsTicked(HWND radio) {
  return SendMessageW(radio, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The shown radios of `radio`'s group, in order: a group starts at a
// control marked WS_GROUP and runs to the next one.
std::vector<HWND> ShownGroupOf(HWND radio) {
  HWND first = radio;
  for (HWND before; !HasStyle(first, WS_GROUP) && (before = GetWindow(first, GW_HWNDPREV));) {
    first = before;
  }
  std::vector<HWND> group;
  for (HWND member = first; member; member = GetWindow(member, GW_HWNDNEXT)) {
    if (member != first && HasStyle(member, WS_GROUP)) break;
    if (IsWindowVisible(member) && IsRadio(member)) group.push_back(member);
  }
  return group;
}

}  // namespace

bool IsTabStop(HWND control) {
  if (!IsWindowVisible(control) || !IsWindowEnabled(control)) return false;
  if (!IsRadio(control)) return HasStyle(control, WS_TABSTOP);
  if (IsTicked(control)) return true;
  const std::vector<HWND> group = ShownGroupOf(control);
  return group.front() == control && std::ranges::none_of(group, IsTicked);
}

bool IsFocusNotice(HWND button) {
  return button != nullptr && IsRadio(button) && !IsTicked(button);
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

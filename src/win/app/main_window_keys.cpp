#include "win/app/main_window_keys.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "core/pages/scroll_delta.h"
#include "core/pages/slider_scale.h"
#include "resource_ids.h"
#include "win/controls/window_scale.h"
#include "win/framework/tab_stops.h"

namespace {

constexpr std::array kTabs = {IDC_MAIN_TAB_COMMON, IDC_MAIN_TAB_CONTINUOUS, IDC_MAIN_TAB_PARKING,
                              IDC_MAIN_TAB_ADDITIONAL};
constexpr std::array kCommands = {IDC_MAIN_INITIALIZE, IDC_MAIN_CANCEL, IDC_MAIN_SAVE};
// Room left above or below a control scrolled into view, in design pixels.
constexpr int kRevealMargin = 10;

bool IsTab(HWND main, HWND window) {
  return GetParent(window) == main && std::ranges::find(kTabs, GetDlgCtrlID(window)) != kTabs.end();
}

// The page on show: the main window's visible child dialog.
HWND ShownPage(HWND main) {
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[8] = {};
    GetClassNameW(child, cls, 8);
    if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(child)) return child;
  }
  return nullptr;
}

bool IsSlider(HWND window) {
  wchar_t cls[32] = {};
  GetClassNameW(window, cls, 32);
  return lstrcmpiW(cls, TRACKBAR_CLASSW) == 0;
}

int ShownTab(HWND main) {
  for (size_t i = 0; i < kTabs.size(); ++i) {
    if (SendDlgItemMessageW(main, kTabs[i], BM_GETCHECK, 0, 0) == BST_CHECKED) {
      return static_cast<int>(i);
    }
  }
  return 0;
}

// Enter on a page's push button presses it, as Space does. The dialog
// manager would send the button's command to the main window, the dialog
// it runs, which is not the button's parent; held down, Enter presses once.
bool PressPushButton(const MSG& msg) {
  const HWND focus = GetFocus();
  constexpr LRESULT kPushButton = DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;
  if (focus == nullptr || (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & kPushButton) == 0) {
    return false;
  }
  constexpr LPARAM kRepeated = 1 << 30;
  if ((msg.lParam & kRepeated) == 0) PostMessageW(focus, BM_CLICK, 0, 0);
  return true;
}

// The keyboard moved the focus: from now on it shows, as the dialog
// manager would have it for the keys it handles itself.
void ShowFocusCues(HWND main) {
  SendMessageW(main, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

}  // namespace

MainWindowKeys::MainWindowKeys(std::function<HWND()> window)
    : window_(std::move(window)),
      filter_([this](const MSG& msg, int loop) { return loop == MSGF_DIALOGBOX && OnKey(msg); }) {}

bool MainWindowKeys::OnKey(const MSG& msg) {
  const HWND main = window_();
  // A question open over the window disables it; its keys are not ours.
  if (msg.message != WM_KEYDOWN || main == nullptr || !IsWindowEnabled(main) ||
      GetAncestor(msg.hwnd, GA_ROOT) != main) {
    return false;
  }
  PostMessageW(main, kRevealFocusMessage, 0, 0);
  const bool control = GetKeyState(VK_CONTROL) < 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (msg.wParam) {
    case VK_TAB:
      if (control) {
        ShowPage(main, shift ? -1 : 1, true);
      } else {
        MoveFocus(main, shift);
      }
      return true;
    case VK_NEXT:
    case VK_PRIOR:
      if (!control) return false;
      ShowPage(main, msg.wParam == VK_NEXT ? 1 : -1, true);
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      if (!IsTab(main, GetFocus())) return false;
      ShowPage(main, msg.wParam == VK_LEFT ? -1 : 1, false);
      return true;
    case VK_RETURN:
      return PressPushButton(msg);
    default:
      return false;
  }
}

void MainWindowKeys::MoveFocus(HWND main, bool backwards) {
  std::vector<HWND> order;
  for (int id : kTabs) order.push_back(GetDlgItem(main, id));
  if (const HWND page = ShownPage(main)) {
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      order.push_back(child);
    }
  }
  for (int id : kCommands) order.push_back(GetDlgItem(main, id));
  const HWND next = NextTabStop(order, GetFocus(), backwards, [main](HWND window) {
    return IsTabStop(window) &&
           (!IsTab(main, window) || SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED);
  });
  if (next == nullptr) return;
  SetFocus(next);
  ShowFocusCues(main);
}

// As a click on the tab: the window shows the page and gives its tab the
// focus.
void MainWindowKeys::ShowPage(HWND main, int step, bool wrap) {
  const int count = static_cast<int>(kTabs.size());
  int next = ShownTab(main) + step;
  if (wrap) next = (next + count) % count;
  if (next < 0 || next >= count) return;
  SendMessageW(main, WM_COMMAND, MAKEWPARAM(kTabs[next], 0), 0);
  ShowFocusCues(main);
}

void MainWindowKeys::RevealFocus() {
  const HWND main = window_();
  const HWND page = main ? ShownPage(main) : nullptr;
  const HWND focus = GetFocus();
  SCROLLINFO bar{};
  bar.cbSize = sizeof(bar);
  bar.fMask = SIF_ALL;
  if (page == nullptr || focus == nullptr || !IsChild(page, focus) ||
      !GetScrollInfo(page, SB_VERT, &bar)) {
    return;
  }
  RECT view{};
  GetClientRect(page, &view);
  RECT control{};
  GetWindowRect(focus, &control);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&control), 2);
  // By key, a slider's scale is the only readout of its value.
  if (IsSlider(focus)) control.bottom += WindowScale(page).Px(pages::kSliderScaleHeight);
  // The bar's range is the last offset plus one page.
  const pages::ScrollState scroll{bar.nPos, bar.nMax - static_cast<int>(bar.nPage), 0, view.bottom};
  const int delta =
      pages::RevealDelta(scroll, control.top, control.bottom, WindowScale(page).Px(kRevealMargin));
  if (delta != 0) {
    SendMessageW(page, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, bar.nPos + delta), 0);
  }
}

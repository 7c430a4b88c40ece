#include "win/pages/prog_popup_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "resource_ids.h"
#include "win/controls/window_scale.h"
#include "win/pages/popup_colours.h"

namespace {

constexpr UINT kShownMessage = WM_APP + 1;
constexpr int kTextTop = 28;
constexpr int kOneLineHeight = 40;
constexpr int kTwoLineHeight = 50;
constexpr int kBarMargin = 40;
constexpr int kBarBottomGap = 70;
constexpr int kBarHeight = 30;

int CountLineBreaks(const std::wstring& text) {
  int count = 0;
  for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) {
    ++count;
  }
  return count;
}

}  // namespace

CProgPopupDlg::CProgPopupDlg()
    : Dialog(IDD_PROGRESS_POPUP), whiteBrush_(CreateSolidBrush(RGB(255, 255, 255))) {}

void CProgPopupDlg::SetContent(std::wstring caption, std::wstring message, int width, int height) {
  caption_ = std::move(caption);
  message_ = std::move(message);
  width_ = width;
  height_ = height;
}

void CProgPopupDlg::SetOnShown(std::function<void()> onShown) { onShown_ = std::move(onShown); }

void CProgPopupDlg::SetProgress(int percent) {
  position_ = std::clamp(percent, 0, 100);
  SendMessageW(GetDlgItem(hwnd(), IDC_PROGRESS_POPUP_BAR), PBM_SETPOS, position_, 0);
}

BOOL CProgPopupDlg::OnInitDialog() {
  const skin::Scale scale = WindowScale(hwnd());
  SetWindowPos(hwnd(), nullptr, 0, 0, scale.Px(width_), scale.Px(height_),
               SWP_NOMOVE | SWP_NOZORDER);
  SetWindowTextW(hwnd(), caption_.c_str());
  HWND text = GetDlgItem(hwnd(), IDC_PROGRESS_POPUP_TEXT);
  SetWindowTextW(text, message_.c_str());
  const int textHeight = CountLineBreaks(message_) == 2 ? kTwoLineHeight : kOneLineHeight;
  MoveToDesignRect(text, {0, kTextTop, width_, kTextTop + textHeight}, scale);

  HWND bar = GetDlgItem(hwnd(), IDC_PROGRESS_POPUP_BAR);
  const int barTop = height_ - kBarBottomGap;
  MoveToDesignRect(bar, {kBarMargin, barTop, width_ - kBarMargin, barTop + kBarHeight}, scale);
  SendMessageW(bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  position_ = 0;
  // Posted, so it runs from the modal loop once the window is shown.
  PostMessageW(hwnd(), kShownMessage, 0, 0);
  return TRUE;
}

INT_PTR CProgPopupDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto colour = WhitePopupColour(msg, wParam, whiteBrush_.get())) return *colour;
  switch (msg) {
    case kShownMessage:
      if (onShown_) onShown_();
      return TRUE;
    case WM_SYSCOMMAND:
      // Alt+F4 would close the popup while its job still runs.
      return (wParam & 0xFFF0) == SC_CLOSE;
    case WM_CLOSE:
      // The working thread's way to end the popup; the user has none.
      EndDialog(IDCANCEL);
      return TRUE;
    default:
      return Dialog::DialogProc(msg, wParam, lParam);
  }
}

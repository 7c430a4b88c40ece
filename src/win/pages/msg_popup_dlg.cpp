#include "win/pages/msg_popup_dlg.h"

#include <algorithm>
#include <utility>

#include "resource_ids.h"
#include "win/controls/window_scale.h"
#include "win/framework/handle.h"
#include "win/framework/message_filter.h"
#include "win/pages/popup_colours.h"

namespace {

constexpr int kTextTop = 28;
constexpr int kOneLineHeight = 20;
constexpr int kTwoLineHeight = 50;
// Room left and right of the message.
constexpr int kTextMargin = 12;
constexpr int kButtonWidth = 85;
constexpr int kButtonHeight = 25;
// The buttons' top lies this far above the window's bottom edge.
constexpr int kButtonsAboveBottom = 60;

size_t CountLineBreaks(const std::wstring& text) {
  size_t count = 0;
  for (size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) {
    ++count;
  }
  return count;
}

}  // namespace

CMsgPopupDlg::CMsgPopupDlg()
    : Dialog(IDD_MSG_POPUP), whiteBrush_(CreateSolidBrush(RGB(255, 255, 255))) {}

void CMsgPopupDlg::SetContent(std::wstring caption, std::wstring message, int width, int height) {
  caption_ = std::move(caption);
  message_ = std::move(message);
  width_ = width;
  height_ = height;
}

// A modal dialog's keys go to its focused button, and the dialog manager
// turns Escape into the same Cancel command as the No button. The message
// filter sees each message of the modal loop first, so the popup can keep
// Escape from closing it.
INT_PTR CMsgPopupDlg::DoModal(HWND owner) {
  MessageFilter filter(
      [this](const MSG& msg, int loop) { return loop == MSGF_DIALOGBOX && PreTranslateMessage(msg); });
  return Dialog::DoModal(owner);
}

bool CMsgPopupDlg::PreTranslateMessage(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || hwnd() == nullptr) return false;
  if (msg.hwnd != hwnd() && !IsChild(hwnd(), msg.hwnd)) return false;
  switch (msg.wParam) {
    case VK_ESCAPE:
      return true;
    case 'Y':
      EndDialog(IDOK);
      return false;
    case 'N':
      EndDialog(IDCANCEL);
      return false;
    default:
      return false;
  }
}

// The popup is the size its caller asked for, or larger where its message
// needs it: as wide as the message's longest line with a margin on each
// side, and taller by what the message needs beyond its text area. It
// never grows past the screen: there the message wraps instead.
BOOL CMsgPopupDlg::OnInitDialog() {
  const skin::Scale scale = WindowScale(hwnd());
  HWND owner = GetWindow(hwnd(), GW_OWNER);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(MonitorFromWindow(owner != nullptr ? owner : hwnd(), MONITOR_DEFAULTTOPRIMARY),
                  &monitor);
  const RECT screen = monitor.rcWork;
  const int screenWidth = screen.right - screen.left, screenHeight = screen.bottom - screen.top;
  RECT frame{};  // what the window's frame adds to its client area
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
  const int frameWidth = frame.right - frame.left;
  const int margin = scale.Px(kTextMargin);

  HWND text = GetDlgItem(hwnd(), IDC_MSG_POPUP_TEXT);
  const SIZE needed = MessageSize(text, screenWidth - frameWidth - 2 * margin);
  const int areaHeight = scale.Px(CountLineBreaks(message_) == 2 ? kTwoLineHeight : kOneLineHeight);
  const int textHeight = std::max(areaHeight, static_cast<int>(needed.cy));
  const int width =
      std::min(std::max(scale.Px(width_), static_cast<int>(needed.cx) + 2 * margin + frameWidth),
               screenWidth);
  const int height = std::min(scale.Px(height_) + textHeight - areaHeight, screenHeight);
  // Over the middle of its owner rather than at its top-left corner, and
  // on the screen.
  RECT area = screen;
  if (owner != nullptr) GetWindowRect(owner, &area);
  const int left =
      std::clamp(static_cast<int>(area.left + area.right - width) / 2,
                 static_cast<int>(screen.left), static_cast<int>(screen.right) - width);
  const int top =
      std::clamp(static_cast<int>(area.top + area.bottom - height) / 2,
                 static_cast<int>(screen.top), static_cast<int>(screen.bottom) - height);
  SetWindowPos(hwnd(), nullptr, left, top, width, height, SWP_NOZORDER);

  SetWindowTextW(hwnd(), caption_.c_str());
  SetWindowTextW(text, message_.c_str());
  MoveWindow(text, margin, scale.Px(kTextTop), width - frameWidth - 2 * margin, textHeight, TRUE);

  const int buttonTop = height - scale.Px(kButtonsAboveBottom);
  const std::pair<int, int> buttons[] = {{IDC_MSG_POPUP_YES, width / 2 - scale.Px(95)},
                                         {IDC_MSG_POPUP_NO, width / 2 + scale.Px(10)}};
  for (const auto& [id, x] : buttons) {
    HWND button = GetDlgItem(hwnd(), id);
    MoveWindow(button, x, buttonTop, scale.Px(kButtonWidth), scale.Px(kButtonHeight), TRUE);
    ShowWindow(button, SW_SHOW);
  }
  return TRUE;
}

// The size of the message in the text control's font, its lines broken
// where they would run past `maxWidth` pixels.
SIZE CMsgPopupDlg::MessageSize(HWND text, int maxWidth) const {
  WindowDc dc(text);
  SelectGuard font(dc.get(), reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
  RECT measured{0, 0, maxWidth, 0};
  DrawTextW(dc.get(), message_.c_str(), static_cast<int>(message_.size()), &measured,
            DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
  return {measured.right, measured.bottom};
}

INT_PTR CMsgPopupDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto colour = WhitePopupColour(msg, wParam, whiteBrush_.get())) return *colour;
  switch (msg) {
    case WM_CLOSE:
      EndDialog(IDCANCEL);
      return TRUE;
    default:
      return Dialog::DialogProc(msg, wParam, lParam);
  }
}

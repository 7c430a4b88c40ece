#include "win/pages/msg_popup_dlg.h"

#include <utility>

#include "resource_ids.h"
#include "win/controls/window_scale.h"
#include "win/framework/message_filter.h"
#include "win/pages/popup_colours.h"

namespace {

constexpr int kTextTop = 28;
constexpr int kOneLineHeight = 20;
constexpr int kTwoLineHeight = 50;
constexpr int kButtonWidth = 85;
constexpr int kButtonHeight = 25;

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

BOOL CMsgPopupDlg::OnInitDialog() {
  const skin::Scale scale = WindowScale(hwnd());
  const int width = scale.Px(width_), height = scale.Px(height_);
  SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  // Over the middle of its owner rather than at its top-left corner.
  RECT area{};
  HWND owner = GetWindow(hwnd(), GW_OWNER);
  if (owner == nullptr || !GetWindowRect(owner, &area)) {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  SetWindowPos(hwnd(), nullptr, area.left + (area.right - area.left - width) / 2,
               area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  SetWindowTextW(hwnd(), caption_.c_str());
  HWND text = GetDlgItem(hwnd(), IDC_MSG_POPUP_TEXT);
  SetWindowTextW(text, message_.c_str());
  int textHeight = CountLineBreaks(message_) == 2 ? kTwoLineHeight : kOneLineHeight;
  MoveToDesignRect(text, {0, kTextTop, width_, kTextTop + textHeight}, scale);

  const int buttonTop = height_ - 60;
  const struct {
    int id;
    int x;
  } buttons[] = {{IDC_MSG_POPUP_YES, width_ / 2 - 95}, {IDC_MSG_POPUP_NO, width_ / 2 + 10}};
  for (const auto& b : buttons) {
    HWND button = GetDlgItem(hwnd(), b.id);
    MoveToDesignRect(button, {b.x, buttonTop, b.x + kButtonWidth, buttonTop + kButtonHeight},
                     scale);
    ShowWindow(button, SW_SHOW);
  }
  return TRUE;
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

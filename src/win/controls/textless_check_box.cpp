#include "win/controls/textless_check_box.h"

#include "win/framework/handle.h"

LRESULT TextlessCheckBox::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      Paint();
      return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
      const LRESULT result = DescribedControl::WindowProc(msg, wParam, lParam);
      InvalidateRect(hwnd(), nullptr, TRUE);
      return result;
    }
    default:
      return DescribedControl::WindowProc(msg, wParam, lParam);
  }
}

// The box as the control draws it, then the focus outline around the
// whole control, in one pass: drawn over a repainted box, the outline
// never doubles up with one drawn before.
void TextlessCheckBox::Paint() {
  PaintDc paint(hwnd());
  DefaultProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(paint.get()), PRF_CLIENT);
  const bool cuesHidden = (SendMessageW(hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
  if (GetFocus() != hwnd() || cuesHidden) return;
  RECT client{};
  GetClientRect(hwnd(), &client);
  DrawFocusRect(paint.get(), &client);
}

#pragma once
// The two popups draw on white: the dialog, its static texts and, with a
// transparent background, everything else.

#include <windows.h>

#include <optional>

// The answer to a WM_CTLCOLOR* message, or nothing for other messages.
inline std::optional<INT_PTR> WhitePopupColour(UINT msg, WPARAM wParam, HBRUSH whiteBrush) {
  HDC dc = reinterpret_cast<HDC>(wParam);
  switch (msg) {
    case WM_CTLCOLORDLG:
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_CTLCOLORSTATIC:
      SetBkMode(dc, TRANSPARENT);
      SetBkColor(dc, RGB(255, 255, 255));
      return reinterpret_cast<INT_PTR>(whiteBrush);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
      SetBkMode(dc, TRANSPARENT);
      return FALSE;
    default:
      return std::nullopt;
  }
}

// The floor for the program's start-up: the same main window and the same
// Common page, made from the program's own dialog templates and placed
// where the program places them, with no skin, no pictures and no logic.
// What the program does beyond this twin is what its start can still
// lose. Built like the program, from its resources; never shipped.

#include <windows.h>
// After windows.h, whose types it needs.
#include <commctrl.h>

#include "resource_ids.h"

namespace {

// Where the program puts its window and the page, in pixels at 96 DPI.
constexpr int kWidth = 622;
constexpr int kHeight = 587;
constexpr RECT kPageArea{11, 85, 611, 522};

INT_PTR CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(hwnd);
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK PageProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&icc);
  HWND window = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAIN), nullptr, MainProc, 0);
  // Placed hidden and shown whole, as the program's window is.
  SetWindowPos(window, HWND_TOPMOST, 0, 0, kWidth, kHeight, SWP_HIDEWINDOW);
  HWND page = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_COMMON), window, PageProc, 0);
  SetWindowPos(page, nullptr, kPageArea.left, kPageArea.top, kPageArea.right - kPageArea.left,
               kPageArea.bottom - kPageArea.top, SWP_NOZORDER | SWP_SHOWWINDOW);
  ShowWindow(window, SW_SHOW);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

// The yardstick for start-up time: the least a Win32 program does to put a
// painted window on the screen. It opens one window where the settings
// window opens, as large, and paints it one colour. Built like the program
// (static, no console) so both pay the same loader costs; never shipped.

#include <windows.h>

namespace {

constexpr int kWidth = 622;
constexpr int kHeight = 587;
constexpr COLORREF kColour = RGB(40, 90, 140);

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      HBRUSH brush = CreateSolidBrush(kColour);
      FillRect(dc, &ps.rcPaint, brush);
      DeleteObject(brush);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"MinimalWindow";
  RegisterClassW(&wc);
  CreateWindowExW(WS_EX_TOPMOST | WS_EX_APPWINDOW, wc.lpszClassName, L"Minimal window",
                  WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr, instance,
                  nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}

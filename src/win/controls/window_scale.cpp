#include "win/controls/window_scale.h"

#include "win/framework/handle.h"
#include "win/platform/newer_function.h"

namespace {

// Both exist from Windows 10 (1607) on; older systems have one scale for
// every monitor, which the screen's DPI tells.
using GetDpiForWindowProc = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiProc = int(WINAPI*)(int, UINT);

int ScreenDpi() {
  WindowDc screen(nullptr);
  return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

}  // namespace

skin::Scale WindowScale(HWND window) {
  static const auto getDpiForWindow =
      NewerFunction<GetDpiForWindowProc>(L"user32.dll", "GetDpiForWindow");
  if (window != nullptr && getDpiForWindow != nullptr) {
    return skin::Scale(static_cast<int>(getDpiForWindow(window)));
  }
  return skin::Scale(ScreenDpi());
}

RECT DeviceRect(const skin::PixelRect& design, const skin::Scale& scale) {
  const skin::PixelRect r = scale.Px(design);
  return {r.left, r.top, r.right, r.bottom};
}

void MoveToDesignRect(HWND window, const skin::PixelRect& design, const skin::Scale& scale) {
  const RECT r = DeviceRect(design, scale);
  SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

int SystemMetric(int index, const skin::Scale& scale) {
  static const auto forDpi =
      NewerFunction<GetSystemMetricsForDpiProc>(L"user32.dll", "GetSystemMetricsForDpi");
  if (forDpi != nullptr) return forDpi(index, static_cast<UINT>(scale.dpi()));
  // Only the system's scale is known here.
  return skin::Scale(ScreenDpi()) == scale
             ? GetSystemMetrics(index)
             : MulDiv(GetSystemMetrics(index), scale.dpi(), ScreenDpi());
}

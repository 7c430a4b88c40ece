#include "win/framework/window.h"

#include <commctrl.h>

namespace {

constexpr wchar_t kWindowClass[] = L"DashCamSettingWindow";
constexpr UINT_PTR kSubclassId = 1;

ATOM RegisterWindowClass(WNDPROC proc) {
  static ATOM atom = [proc] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kWindowClass;
    return RegisterClassExW(&wc);
  }();
  return atom;
}

}  // namespace

Window::~Window() {
  if (hwnd_ == nullptr) return;
  if (subclassed_) {
    Detach();
  } else {
    // The object dies first: stop the thunk before the window goes.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
}

bool Window::CreateChild(HWND parent, int id, const RECT& rect, DWORD style, DWORD exStyle) {
  if (hwnd_ != nullptr || RegisterWindowClass(StaticWindowProc) == 0) return false;
  HWND created = CreateWindowExW(exStyle, kWindowClass, L"", style | WS_CHILD, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), this);
  return created != nullptr;
}

bool Window::Attach(HWND hwnd) {
  if (hwnd_ != nullptr || hwnd == nullptr) return false;
  if (!SetWindowSubclass(hwnd, StaticSubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
    return false;
  }
  hwnd_ = hwnd;
  subclassed_ = true;
  return true;
}

void Window::Detach() {
  if (hwnd_ != nullptr && subclassed_) RemoveWindowSubclass(hwnd_, StaticSubclassProc, kSubclassId);
  hwnd_ = nullptr;
  subclassed_ = false;
}

LRESULT Window::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(msg, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return subclassed_ ? DefSubclassProc(hwnd_, msg, wParam, lParam)
                     : DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = WindowProc(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    if (subclassed_) RemoveWindowSubclass(hwnd_, StaticSubclassProc, kSubclassId);
    hwnd_ = nullptr;
    subclassed_ = false;
    OnFinalDestroy();
  }
  return result;
}

LRESULT CALLBACK Window::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  return self->Dispatch(msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticSubclassProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                            DWORD_PTR refData) {
  return reinterpret_cast<Window*>(refData)->Dispatch(msg, wParam, lParam);
}

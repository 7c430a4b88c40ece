#include "win/framework/window.h"

namespace {

constexpr wchar_t kWindowClass[] = L"DashCamSettingWindow";

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
  if (hook_ != nullptr) {
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
  // The window's user data must be free for the hook.
  if (hwnd_ != nullptr || hwnd == nullptr || GetWindowLongPtrW(hwnd, GWLP_USERDATA) != 0) {
    return false;
  }
  auto* hook = new Hook{this, nullptr};
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hook));
  hook->original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticAttachedProc)));
  if (hook->original == nullptr) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    delete hook;
    return false;
  }
  hwnd_ = hwnd;
  hook_ = hook;
  return true;
}

void Window::Detach() { Unhook(false); }

void Window::Unhook(bool windowGone) {
  if (hook_ == nullptr) return;
  const bool onTop = GetWindowLongPtrW(hwnd_, GWLP_WNDPROC) ==
                     reinterpret_cast<LONG_PTR>(StaticAttachedProc);
  if (onTop) {
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook_->original));
  } else if (!windowGone) {
    // Another subclass sits above ours: the hook passes messages on, and
    // goes with the window.
    hook_->self = nullptr;
    hook_ = nullptr;
    hwnd_ = nullptr;
    return;
  }
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  delete hook_;
  hook_ = nullptr;
  hwnd_ = nullptr;
}

LRESULT Window::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefaultProc(msg, wParam, lParam);
}

LRESULT Window::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  return hook_ != nullptr ? CallWindowProcW(hook_->original, hwnd_, msg, wParam, lParam)
                          : DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT Window::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT result = WindowProc(msg, wParam, lParam);
  if (msg == WM_NCDESTROY) {
    // No message follows WM_NCDESTROY.
    Unhook(true);
    hwnd_ = nullptr;
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

LRESULT CALLBACK Window::StaticAttachedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* hook = reinterpret_cast<Hook*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (hook->self != nullptr) return hook->self->Dispatch(msg, wParam, lParam);
  const LRESULT result = CallWindowProcW(hook->original, hwnd, msg, wParam, lParam);
  if (msg == WM_NCDESTROY) delete hook;
  return result;
}

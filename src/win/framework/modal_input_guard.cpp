#include "win/framework/modal_input_guard.h"

namespace {

bool IsInput(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

ModalInputGuard::ModalInputGuard()
    : hook_(SetWindowsHookExW(WH_MSGFILTER, Filter, nullptr, GetCurrentThreadId())) {}

ModalInputGuard::~ModalInputGuard() {
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
}

bool ModalInputGuard::IsBlockedInput(const MSG& msg) {
  if (!IsInput(msg.message) || msg.hwnd == nullptr) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return root != nullptr && !IsWindowEnabled(root);
}

// Modal dialog loops, message boxes included, pass every message through
// the thread's message filter before they dispatch it.
LRESULT CALLBACK ModalInputGuard::Filter(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0 && IsBlockedInput(*reinterpret_cast<const MSG*>(lParam))) return TRUE;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

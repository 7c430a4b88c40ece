#include "win/framework/modal_input_guard.h"

namespace {

bool IsInput(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// Input for a window that a modal window disables.
bool IsBlockedInput(const MSG& msg) {
  if (!IsInput(msg.message) || msg.hwnd == nullptr) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  return root != nullptr && !IsWindowEnabled(root);
}

}  // namespace

ModalInputGuard::ModalInputGuard()
    : filter_([](const MSG& msg, int) { return IsBlockedInput(msg); }) {}

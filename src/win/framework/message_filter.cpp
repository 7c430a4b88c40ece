#include "win/framework/message_filter.h"

#include <utility>

namespace {

// The newest filter of this thread; each one links to the one before it.
thread_local MessageFilter* innermost = nullptr;

}  // namespace

MessageFilter::MessageFilter(Function function)
    : function_(std::move(function)), outer_(std::exchange(innermost, this)) {
  if (outer_ == nullptr) {
    hook_ = SetWindowsHookExW(WH_MSGFILTER, Hook, nullptr, GetCurrentThreadId());
  }
}

MessageFilter::~MessageFilter() {
  innermost = outer_;
  if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
}

LRESULT CALLBACK MessageFilter::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code >= 0) {
    const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
    for (MessageFilter* filter = innermost; filter != nullptr; filter = filter->outer_) {
      if (filter->function_(msg, code)) return TRUE;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

#pragma once
// A look at every message of this thread's modal loops before they
// dispatch it: dialog boxes, message boxes, menus and scroll bars pass each
// message through the thread's message filter first. While a filter
// lives, its function sees each message with the kind of loop (MSGF_*)
// and returns true to swallow it. Filters made later are asked first.
//
// Filters are made and destroyed on one thread, in nested order.

#include <windows.h>

#include <functional>

class MessageFilter {
 public:
  using Function = std::function<bool(const MSG& msg, int loop)>;

  explicit MessageFilter(Function function);
  ~MessageFilter();
  MessageFilter(const MessageFilter&) = delete;
  MessageFilter& operator=(const MessageFilter&) = delete;

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);

  Function function_;
  MessageFilter* outer_;  // the filter made before this one, asked after it
  HHOOK hook_ = nullptr;  // the thread's one hook, held by the outermost filter
};

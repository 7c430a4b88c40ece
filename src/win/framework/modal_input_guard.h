#pragma once
// Keeps a modal window modal for input that was queued before it opened.
//
// Windows routes a click or key to the window under the pointer or with
// the focus when the input happens. A quick double click, or typing
// ahead, can therefore leave messages in the queue for the main window
// after a question has opened and disabled it; the question's modal loop
// would still deliver them, so the hidden half of a double click asks the
// question again, or a tab click acts behind it. While the guard lives,
// every modal loop of this thread drops mouse and keyboard messages for
// windows whose top-level window is disabled, as Windows does for live
// input.

#include <windows.h>

#include "win/framework/message_filter.h"

class ModalInputGuard {
 public:
  ModalInputGuard();

 private:
  MessageFilter filter_;
};

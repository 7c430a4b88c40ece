#pragma once
// One window per card folder. Two windows on one card would each save
// their own record, and the later Save would undo the earlier one's edits;
// so a second start for a card folder that has a window brings that window
// to the front and ends instead.

#include <windows.h>

#include <string>

#include "win/framework/handle.h"

namespace app {

struct SharedViewTraits {
  using Handle = HWND*;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { UnmapViewOfFile(h); }
};
using SharedWindowView = UniqueHandle<SharedViewTraits>;

class SingleInstance {
 public:
  // Claims cardFolder for this process, unless another process holds it.
  explicit SingleInstance(const std::wstring& cardFolder);

  // Whether another process held the card folder first.
  bool HeldElsewhere() const { return heldElsewhere_; }

  // Tells later starts which window to bring to the front.
  void SetWindow(HWND window);

 private:
  UniqueKernelHandle mapping_;
  SharedWindowView window_;  // empty when it could not be made
  bool heldElsewhere_ = false;
};

// Brings the window of the process that holds cardFolder to the front,
// waiting a few seconds for a window that is still being made. False when
// no process holds it, or its window never appeared.
bool ShowWindowHolding(const std::wstring& cardFolder);

}  // namespace app

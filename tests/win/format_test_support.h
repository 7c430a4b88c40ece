#pragma once
// Shared by the progress-popup and card-format tests: a thread timer that
// acts from inside whatever modal loop the test's thread is in (a popup's,
// a message box's), and probes for the dialogs on screen.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace format_test {

// Calls onTick every 20 ms on this thread while it lives. One at a time.
class Ticker {
 public:
  explicit Ticker(std::function<void()> onTick) : onTick_(std::move(onTick)) {
    current() = this;
    timer_ = SetTimer(nullptr, 0, 20, Tick);
  }
  ~Ticker() {
    KillTimer(nullptr, timer_);
    current() = nullptr;
  }
  Ticker(const Ticker&) = delete;
  Ticker& operator=(const Ticker&) = delete;

 private:
  static Ticker*& current() {
    static Ticker* ticker = nullptr;
    return ticker;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current() != nullptr) current()->onTick_();
  }

  std::function<void()> onTick_;
  UINT_PTR timer_ = 0;
};

inline std::wstring WindowText(HWND hwnd) {
  std::wstring text(GetWindowTextLengthW(hwnd), L'\0');
  GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()) + 1);
  return text;
}

// The visible dialogs (popups and message boxes) of this thread.
inline std::vector<HWND> VisibleDialogs() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM list) {
        wchar_t className[16] = {};
        GetClassNameW(hwnd, className, 16);
        if (IsWindowVisible(hwnd) && std::wstring(className) == L"#32770") {
          reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// The text a message box shows: that of its static controls.
inline std::wstring MessageBoxText(HWND box) {
  std::wstring text;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM out) {
        wchar_t className[16] = {};
        GetClassNameW(child, className, 16);
        if (_wcsicmp(className, L"Static") == 0) {
          *reinterpret_cast<std::wstring*>(out) += WindowText(child);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&text));
  return text;
}

}  // namespace format_test

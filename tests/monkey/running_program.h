#pragma once
// The program under test, seen from outside: its process, its windows and
// the states of its controls, read across the process boundary.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "screen_view.h"

namespace monkey {

class RunningProgram {
 public:
  // Starts `program` with the card folder as its argument, in the Unix
  // time zone `tz` (null: ours), and waits for its main window; false (with
  // `error` set) when it does not appear.
  bool Start(const std::wstring& program, const std::wstring& cardFolder, const wchar_t* tz,
             std::string& error);
  ~RunningProgram();

  HWND MainWindow() const { return main_; }
  // The page showing settings of `page`, found by a control only it has.
  HWND PageWindow(Page page) const;
  HWND Control(Page page, int id) const;
  // The page's controls in template order, all or those of one class.
  std::vector<HWND> Controls(Page page, const wchar_t* kind = nullptr) const;
  // The page that is shown, or nullopt.
  std::optional<Page> ShownPage() const;
  // A top-level dialog of the program other than the main window (a
  // question or a message), or null.
  HWND Popup() const;
  // A dropped time-zone list or date picker calendar, or null.
  HWND DropDown() const;

  // Waits until the program has handled the input sent so far; false when
  // it does not answer within `milliseconds` (it hangs).
  bool Settle(DWORD milliseconds = 5000) const;
  // Waits for the process to end.
  bool WaitForExit(DWORD milliseconds) const;
  void Kill() const;

  ScreenView ReadScreen() const;

 private:
  std::optional<SYSTEMTIME> PickerTime(HWND picker) const;

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

// The time zones of this PC's registry.
std::vector<RegistryZone> RegistryZones();

}  // namespace monkey

#pragma once
// Runs the real main window (modal loop, skin, language) against a card
// folder on disk, driven by steps from a timer on the window's own thread.

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "core/settings/settings_record.h"

namespace main_window_test {

namespace fs = std::filesystem;

// A step runs on each timer tick until it returns true; then the next one.
using Step = std::function<bool(HWND mainWindow)>;

// Runs the main window on `folder` through `steps`; returns when it closed.
// Gives up after 10 s so a stuck step never hangs the suite.
void RunMainWindow(const fs::path& folder, std::vector<Step> steps);

// A visible dialog of this thread: the main window, or a window it owns.
HWND FindThreadDialog(bool wantMain);

// Posts the main window's command `id`, as its buttons do.
Step Command(int id);

// Keys as the keyboard sends them to the focused window; the modal loop
// translates them into characters.
void PostKeys(const std::vector<UINT>& keys);

// Puts the modifier keys `held` (VK_CONTROL, VK_SHIFT) down or up in the
// thread's keyboard state, where the window looks for them; posted keys
// leave that state alone.
void HoldKeys(const std::vector<UINT>& held, bool down);

// One key on the focused window with the modifier keys `held` down while
// the window handles it; with modifiers the step ends on the next tick,
// once the window has handled the key, without at once.
Step Key(UINT vk, std::vector<UINT> held = {});

// The four pages, in tab order, and a control on any of them.
std::vector<HWND> Pages(HWND main);
HWND PageControl(HWND main, int id);

std::string ReadAll(const fs::path& path);
// setup.cfg as Save writes it for a card without one (the factory record),
// made in `folder` and removed again.
std::string FactoryFile(const fs::path& folder);
void WriteAll(const fs::path& path, const std::string& bytes);
SettingsRecord ReadRecord(const fs::path& path);
std::wstring WindowText(HWND hwnd);

// A window that stops answering blocks the thread that drives it, so a
// second thread ends the suite with a clear message instead of letting
// it hang until ctest gives up.
class HangWatchdog {
 public:
  HangWatchdog();
  ~HangWatchdog();
  HangWatchdog(const HangWatchdog&) = delete;
  HangWatchdog& operator=(const HangWatchdog&) = delete;

 private:
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// A fresh folder per test, removed afterwards.
class CardFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  fs::path folder_;
};

}  // namespace main_window_test

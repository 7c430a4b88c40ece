#include "main_window_support.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "resource_ids.h"
#include "win/platform/program_file.h"
#include "win/app/setting_dlg.h"

namespace main_window_test {

namespace {

std::vector<Step> g_steps;
size_t g_next = 0;
int g_ticks = 0;

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
  HWND main = FindThreadDialog(true);
  if (++g_ticks > 200) {  // 10 s: give up, never hang the suite
    ADD_FAILURE() << "steps did not finish";
    if (main) PostMessageW(main, WM_COMMAND, IDC_MAIN_CANCEL, 0);
    return;
  }
  if (main == nullptr || g_next >= g_steps.size()) return;
  if (g_steps[g_next](main)) ++g_next;
}

}  // namespace

HWND FindThreadDialog(bool wantMain) {
  struct Search {
    bool wantMain;
    HWND found = nullptr;
  } search{wantMain};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        wchar_t cls[32] = {};
        GetClassNameW(hwnd, cls, 32);
        if (!IsWindowVisible(hwnd) || lstrcmpW(cls, L"#32770") != 0) return TRUE;
        bool isMain = GetWindow(hwnd, GW_OWNER) == nullptr;
        if (isMain != s->wantMain) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void RunMainWindow(const fs::path& folder, std::vector<Step> steps) {
  cardFolder = folder.wstring() + L"\\";
  g_steps = std::move(steps);
  g_next = 0;
  g_ticks = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, OnTick);
  {
    CSettingDlg dialog;
    dialog.DoModal(nullptr);
  }
  KillTimer(nullptr, timer);
  EXPECT_EQ(g_next, g_steps.size()) << "not every step ran";
}

Step Command(int id) {
  return [id](HWND main) {
    PostMessageW(main, WM_COMMAND, id, 0);
    return true;
  };
}

void PostKeys(const std::vector<UINT>& keys) {
  for (UINT vk : keys) {
    // Without a window manager the test display now and then hands the
    // foreground to its desktop window, which leaves no focus to type
    // into; the driver would bring the window back first.
    if (GetFocus() == nullptr) SetForegroundWindow(FindThreadDialog(true));
    HWND focus = GetFocus();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    PostMessageW(focus, WM_KEYDOWN, vk, scan | 1);
    PostMessageW(focus, WM_KEYUP, vk, scan | 0xC0000001);
  }
}

void HoldKeys(const std::vector<UINT>& held, bool down) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  for (UINT vk : held) state[vk] = down ? 0x80 : 0;
  SetKeyboardState(state);
}

// The modifiers stay down while the key waits in the queue, and go up a
// tick later.
Step Key(UINT vk, std::vector<UINT> held) {
  return [vk, held = std::move(held), pressed = false](HWND) mutable {
    HoldKeys(held, !pressed);
    if (pressed) return true;
    PostKeys({vk});
    pressed = true;
    return held.empty();
  };
}

std::vector<HWND> Pages(HWND main) {
  std::vector<HWND> pages;
  for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    if (lstrcmpW(cls, L"#32770") == 0) pages.push_back(child);
  }
  return pages;
}

HWND PageControl(HWND main, int id) {
  for (HWND page : Pages(main)) {
    if (HWND control = GetDlgItem(page, id)) return control;
  }
  return nullptr;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string FactoryFile(const fs::path& folder) {
  RunMainWindow(folder, {Command(IDC_MAIN_SAVE)});
  std::string bytes = ReadAll(folder / "setup.cfg");
  fs::remove(folder / "setup.cfg");
  return bytes;
}

SettingsRecord ReadRecord(const fs::path& path) {
  SettingsRecord record{};
  const std::string bytes = ReadAll(path);
  std::memcpy(&record, bytes.data(), std::min(bytes.size(), sizeof record));
  return record;
}

std::wstring WindowText(HWND hwnd) {
  wchar_t text[256] = {};
  GetWindowTextW(hwnd, text, 256);
  return text;
}

HangWatchdog::HangWatchdog()
    : thread_([this] {
        for (int i = 0; i < 300 && !done_; ++i) Sleep(100);
        if (done_) return;
        std::fputs("The main window stopped answering (hang).\n", stderr);
        std::fflush(stderr);
        ExitProcess(3);
      }) {}

HangWatchdog::~HangWatchdog() {
  done_ = true;
  thread_.join();
}

void CardFolderTest::SetUp() {
  folder_ = fs::temp_directory_path() / (L"main-window-" + std::to_wstring(GetCurrentProcessId()) +
                                         L"-" + std::to_wstring(GetTickCount64()));
  fs::create_directories(folder_);
}

void CardFolderTest::TearDown() {
  std::error_code ec;
  fs::remove_all(folder_, ec);
  cardFolder.clear();
}

}  // namespace main_window_test

#include "running_program.h"

#include <commctrl.h>

#include <array>
#include <utility>

#include "resource_ids.h"

namespace monkey {
namespace {

// A control that exists on one page only, to find that page by.
constexpr std::array<std::pair<Page, int>, 4> kPageMarks = {{
    {Page::kCommon, IDC_COMMON_LANGUAGE_ENGLISH},
    {Page::kContinuous, IDC_CONTINUOUS_FRONT_RES_VGA},
    {Page::kParking, IDC_PARKING_MODE_ON},
    {Page::kAdditional, IDC_ADDITIONAL_FORMAT_BUTTON},
}};

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
    return 0;
  }
  return LRESULT(result);
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

struct TopLevelSearch {
  DWORD processId;
  HWND skip;
  bool (*wanted)(HWND);
  HWND found = nullptr;
};

// A visible window of the process (of any process for 0) that `wanted`.
HWND FindTopLevel(DWORD processId, HWND skip, bool (*wanted)(HWND)) {
  TopLevelSearch search{processId, skip, wanted};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<TopLevelSearch*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((s.processId && owner != s.processId) || window == s.skip || !IsWindowVisible(window)) {
          return TRUE;
        }
        if (!s.wanted(window)) return TRUE;
        s.found = window;
        return FALSE;
      },
      LPARAM(&search));
  return search.found;
}

bool IsDialog(HWND window) {
  return ClassOf(window) == L"#32770";
}
bool IsMainWindow(HWND window) {
  return IsDialog(window) && GetDlgItem(window, IDC_MAIN_SAVE) != nullptr;
}
bool IsDropDown(HWND window) {
  const std::wstring name = ClassOf(window);
  return name == L"ComboLBox" || name == L"SysMonthCal32" || name == L"DropDown";
}

// Wine gives a process the zone of the Unix TZ that it starts with, and a
// process started from here inherits ours; so the program goes through Unix
// env(1), its output to NUL. Wine cannot wait on such a start.
bool StartInTimeZone(const std::wstring& commandLine, const wchar_t* tz) {
  std::wstring command = L"/usr/bin/env TZ=" + std::wstring(tz) + L" wine " + commandLine;
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE nul =
      CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = nul;
  PROCESS_INFORMATION env{};
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &env);
  CloseHandle(nul);
  if (started) {
    CloseHandle(env.hThread);
    CloseHandle(env.hProcess);
  }
  return started;
}

}  // namespace

bool RunningProgram::Start(const std::wstring& program, const std::wstring& cardFolder,
                           const wchar_t* tz, std::string& error) {
  std::wstring commandLine = L"\"" + program + L"\" " + cardFolder;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  const bool started = tz ? StartInTimeZone(commandLine, tz)
                          : CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr,
                                           FALSE, 0, nullptr, nullptr, &startup, &process_);
  if (!started) {
    error = "the program could not be started";
    return false;
  }
  if (process_.hProcess) WaitForInputIdle(process_.hProcess, 20000);
  for (int tries = 0; tries < 400 && !main_; ++tries) {
    // Started through env(1), the program is known by its window alone.
    main_ = FindTopLevel(process_.dwProcessId, nullptr, IsMainWindow);
    if (!main_) Sleep(50);
  }
  if (!main_) {
    error = "the main window did not appear";
    return false;
  }
  if (!process_.hProcess) {
    GetWindowThreadProcessId(main_, &process_.dwProcessId);
    process_.hProcess = OpenProcess(PROCESS_ALL_ACCESS, FALSE, process_.dwProcessId);
    if (!process_.hProcess) {
      error = "the program's process could not be opened";
      return false;
    }
  }
  // The pages other than the first are built right after the first paint.
  for (int tries = 0; tries < 200; ++tries) {
    bool all = true;
    for (auto [page, id] : kPageMarks) all = all && PageWindow(page);
    if (all) break;
    Sleep(50);
  }
  SetForegroundWindow(main_);
  return Settle();
}

RunningProgram::~RunningProgram() {
  if (process_.hProcess) {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) Kill();
    if (process_.hThread) CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
}

HWND RunningProgram::PageWindow(Page page) const {
  for (auto [marked, id] : kPageMarks) {
    if (marked != page) continue;
    struct Search {
      int id;
      HWND found;
    } search{id, nullptr};
    EnumChildWindows(
        main_,
        [](HWND window, LPARAM context) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(context);
          if (GetDlgCtrlID(window) != s.id) return TRUE;
          s.found = GetParent(window);
          return FALSE;
        },
        LPARAM(&search));
    return search.found;
  }
  return nullptr;
}

std::vector<HWND> RunningProgram::Controls(Page page, const wchar_t* kind) const {
  std::vector<HWND> controls;
  HWND pageWindow = PageWindow(page);
  for (HWND child = pageWindow ? GetWindow(pageWindow, GW_CHILD) : nullptr; child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (!kind || ClassOf(child) == kind) controls.push_back(child);
  }
  return controls;
}

HWND RunningProgram::Control(Page page, int id) const {
  HWND pageWindow = PageWindow(page);
  return pageWindow ? GetDlgItem(pageWindow, id) : nullptr;
}

std::optional<Page> RunningProgram::ShownPage() const {
  for (auto [page, id] : kPageMarks) {
    HWND window = PageWindow(page);
    if (window && IsWindowVisible(window)) return page;
  }
  return std::nullopt;
}

HWND RunningProgram::Popup() const {
  return FindTopLevel(process_.dwProcessId, main_, IsDialog);
}

HWND RunningProgram::DropDown() const {
  return FindTopLevel(process_.dwProcessId, main_, IsDropDown);
}

bool RunningProgram::Settle(DWORD milliseconds) const {
  Sleep(15);
  WaitForInputIdle(process_.hProcess, milliseconds);
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, milliseconds, &result) != 0;
}

bool RunningProgram::WaitForExit(DWORD milliseconds) const {
  return WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

void RunningProgram::Kill() const {
  TerminateProcess(process_.hProcess, 1);
  WaitForSingleObject(process_.hProcess, 5000);
}

std::optional<SYSTEMTIME> RunningProgram::PickerTime(HWND picker) const {
  // The picker writes into memory of its own process, so the answer is
  // fetched from a block allocated there.
  void* remote = VirtualAllocEx(process_.hProcess, nullptr, sizeof(SYSTEMTIME),
                                MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remote) return std::nullopt;
  std::optional<SYSTEMTIME> time;
  if (Ask(picker, DTM_GETSYSTEMTIME, 0, LPARAM(remote)) == GDT_VALID) {
    SYSTEMTIME value{};
    if (ReadProcessMemory(process_.hProcess, remote, &value, sizeof value, nullptr)) time = value;
  }
  VirtualFreeEx(process_.hProcess, remote, 0, MEM_RELEASE);
  return time;
}

ScreenView RunningProgram::ReadScreen() const {
  ScreenView screen;
  for (auto [page, mark] : kPageMarks) {
    for (HWND control : Controls(page)) {
      ControlView view;
      view.enabled = IsWindowEnabled(control);
      const std::wstring kind = ClassOf(control);
      if (kind == L"Button") view.check = int(Ask(control, BM_GETCHECK));
      if (kind == TRACKBAR_CLASSW) view.position = int(Ask(control, TBM_GETPOS));
      if (kind == DATETIMEPICK_CLASSW) view.time = PickerTime(control);
      screen.controls[{page, GetDlgCtrlID(control)}] = view;
    }
  }
  HWND zones = Control(Page::kCommon, IDC_COMMON_TIME_ZONE_COMBO);
  const int count = int(Ask(zones, CB_GETCOUNT));
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    if (Ask(zones, CB_GETLBTEXTLEN, i) < 255) Ask(zones, CB_GETLBTEXT, i, LPARAM(text));
    screen.zoneItems.push_back(text);
  }
  screen.zoneSelection = int(Ask(zones, CB_GETCURSEL));
  return screen;
}

std::vector<RegistryZone> RegistryZones() {
  std::vector<RegistryZone> zones;
  HKEY root;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE,
                    L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones", 0, KEY_READ,
                    &root) != ERROR_SUCCESS) {
    return zones;
  }
  wchar_t name[256];
  for (DWORD i = 0;; ++i) {
    DWORD length = 256;
    if (RegEnumKeyExW(root, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    RegistryZone zone;
    zone.keyName = name;
    wchar_t display[256] = {};
    DWORD size = sizeof display - sizeof(wchar_t);
    RegGetValueW(root, name, L"Display", RRF_RT_REG_SZ, nullptr, display, &size);
    zone.displayName = display;
    LONG tzi[11] = {};  // Bias first
    size = sizeof tzi;
    if (RegGetValueW(root, name, L"TZI", RRF_RT_REG_BINARY, nullptr, tzi, &size) == ERROR_SUCCESS) {
      zone.bias = -tzi[0];
      zones.push_back(zone);
    }
  }
  RegCloseKey(root);
  return zones;
}

}  // namespace monkey

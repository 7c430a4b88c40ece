#include "win/app/start_phases.h"

#ifdef R470_TEST_HOOKS
#include <windows.h>

#include <cstdio>
#endif

namespace app {

#ifdef R470_TEST_HOOKS
void MarkStartPhase(const char* name) {
  wchar_t path[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"R470_TEST_PHASE_LOG", path, MAX_PATH) == 0) return;
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const ULONGLONG ticks = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  constexpr ULONGLONG kTicksFrom1601To1970 = 116444736000000000ULL;
  const double milliseconds = static_cast<double>(ticks - kTicksFrom1601To1970) / 10000.0;
  char line[128];
  const int length = std::snprintf(line, sizeof line, "%s %.3f\n", name, milliseconds);
  HANDLE log = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (log == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(log, line, static_cast<DWORD>(length), &written, nullptr);
  CloseHandle(log);
}
#else
void MarkStartPhase(const char*) {}
#endif

}  // namespace app

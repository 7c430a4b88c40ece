#include "win/card/test_hooks.h"

#ifdef R470_TEST_HOOKS
#include <windows.h>
#endif

namespace card {

#ifdef R470_TEST_HOOKS
bool TestHookDeniesRawVolume(const std::wstring& driveRoot) {
  wchar_t letter[3] = {};
  const DWORD length = GetEnvironmentVariableW(L"R470_TEST_DENY_RAW_VOLUME", letter, 3);
  return length == 1 && !driveRoot.empty() && (letter[0] | 0x20) == (driveRoot[0] | 0x20);
}
#else
bool TestHookDeniesRawVolume(const std::wstring&) {
  return false;
}
#endif

}  // namespace card

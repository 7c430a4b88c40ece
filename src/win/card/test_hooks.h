#pragma once
// Settings that only the test build of the program honours. The shipped
// program compiles this file without R470_TEST_HOOKS and so ignores them;
// the test build (R470_Setting_testhooks) compiles it again with it.

#include <string>

namespace card {

// Whether the environment variable R470_TEST_DENY_RAW_VOLUME names the
// drive letter of driveRoot: the program then acts as if it lacked the
// rights to write that card's raw volume, which under Wine it never does.
bool TestHookDeniesRawVolume(const std::wstring& driveRoot);

}  // namespace card

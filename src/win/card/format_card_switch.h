#pragma once
// The command line of the elevated instance that formats a large card.
//
// Writing a raw volume needs administrator rights, but the program runs as
// the user who started it. When the card's volume cannot be opened for that
// reason, the program starts itself elevated with
//   --format-card X:\ Local\R470FormatSteps-<id>
// That instance only formats: it releases the named semaphore once per
// finished structure step and ends with an exit code of FormatCardExit.
// It refuses anything but the root of a removable drive, so the switch can
// never be used to make the program format a fixed disk.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace card {

inline constexpr wchar_t kFormatCardSwitch[] = L"--format-card";
inline constexpr wchar_t kFormatStepsPrefix[] = L"Local\\R470FormatSteps-";

enum FormatCardExit : DWORD {
  kFormatCardFailed = 0,
  kFormatCardSucceeded = 1,
  kFormatCardRefused = 2,  // the command line named no removable drive's root
};

struct FormatCardRequest {
  std::wstring driveRoot;  // "E:\"
  std::wstring stepsName;  // the semaphore the steps are reported on
};

// The request behind arguments (without the program name), or nothing when
// they are not exactly the switch, a removable drive's root ("X:\", which
// must exist now) and a steps name.
std::optional<FormatCardRequest> ParseFormatCardSwitch(const std::vector<std::wstring>& arguments);

// The exit code for the process when arguments start with the switch (the
// format's result, or kFormatCardRefused); nothing for any other command line.
std::optional<int> RunFormatCardSwitch(const std::vector<std::wstring>& arguments);
// The same for this process's own command line.
std::optional<int> RunFormatCardSwitch();

}  // namespace card

#pragma once
// The program's command line, split by Windows' rules.

#include <string>
#include <vector>

namespace platform {

// The arguments after the program's own name, as the C runtime split them
// when the program started (it needs no shell library for that, which the
// program then loads only to copy and restart itself).
std::vector<std::wstring> ProgramArguments();

}  // namespace platform

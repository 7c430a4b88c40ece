#include "win/platform/program_arguments.h"

#include <cstdlib>

namespace platform {

std::vector<std::wstring> ProgramArguments() {
  // Split only by a program whose entry point takes wide characters.
  if (__wargv == nullptr || __argc < 1) return {};
  return std::vector<std::wstring>(__wargv + 1, __wargv + __argc);
}

}  // namespace platform

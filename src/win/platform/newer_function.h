#pragma once
// Functions that only newer versions of Windows have are looked up at run
// time, so the program still starts on the versions without them.

#include <windows.h>

// `name` exported by the already loaded system DLL `dll`, as a `Function`
// pointer; null when this Windows lacks it.
template <typename Function>
Function NewerFunction(const wchar_t* dll, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(dll), name)));
}

#pragma once
// A registry key handle that closes itself: move-only, see UniqueHandle.

#include <windows.h>

#include "win/framework/handle.h"

struct RegKeyTraits {
  using Handle = HKEY;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { RegCloseKey(h); }
};
using RegKey = UniqueHandle<RegKeyTraits>;

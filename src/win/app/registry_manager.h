#pragma once
// Thin, synchronous wrappers around the Win32 registry API.

#include <windows.h>

#include <string>
#include <vector>

#include "win/platform/reg_key.h"

class CRegistryManager {
 public:
  // RegOpenKeyExW with the same arguments; on success `key` owns the opened
  // key, otherwise it is empty.
  LSTATUS OpenKey(HKEY root, const wchar_t* subKey, DWORD options, REGSAM access, RegKey& key);

  // Appends the names of the key's subkeys in enumeration order; names that
  // cannot be read (longer than 254 characters) are skipped. Returns 0.
  int EnumSubKeyNames(HKEY key, std::vector<std::u16string>& names);
  // The same for the key's value names (up to 16383 characters).
  int EnumValueNames(HKEY key, std::vector<std::u16string>& names);

  // RegQueryValueExW with the same arguments.
  LSTATUS QueryValue(HKEY key, const wchar_t* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                     DWORD* dataBytes);

  // Reads a string value into `buffer` of `bufferBytes` bytes, looking in
  // the 32-bit registry view first and then in the native one. Never
  // creates or changes a key. True when the value was read and fits with
  // its terminator; the value's type is not checked. Whatever the result,
  // `buffer` holds a NUL-terminated text within its size (empty on failure)
  // unless it has no room for even a NUL.
  bool ReadStringValue(HKEY root, const wchar_t* subKey, const wchar_t* valueName, wchar_t* buffer,
                       DWORD bufferBytes);
};

#include "win/app/registry_manager.h"

#include "win/platform/wide.h"

namespace {

constexpr DWORD kSubKeyNameChars = 255;
constexpr DWORD kValueNameChars = 16383;

// Calls `enumOne(index, buffer, &chars)` for every index below `count` and
// keeps the names that were read.
template <typename EnumOne>
void AppendNames(DWORD count, DWORD bufferChars, EnumOne enumOne,
                 std::vector<std::u16string>& names) {
  std::wstring buffer(bufferChars, L'\0');
  for (DWORD i = 0; i < count; ++i) {
    DWORD chars = bufferChars;
    if (enumOne(i, buffer.data(), &chars) == ERROR_SUCCESS) {
      names.push_back(ToU16(std::wstring_view(buffer.data(), chars)));
    }
  }
}

}  // namespace

LSTATUS CRegistryManager::OpenKey(HKEY root, const wchar_t* subKey, DWORD options, REGSAM access,
                                  RegKey& key) {
  HKEY opened = nullptr;
  LSTATUS status = RegOpenKeyExW(root, subKey, options, access, &opened);
  key.reset(status == ERROR_SUCCESS ? opened : nullptr);
  return status;
}

int CRegistryManager::EnumSubKeyNames(HKEY key, std::vector<std::u16string>& names) {
  DWORD count = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  AppendNames(
      count, kSubKeyNameChars,
      [key](DWORD i, wchar_t* name, DWORD* chars) {
        return RegEnumKeyExW(key, i, name, chars, nullptr, nullptr, nullptr, nullptr);
      },
      names);
  return 0;
}

int CRegistryManager::EnumValueNames(HKEY key, std::vector<std::u16string>& names) {
  DWORD count = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr,
                       nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  AppendNames(
      count, kValueNameChars,
      [key](DWORD i, wchar_t* name, DWORD* chars) {
        return RegEnumValueW(key, i, name, chars, nullptr, nullptr, nullptr, nullptr);
      },
      names);
  return 0;
}

LSTATUS CRegistryManager::QueryValue(HKEY key, const wchar_t* valueName, DWORD* reserved,
                                     DWORD* type, BYTE* data, DWORD* dataBytes) {
  return RegQueryValueExW(key, valueName, reserved, type, data, dataBytes);
}

bool CRegistryManager::ReadStringValue(HKEY root, const wchar_t* subKey, const wchar_t* valueName,
                                       wchar_t* buffer, DWORD bufferBytes) {
  const DWORD capacity = bufferBytes / sizeof(wchar_t);
  if (capacity == 0) return false;
  auto readFromView = [&](REGSAM view) {
    // Opened, never created: a read must leave the registry as it was.
    RegKey key;
    if (OpenKey(root, subKey, 0, KEY_READ | view, key) != ERROR_SUCCESS) return false;
    DWORD bytes = capacity * sizeof(wchar_t);
    if (QueryValue(key.get(), valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                   &bytes) != ERROR_SUCCESS) {
      return false;
    }
    // Registry strings need not carry their NUL. An odd last byte is
    // overwritten by the terminator.
    const DWORD chars = bytes / sizeof(wchar_t);
    if (chars < capacity) {
      buffer[chars] = L'\0';
      return true;
    }
    return buffer[capacity - 1] == L'\0';
  };
  // Programs built for 32-bit Windows, such as the viewer, write their
  // HKEY_LOCAL_MACHINE\SOFTWARE values to the 32-bit view on 64-bit Windows.
  if (readFromView(KEY_WOW64_32KEY) || readFromView(0)) return true;
  buffer[0] = L'\0';
  return false;
}

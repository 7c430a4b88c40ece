#pragma once
// The core keeps text as UTF-16 in std::u16string; Win32 takes wchar_t, which
// is the same 16-bit unit on Windows. These views convert without copying.

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t is UTF-16");

inline const wchar_t* Wide(const std::u16string& s) {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}
inline std::wstring_view Wide(std::u16string_view s) {
  return {reinterpret_cast<const wchar_t*>(s.data()), s.size()};
}
inline std::u16string_view U16(std::wstring_view s) {
  return {reinterpret_cast<const char16_t*>(s.data()), s.size()};
}
inline std::u16string ToU16(std::wstring_view s) { return std::u16string(U16(s)); }
inline std::wstring ToWide(std::u16string_view s) { return std::wstring(Wide(s)); }

#pragma once
// Small helpers for the UTF-16 text that the program keeps in memory.

#include <cstdint>
#include <string>
#include <string_view>

namespace text {

// ASCII (or any 7-bit text) to UTF-16, one unit per byte.
std::u16string Ascii(std::string_view ascii);

// Decimal text of a number, as printf's "%d" / "%u" would give it.
std::u16string Dec(long long value);
// The same, with a leading zero for a single digit: "07", "12", "123".
std::u16string TwoDigits(long long value);

// UTF-16 to UTF-8, for test output and messages; lone surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view utf16);
// UTF-8 to UTF-16; invalid sequences become U+FFFD.
std::u16string FromUtf8(std::string_view utf8);

// ASCII letters folded to lower case; everything else unchanged.
char16_t AsciiLower(char16_t c);
bool EqualsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b);

}  // namespace text

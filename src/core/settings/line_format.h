#pragma once
// Fills the printf-style diagnostic lines of the settings store, whose texts
// are fixed: each "%d" takes the next number (printed as a signed 32-bit
// value, as printf would print it), each "%s" takes text. Any other character
// is copied as it stands.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace settings {

std::u16string FormatLine(std::u16string_view format, std::initializer_list<std::int32_t> numbers,
                          std::u16string_view text = {});

}  // namespace settings

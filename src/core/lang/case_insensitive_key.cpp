#include "core/lang/case_insensitive_key.h"

#include <cstdint>

#include "core/text/u16.h"

namespace lang {

// FNV-1a over the folded code units, in 64 bits whatever the width of
// std::size_t (32 bits in WebAssembly).
std::size_t CaseInsensitiveHash::operator()(std::u16string_view key) const {
  std::uint64_t hash = 14695981039346656037ull;
  for (char16_t c : key) {
    hash ^= text::AsciiLower(c);
    hash *= 1099511628211ull;
  }
  return static_cast<std::size_t>(hash);
}

bool CaseInsensitiveEqual::operator()(std::u16string_view a, std::u16string_view b) const {
  return text::EqualsIgnoringAsciiCase(a, b);
}

}  // namespace lang

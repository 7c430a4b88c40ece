#pragma once
// Where the language manager finds its tables: the program's own resources
// on Windows, prepared images in tests.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace lang {

class LangResourceSource {
 public:
  virtual ~LangResourceSource() = default;
  // The image of the language table called name, matched without regard to
  // case ("english" finds ENGLISH), or nullopt when there is none. The bytes
  // stay valid at least as long as the source.
  virtual std::optional<std::span<const std::byte>> Find(std::u16string_view name) const = 0;
};

}  // namespace lang

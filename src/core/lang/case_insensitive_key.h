#pragma once
// Hash and equality for text keys and section names, which match without
// regard to ASCII letter case ("iDs_StRiNg101" finds "IDS_STRING101").
// Both are transparent, so maps keyed by std::u16string can be searched
// with a std::u16string_view.

#include <cstddef>
#include <string_view>

namespace lang {

struct CaseInsensitiveHash {
  using is_transparent = void;
  std::size_t operator()(std::u16string_view key) const;
};

struct CaseInsensitiveEqual {
  using is_transparent = void;
  bool operator()(std::u16string_view a, std::u16string_view b) const;
};

}  // namespace lang

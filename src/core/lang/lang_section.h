#pragma once
// One section of a language table: keys and their texts. Keys match without
// regard to ASCII letter case; storing a key again replaces its text.

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/lang/case_insensitive_key.h"

namespace lang {

class LangSection {
 public:
  struct Entry {
    std::u16string key;  // spelt as it first appeared
    std::u16string text;
  };

  // Stores text under key; an existing key (in any case) keeps its place and
  // takes the new text.
  void Set(std::u16string_view key, std::u16string_view text);

  // The text stored under key, or nullptr. Valid until the next Set.
  const std::u16string* Find(std::u16string_view key) const;

  // All entries in the order their keys first appeared.
  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  std::vector<Entry> entries_;
  std::unordered_map<std::u16string, std::size_t, CaseInsensitiveHash, CaseInsensitiveEqual>
      indexByKey_;
};

}  // namespace lang

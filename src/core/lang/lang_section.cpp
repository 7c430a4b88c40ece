#include "core/lang/lang_section.h"

namespace lang {

void LangSection::Set(std::u16string_view key, std::u16string_view text) {
  auto [it, inserted] = indexByKey_.try_emplace(std::u16string(key), entries_.size());
  if (inserted) {
    entries_.push_back({std::u16string(key), std::u16string(text)});
  } else {
    entries_[it->second].text = text;
  }
}

const std::u16string* LangSection::Find(std::u16string_view key) const {
  auto it = indexByKey_.find(key);
  return it == indexByKey_.end() ? nullptr : &entries_[it->second].text;
}

}  // namespace lang

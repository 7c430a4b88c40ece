#pragma once
// The language tables the page carries, built into it: the program's own,
// and the page's texts in a table of their own (what only a browser needs:
// opening a folder, copying files by hand, why it cannot format). Each is
// found by the program's table names, "english" and "french".

#include "core/lang/lang_manager.h"
#include "core/lang/lang_resource_source.h"

namespace web {

class EmbeddedTables : public lang::LangResourceSource {
 public:
  enum class Set { kProgram, kPage };
  explicit EmbeddedTables(Set set) : set_(set) {}

  std::optional<std::span<const std::byte>> Find(std::u16string_view name) const override;

 private:
  Set set_;
};

// The page's own texts, loaded in the language of lang::Lang().
lang::CLangManager& PageLang();

}  // namespace web

#pragma once
// The language tables carried in the program file as resources of type
// "LANGUAGE" (res/lang/lang.rc), and the load of the program's language.

#include <string_view>

#include "core/lang/lang_resource_source.h"

namespace lang {

// Finds tables among the resources of the running executable. Windows
// matches resource names without regard to case, so "french" finds FRENCH.
// The bytes are mapped with the program file and never freed.
class ProgramLangResources : public LangResourceSource {
 public:
  std::optional<std::span<const std::byte>> Find(std::u16string_view name) const override;
};

// Loads table name ("english" or "french") from the program's resources into
// Lang(), with English as the fallback. False when a table is missing; every
// text then reads "Error Loading".
bool LoadProgramLanguage(std::u16string_view name);

}  // namespace lang

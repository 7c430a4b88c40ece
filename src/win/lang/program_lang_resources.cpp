#include "win/lang/program_lang_resources.h"

#include <windows.h>

#include <string>

#include "core/lang/lang_manager.h"
#include "win/platform/resource_bytes.h"
#include "win/platform/wide.h"

namespace lang {

std::optional<std::span<const std::byte>> ProgramLangResources::Find(
    std::u16string_view name) const {
  const std::u16string terminated(name);
  const std::span<const std::byte> bytes = platform::ResourceBytes(Wide(terminated), L"LANGUAGE");
  if (bytes.data() == nullptr) return std::nullopt;
  return bytes;
}

bool LoadProgramLanguage(std::u16string_view name) {
  return Lang().LoadLanguage(name, ProgramLangResources());
}

}  // namespace lang

#include "win/lang/program_lang_resources.h"

#include <windows.h>

#include <string>

#include "core/lang/lang_manager.h"
#include "win/platform/wide.h"

namespace lang {

std::optional<std::span<const std::byte>> ProgramLangResources::Find(
    std::u16string_view name) const {
  const std::u16string terminated(name);
  HRSRC info = FindResourceW(nullptr, Wide(terminated), L"LANGUAGE");
  if (info == nullptr) return std::nullopt;
  HGLOBAL loaded = LoadResource(nullptr, info);
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return std::nullopt;
  return std::span(static_cast<const std::byte*>(data), SizeofResource(nullptr, info));
}

bool LoadProgramLanguage(std::u16string_view name) {
  return Lang().LoadLanguage(name, ProgramLangResources());
}

}  // namespace lang

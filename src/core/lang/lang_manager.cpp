#include "core/lang/lang_manager.h"

#include <optional>

namespace lang {
namespace {

constexpr std::u16string_view kFallbackName = u"english";
constexpr std::u16string_view kNotLoaded = u"Error Loading";

void ReplaceAll(std::u16string& s, std::u16string_view from, std::u16string_view to) {
  for (std::size_t pos = s.find(from); pos != std::u16string::npos;
       pos = s.find(from, pos + to.size())) {
    s.replace(pos, from.size(), to);
  }
}

}  // namespace

bool CLangManager::LoadLanguage(std::u16string_view name, const LangResourceSource& resources) {
  loaded_ = false;
  primary_.Clear();
  fallback_.Clear();
  bool parsed = false;
  if (!name.empty()) {
    std::optional<std::span<const std::byte>> image = resources.Find(name);
    if (!image) return false;
    parsed = primary_.Parse(*image);
  }
  std::optional<std::span<const std::byte>> english = resources.Find(kFallbackName);
  if (!english) return false;
  if (fallback_.Parse(*english)) parsed = true;
  loaded_ = parsed;
  return parsed;
}

std::u16string CLangManager::GetLangText(std::u16string_view key) const {
  if (!loaded_) return std::u16string(kNotLoaded);
  std::u16string text = primary_.GetValue(std::nullopt, key, u"").text;
  if (text.empty()) text = fallback_.GetValue(std::nullopt, key, u"").text;
  ReplaceAll(text, u"\\n", u"\n");
  ReplaceAll(text, u"\\r", u"\r");
  return text;
}

CLangManager& Lang() {
  static CLangManager instance;
  return instance;
}

}  // namespace lang

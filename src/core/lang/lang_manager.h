#pragma once
// The program's language: the chosen table, with English behind it for the
// keys the chosen table lacks or leaves empty.
//
// The one instance of the program is Lang(); the main window loads it once
// at start (see win/lang/program_lang_resources.h) and every window then
// asks it for its texts:
//   SetWindowTextW(hwnd, Wide(lang::Lang().GetLangText(u"IDS_STRING101")));

#include <string>
#include <string_view>

#include "core/lang/lang_resource_source.h"
#include "core/lang/lang_table.h"

namespace lang {

class CLangManager {
 public:
  // Loads table name (when not empty) as the chosen language and "english"
  // as the fallback, replacing whatever was loaded before. False, with every
  // text reading "Error Loading", when a named table does not exist or
  // neither could be parsed.
  bool LoadLanguage(std::u16string_view name, const LangResourceSource& resources);

  // The text of key (any case) from the default section of the chosen table,
  // else of the English one, else empty; the two-character sequences \n and
  // \r become LF and CR. "Error Loading" until a load has succeeded.
  std::u16string GetLangText(std::u16string_view key) const;

 private:
  CLangTable primary_;
  CLangTable fallback_;
  bool loaded_ = false;
};

// The program's one language object, created empty on first use.
CLangManager& Lang();

}  // namespace lang

#include "core/app/language_choice.h"

#include "core/text/u16.h"

namespace app {

std::u16string_view ChooseLanguage(bool viewerRunning, std::u16string_view viewerLanguage,
                                   int recordLanguage) {
  if (viewerRunning && !viewerLanguage.empty()) {
    return text::EqualsIgnoringAsciiCase(viewerLanguage, u"french") ? u"french" : u"english";
  }
  return recordLanguage != 0 ? u"french" : u"english";
}

}  // namespace app

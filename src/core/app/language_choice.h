#pragma once
// Which language table the program shows at start.

#include <string_view>

namespace app {

// The viewer program, when it runs and has a language value, decides;
// otherwise the record's language field (0 English, anything else French).
// Returns u"french" or u"english", the resource names of the tables.
std::u16string_view ChooseLanguage(bool viewerRunning, std::u16string_view viewerLanguage,
                                   int recordLanguage);

}  // namespace app

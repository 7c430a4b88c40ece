#include "core/app/command_line.h"

namespace app {

std::u16string QuoteArgument(std::u16string_view argument) {
  std::u16string out = u"\"";
  size_t backslashes = 0;
  for (char16_t c : argument) {
    if (c == u'\\') {
      ++backslashes;
      continue;
    }
    // Backslashes count as escapes only in front of a quote.
    out.append(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, u'\\');
  out.push_back(u'"');
  return out;
}

std::u16string WithTrailingSeparator(std::u16string_view folder) {
  std::u16string out(folder);
  if (!out.empty() && out.back() != u'\\' && out.back() != u'/') out.push_back(u'\\');
  return out;
}

}  // namespace app

#include "core/settings/line_format.h"

#include "core/text/u16.h"

namespace settings {

std::u16string FormatLine(std::u16string_view format, std::initializer_list<std::int32_t> numbers,
                          std::u16string_view text) {
  std::u16string line;
  const std::int32_t* next = numbers.begin();
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == u'%' && i + 1 < format.size()) {
      if (format[i + 1] == u'd' && next != numbers.end()) {
        line += text::Dec(*next++);
        ++i;
        continue;
      }
      if (format[i + 1] == u's') {
        line += text;
        ++i;
        continue;
      }
    }
    line += format[i];
  }
  return line;
}

}  // namespace settings

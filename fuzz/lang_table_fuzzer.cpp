// A language table image of any bytes, UTF-16 or ANSI. Parsing must read
// nothing outside the image, and every entry it stores must be found again
// by its key in any letter case; parsing the same image twice changes nothing.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/lang/lang_table.h"
#include "fuzz_require.h"

namespace {

std::u16string AsciiUpper(std::u16string_view s) {
  std::u16string upper(s);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return upper;
}

std::vector<lang::LangSection::Entry> DefaultEntries(const lang::CLangTable& table) {
  const lang::LangSection* section = table.DefaultSection();
  return section ? section->Entries() : std::vector<lang::LangSection::Entry>{};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto image = std::as_bytes(std::span(data, size));
  lang::CLangTable table;
  FUZZ_REQUIRE(table.Parse(image) == (size >= 2));

  const std::vector<lang::LangSection::Entry> entries = DefaultEntries(table);
  for (const auto& entry : entries) {
    for (const std::u16string& key : {entry.key, AsciiUpper(entry.key)}) {
      const lang::CLangTable::Value value = table.GetValue(std::nullopt, key, u"");
      FUZZ_REQUIRE(value.found && value.text == entry.text);
    }
  }

  table.Parse(image);
  const std::vector<lang::LangSection::Entry> again = DefaultEntries(table);
  FUZZ_REQUIRE(again.size() == entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    FUZZ_REQUIRE(again[i].key == entries[i].key && again[i].text == entries[i].text);
  }
  return 0;
}

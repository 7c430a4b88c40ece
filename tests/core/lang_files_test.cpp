#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "core/lang/lang_manager.h"
#include "core/text/u16.h"

// The language tables that the program carries, read from res/lang.

namespace {

std::vector<std::byte> ReadTable(const char* name) {
  std::ifstream file(std::string(PROJECT_SOURCE_DIR_PATH "/res/lang/") + name, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  const auto* begin = reinterpret_cast<const std::byte*>(bytes.data());
  return {begin, begin + bytes.size()};
}

class ShippedTables : public lang::LangResourceSource {
 public:
  std::optional<std::span<const std::byte>> Find(std::u16string_view name) const override {
    auto it = images_.find(name);
    if (it == images_.end()) return std::nullopt;
    return std::span<const std::byte>(it->second);
  }

 private:
  std::map<std::u16string_view, std::vector<std::byte>> images_{
      {u"english", ReadTable("english.lang")}, {u"french", ReadTable("french.lang")}};
};

struct ParsedTable {
  explicit ParsedTable(const char* name) : image(ReadTable(name)) { table.Parse(image); }
  std::vector<std::byte> image;
  lang::CLangTable table;
};

// FNV-1a, 64 bits, over UTF-16 code units.
std::uint64_t Fnv1a(std::uint64_t hash, std::u16string_view text) {
  for (char16_t unit : text) hash = (hash ^ unit) * 0x100000001B3;
  return hash;
}

std::vector<std::u16string> Keys(const lang::LangSection& section) {
  std::vector<std::u16string> keys;
  for (const auto& entry : section.Entries()) keys.push_back(entry.key);
  return keys;
}

}  // namespace

TEST(LangFiles, AreUtf16WithByteOrderMarkAndCrLf) {
  for (const char* name : {"english.lang", "french.lang"}) {
    SCOPED_TRACE(name);
    const std::vector<std::byte> image = ReadTable(name);
    ASSERT_GE(image.size(), 4u);
    EXPECT_EQ(image[0], std::byte{0xFF});
    EXPECT_EQ(image[1], std::byte{0xFE});
    EXPECT_EQ(image.size() % 2, 0u);
    for (std::size_t i = 2; i + 1 < image.size(); i += 2) {
      if (image[i] == std::byte{'\n'} && image[i + 1] == std::byte{0}) {
        ASSERT_EQ(image[i - 2], std::byte{'\r'}) << "LF without CR at byte " << i;
      }
    }
  }
}

TEST(LangFiles, BothTablesHoldTheSameKeysInTheSameOrder) {
  ParsedTable english("english.lang");
  ParsedTable french("french.lang");
  ASSERT_NE(english.table.DefaultSection(), nullptr);
  ASSERT_NE(french.table.DefaultSection(), nullptr);
  const std::vector<std::u16string> keys = Keys(*english.table.DefaultSection());
  EXPECT_EQ(keys.size(), 110u);
  EXPECT_EQ(keys.front(), u"IDS_STRING101");
  EXPECT_EQ(keys.back(), u"IDS_STRING204");
  EXPECT_EQ(Keys(*french.table.DefaultSection()), keys);
  for (const ParsedTable* parsed : {&english, &french}) {
    const lang::LangSection* font = parsed->table.FindSection(u"font");
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(Keys(*font),
              (std::vector<std::u16string>{u"DEFAULT_UI_FACENAME", u"DEFAULT_UI_CHARSET",
                                           u"DEFAULT_UI_CODEPAGE"}));
  }
}

TEST(LangFiles, EveryKeyHasItsOwnTextInBothLanguages) {
  ShippedTables tables;
  for (const char* language : {"english", "french"}) {
    SCOPED_TRACE(language);
    ParsedTable parsed((std::string(language) + ".lang").c_str());
    lang::CLangManager manager;
    ASSERT_TRUE(manager.LoadLanguage(text::Ascii(language), tables));
    for (const auto& entry : parsed.table.DefaultSection()->Entries()) {
      SCOPED_TRACE(text::ToUtf8(entry.key));
      // Non-empty in the table itself, so French never falls back to English.
      EXPECT_FALSE(entry.text.empty());
      EXPECT_EQ(manager.GetLangText(entry.key), entry.text);
    }
  }
}

TEST(LangFiles, TextsKeepAccentsAndSpacing) {
  ShippedTables tables;
  const struct {
    const char* language;
    const char16_t* key;
    const char16_t* text;
  } cases[] = {
      {"english", u"IDS_STRING183", u"   e.g.) "},
      {"french", u"IDS_STRING183", u"   ex. "},
      {"english", u"IDS_STRING136",
       u"Disabled  (Turn off the dash cam, once the engine is turned off)"},
      {"french", u"IDS_STRING136",
       u"D\u00e9sactiv\u00e9 (\u00c9teindre la Dashcam,  uniquement quand le moteur est "
       u"arr\u00eat\u00e9)"},
      {"french", u"IDS_STRING163",
       u"Attention :  s vous formattez la carte m\u00e9moire, toutes les donn\u00e9es seront "
       u"supprim\u00e9es"},
      {"french", u"IDS_STRING126", u"Sensibilit\u00e9 de l'impact"},
      {"french", u"IDS_STRING196", u"Heure d'\u00e9t\u00e9/heure d'hiver"},
      {"english", u"IDS_STRING197", u"Cannot save the settings to the memory card."},
      {"french", u"IDS_STRING1970",
       u"V\u00e9rifiez que la carte est ins\u00e9r\u00e9e et non prot\u00e9g\u00e9e en "
       u"\u00e9criture, puis r\u00e9essayez."},
      {"french", u"IDS_STRING198",
       u"La carte m\u00e9moire a \u00e9t\u00e9 format\u00e9e, mais tout n'a pas pu y \u00eatre "
       u"remis."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.key));
    lang::CLangManager manager;
    ASSERT_TRUE(manager.LoadLanguage(text::Ascii(c.language), tables));
    EXPECT_EQ(text::ToUtf8(manager.GetLangText(c.key)), text::ToUtf8(c.text));
  }
}

TEST(LangFiles, DifferFromTheGivenTablesOnlyInTheMendedFrenchTexts) {
  // French texts that said something else than the English ones, as they
  // were given and as the program shows them.
  const struct {
    const char16_t* key;
    const char16_t* given;
    const char16_t* mended;
  } mended[] = {
      {u"IDS_STRING177", u"Si le mode Stationnement est activ\u00e9,",
       u"Si le mode Stationnement est d\u00e9sactiv\u00e9,"},
      {u"IDS_STRING181", u"Impossible de formatter la carte m\u00e9moire",
       u"Impossible de formater la carte m\u00e9moire"},
      {u"IDS_STRING1810", u"It iest en cours d'utilisation par Vistapane ou un autre programme.",
       u"Elle est en cours d'utilisation par Vistapane ou un autre programme."},
  };
  // Keys the program added to the tables it was given.
  const std::u16string_view added[] = {
      u"IDS_STRING197", u"IDS_STRING1970", u"IDS_STRING198", u"IDS_STRING199", u"IDS_STRING1990",
      u"IDS_STRING200", u"IDS_STRING201",  u"IDS_STRING202", u"IDS_STRING203", u"IDS_STRING204"};
  // Over every given key and text of both tables, in file order, as given.
  constexpr std::uint64_t kGivenTables = 3946522560109711520;

  std::uint64_t fingerprint = 0xCBF29CE484222325;
  int mendedFound = 0;
  for (const char* language : {"english", "french"}) {
    ParsedTable parsed((std::string(language) + ".lang").c_str());
    ASSERT_NE(parsed.table.DefaultSection(), nullptr);
    for (const auto& entry : parsed.table.DefaultSection()->Entries()) {
      if (std::find(std::begin(added), std::end(added), entry.key) != std::end(added)) continue;
      std::u16string_view text = entry.text;
      for (const auto& m : mended) {
        if (std::string(language) == "french" && entry.key == m.key) {
          EXPECT_EQ(text::ToUtf8(entry.text), text::ToUtf8(m.mended));
          text = m.given;
          ++mendedFound;
        }
      }
      for (std::u16string_view part : {std::u16string_view(entry.key), std::u16string_view(u"="),
                                       text, std::u16string_view(u"\n")}) {
        fingerprint = Fnv1a(fingerprint, part);
      }
    }
  }
  EXPECT_EQ(mendedFound, 3);
  EXPECT_EQ(fingerprint, kGivenTables)
      << "a text other than the mended ones differs from the tables as given";
}

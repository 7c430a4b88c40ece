#include "core/lang/lang_table.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/diag/diagnostics.h"
#include "core/text/codepage.h"
#include "core/text/u16.h"

using namespace std::literals;

namespace {

std::vector<std::byte> Utf16Image(std::u16string_view text) {
  std::vector<std::byte> image{std::byte{0xFF}, std::byte{0xFE}};
  for (char16_t c : text) {
    image.push_back(static_cast<std::byte>(c & 0xFF));
    image.push_back(static_cast<std::byte>(c >> 8));
  }
  return image;
}

std::vector<std::byte> AnsiImage(std::string_view text) {
  const auto* bytes = reinterpret_cast<const std::byte*>(text.data());
  return {bytes, bytes + text.size()};
}

struct LookupCase {
  const char* label;
  std::u16string table;
  std::u16string key;
  bool found;
  std::u16string text;
};

void ExpectLookups(const std::vector<LookupCase>& cases) {
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.label);
    lang::CLangTable table;
    ASSERT_TRUE(table.Parse(Utf16Image(c.table)));
    lang::CLangTable::Value value = table.GetValue(std::nullopt, c.key, u"<default>");
    EXPECT_EQ(value.found, c.found);
    EXPECT_EQ(text::ToUtf8(value.text), text::ToUtf8(c.found ? c.text : u"<default>"));
  }
}

}  // namespace

TEST(LangTable, ReadsValuesAsWritten) {
  ExpectLookups({
      {"quoted value keeps its blanks", u"[text]\r\nK=\"   e.g.) \"", u"K", true, u"   e.g.) "},
      {"doubled blank kept", u"[text]\r\nK=\"Disabled  (Turn off\"", u"K", true,
       u"Disabled  (Turn off"},
      {"apostrophe inside double quotes", u"[text]\r\nK=\"Sensibilit\u00e9 de l'impact\"", u"K",
       true, u"Sensibilit\u00e9 de l'impact"},
      {"unquoted value ends at a comment", u"[text]\r\nK =  two words ; remark", u"K", true,
       u"two words"},
      {"quoted value keeps the semicolon", u"[text]\r\nK=\"two words ; remark\"", u"K", true,
       u"two words ; remark"},
      {"apostrophes quote, text after them ignored", u"[text]\r\nK = 'say \"hi\"' tail", u"K", true,
       u"say \"hi\""},
      {"unclosed quote runs to the end", u"[text]\r\nK=\"open value  ", u"K", true, u"open value"},
      {"nothing after the equals sign", u"[text]\r\nK=", u"K", true, u""},
      {"backslashes stay", u"[text]\r\nK=one\\ntwo", u"K", true, u"one\\ntwo"},
      {"carriage returns dropped anywhere", u"[text]\r\nK=\"a\rb\"\r\r", u"K", true, u"ab"},
      {"wide white space trimmed", u"[text]\n\u3000K\u00a0=\tv\u2003", u"K", true, u"v"},
      {"lines end at a bare LF", u"[text]\nA=1\nK=2", u"K", true, u"2"},
  });
}

TEST(LangTable, ReadsKeysAndSections) {
  ExpectLookups({
      {"quoted key holds an equals sign", u"[text]\r\n\"A=B\" = x", u"A=B", true, u"x"},
      {"apostrophe key keeps its blanks", u"[text]\r\n' k '\t= x", u" k ", true, u"x"},
      {"unquoted key trimmed", u"[text]\r\n  K \t = x", u"K", true, u"x"},
      {"bare line is a key with empty text", u"[text]\r\ntwo words", u"two words", true, u""},
      {"bare line replaces a text", u"[text]\r\nK=x\r\nK", u"K", true, u""},
      {"last line wins in any case", u"[text]\r\nK=1\r\nk=2", u"K", true, u"2"},
      {"lookup ignores case", u"[text]\r\nIDS_STRING101=x", u"iDs_StRiNg101", true, u"x"},
      {"padded mixed-case header is the default", u"[ Text ]\r\nK=x", u"K", true, u"x"},
      {"later TEXT header merges", u"[text]\r\nA=1\r\n[other]\r\n[TEXT]\r\nK=x", u"K", true, u"x"},
      {"key before any section ignored", u"K=x\r\n[text]", u"K", false, u""},
      {"empty header closes the section", u"[text]\r\n[ ]\r\nK=x", u"K", false, u""},
      {"bare line after empty header ignored", u"[text]\r\n[]\r\nK", u"K", false, u""},
      {"another section is not the default", u"[font]\r\nK=x", u"K", false, u""},
      {"comment line ignored", u"[text]\r\n;K=x", u"K", false, u""},
      {"quoted key then junk ignored", u"[text]\r\n\"K\" x = v", u"K", false, u""},
      {"unclosed quoted key ignored", u"[text]\r\n\"K = v", u"K", false, u""},
      {"NUL ends the text", u"[text]\r\nA=1\0\r\nK=x"s, u"K", false, u""},
  });
}

TEST(LangTable, IgnoresKeyLinesWithoutAKey) {
  const std::u16string lines[] = {u"=value", u"  = value", u"\"\" = value", u"'' = value",
                                  u"\"K\" ; = v"};
  for (const std::u16string& line : lines) {
    SCOPED_TRACE(text::ToUtf8(line));
    lang::CLangTable table;
    table.Parse(Utf16Image(u"[text]\r\n" + line));
    ASSERT_NE(table.DefaultSection(), nullptr);
    EXPECT_TRUE(table.DefaultSection()->Entries().empty());
  }
}

TEST(LangTable, NamedSectionsAndDefaultText) {
  lang::CLangTable table;
  table.Parse(Utf16Image(u"[font]\r\nFACE=\"Verdana\"\r\n\r\n[text]\r\nK=x"));
  EXPECT_EQ(table.GetValue(u"FONT", u"face", u"").text, u"Verdana");
  EXPECT_FALSE(table.GetValue(u"font", u"K", u"none").found);
  EXPECT_EQ(table.GetValue(u"missing", u"K", u"none").text, u"none");
}

TEST(LangTable, WritesOneDebugLinePerKeyValueLine) {
  diag::CollectingSink sink;
  lang::CLangTable table;
  table.Parse(Utf16Image(u"[text]\r\nIDS_STRING102=\"Common\"\r\nbare words\r\nE=\r\n=x"));
  EXPECT_EQ(sink.lines,
            (std::vector<std::u16string>{u"[IDS_STRING102] = \"Common\"\n", u"[E] = \"\"\n"}));
}

TEST(LangTable, TextWithoutByteOrderMarkIsAnsi) {
  lang::CLangTable table;
  EXPECT_TRUE(table.Parse(AnsiImage("[text]\r\nK=\"Caf\xe9\"")));
  EXPECT_EQ(table.GetValue(std::nullopt, u"K", u"").text, u"Caf\u00e9");

  lang::CLangTable stopsAtNul;
  stopsAtNul.Parse(AnsiImage("[text]\nA=1\0\nK=x"sv));
  EXPECT_TRUE(stopsAtNul.GetValue(std::nullopt, u"A", u"").found);
  EXPECT_FALSE(stopsAtNul.GetValue(std::nullopt, u"K", u"").found);
}

TEST(LangTable, OddLengthAndTinyImages) {
  std::vector<std::byte> odd = Utf16Image(u"[text]\r\nK=x");
  odd.push_back(std::byte{'y'});
  lang::CLangTable table;
  EXPECT_TRUE(table.Parse(odd));
  EXPECT_EQ(table.GetValue(std::nullopt, u"K", u"").text, u"x");

  EXPECT_FALSE(lang::CLangTable().Parse({}));
  EXPECT_FALSE(lang::CLangTable().Parse(AnsiImage("[")));
  EXPECT_TRUE(lang::CLangTable().Parse(Utf16Image(u"")));
}

TEST(LangTable, HugeLineIsReadWhole) {
  const std::u16string value(1 << 20, u'x');
  lang::CLangTable table;
  table.Parse(Utf16Image(u"[text]\r\nK=\"" + value + u"\""));
  EXPECT_EQ(table.GetValue(std::nullopt, u"K", u"").text.size(), value.size());
}

// Random images built from the pieces that matter to the grammar: every
// stored entry must be found again and hold no line break, NUL or empty key.
TEST(LangTable, RandomImagesKeepTheInvariants) {
  const std::u16string_view pieces[] = {u"\n[text]\n", u"\r\n[a]", u"[ ]", u"\nk=v",  u"\r\n'k'",
                                        u"\r\n\"k\"",  u"=",       u"\"",  u"'",      u";",
                                        u" ",          u"\t",      u"\r",  u"\n",     u"\0"sv,
                                        u"k",          u"K",       u"v",   u"\u3000", u"\u00e9"};
  std::mt19937 random(470);
  std::size_t entriesChecked = 0;
  for (int round = 0; round < 400; ++round) {
    std::u16string text;
    for (int i = random() % 60; i > 0; --i) text += pieces[random() % std::size(pieces)];
    std::vector<std::byte> image = Utf16Image(text);
    if (round % 3 == 1) image.pop_back();  // odd length
    if (round % 3 == 2) image = AnsiImage(text::Latin1CodePage().Encode(text));
    lang::CLangTable table;
    table.Parse(image);
    for (std::u16string_view name : {u"text", u"a"}) {
      const lang::LangSection* section = table.FindSection(name);
      if (section == nullptr) continue;
      for (const auto& entry : section->Entries()) {
        SCOPED_TRACE(round);
        ++entriesChecked;
        EXPECT_FALSE(entry.key.empty());
        EXPECT_EQ(entry.key.find_first_of(u"\r\n\0"sv), std::u16string::npos);
        EXPECT_EQ(entry.text.find_first_of(u"\r\n\0"sv), std::u16string::npos);
        ASSERT_NE(section->Find(entry.key), nullptr);
        EXPECT_EQ(*section->Find(entry.key), entry.text);
      }
    }
  }
  EXPECT_GT(entriesChecked, 100u);
}

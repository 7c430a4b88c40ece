#include <gtest/gtest.h>

#include "core/text/menu_text.h"
#include "core/text/u16.h"

TEST(Utf, RoundTripsAcrossPlanes) {
  const std::string samples[] = {"", "plain", "Param\xC3\xA9trage", "\xF0\x9F\x9A\x97 car"};
  for (const std::string& s : samples) {
    SCOPED_TRACE(s);
    EXPECT_EQ(text::ToUtf8(text::FromUtf8(s)), s);
  }
}

TEST(Utf, BrokenInputBecomesReplacementCharacters) {
  EXPECT_EQ(text::FromUtf8("a\xC3"), u"a\uFFFD");
  EXPECT_EQ(text::ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(AsciiCase, FoldsOnlyAsciiLetters) {
  EXPECT_TRUE(text::EqualsIgnoringAsciiCase(u"iDs_StRiNg101", u"IDS_STRING101"));
  EXPECT_FALSE(text::EqualsIgnoringAsciiCase(u"\u00e9", u"\u00c9"));
  EXPECT_FALSE(text::EqualsIgnoringAsciiCase(u"ab", u"abc"));
}

TEST(MenuItemName, DropsMnemonicAndShortcut) {
  const struct {
    std::u16string_view item;
    std::u16string_view name;
  } cases[] = {
      {u"Mi&nimize", u"Minimize"},
      {u"&Close\tAlt+F4", u"Close"},
      {u"R\u00e9d&uire", u"R\u00e9duire"},
      {u"\u9589\u3058\u308b(&C)\tAlt+F4", u"\u9589\u3058\u308b"},
      {u"Save && close", u"Save & close"},
      {u"Close (&C)", u"Close"},
      {u"Trailing&", u"Trailing"},
      {u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.item));
    EXPECT_EQ(text::MenuItemName(c.item), c.name);
  }
}

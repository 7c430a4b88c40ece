#include <gtest/gtest.h>

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

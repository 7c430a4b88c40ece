#include <gtest/gtest.h>

#include "core/app/command_line.h"
#include "core/app/language_choice.h"
#include "core/text/u16.h"

TEST(QuoteArgument, SurvivesTheWindowsArgumentSplitter) {
  struct Case {
    std::u16string in, out;
  } cases[] = {
      {u"E:\\SETTING\\", u"\"E:\\SETTING\\\\\""},
      {u"E:\\My Card\\SETTING\\", u"\"E:\\My Card\\SETTING\\\\\""},
      {u"E:\\a\\b", u"\"E:\\a\\b\""},
      {u"say \"hi\"", u"\"say \\\"hi\\\"\""},
      {u"x\\\"y", u"\"x\\\\\\\"y\""},
      {u"", u"\"\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.in));
    EXPECT_EQ(app::QuoteArgument(c.in), c.out);
  }
}

TEST(WithTrailingSeparator, AddsOnlyWhenMissing) {
  EXPECT_EQ(app::WithTrailingSeparator(u"E:\\SETTING"), u"E:\\SETTING\\");
  EXPECT_EQ(app::WithTrailingSeparator(u"E:\\SETTING\\"), u"E:\\SETTING\\");
  EXPECT_EQ(app::WithTrailingSeparator(u"E:/SETTING/"), u"E:/SETTING/");
  EXPECT_EQ(app::WithTrailingSeparator(u""), u"");
}

TEST(ChooseLanguage, ViewerDecidesOnlyWhenRunningWithAValue) {
  struct Case {
    bool running;
    std::u16string value;
    int record;
    std::u16string_view want;
  } cases[] = {
      {true, u"FRENCH", 0, u"french"},   {true, u"french", 0, u"french"},
      {true, u"german", 1, u"english"},  {true, u"", 1, u"french"},
      {false, u"french", 0, u"english"}, {false, u"", 1, u"french"},
      {false, u"", 7, u"french"},        {false, u"", 0, u"english"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.value) + (c.running ? " running" : " not running"));
    EXPECT_EQ(app::ChooseLanguage(c.running, c.value, c.record), c.want);
  }
}

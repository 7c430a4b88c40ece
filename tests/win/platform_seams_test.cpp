#include <gtest/gtest.h>

#include "core/diag/diagnostics.h"
#include "core/text/codepage.h"
#include "win/platform/platform_seams.h"

TEST(PlatformSeams, AnsiCodePageRoundTripsWesternText) {
  platform::InstallWindowsSeams();
  const std::u16string text = u"Caf\u00e9 R470";
  std::string bytes = text::ActiveCodePage().Encode(text);
  EXPECT_EQ(text::ActiveCodePage().Decode(bytes), text);
  diag::CollectingSink sink;
  diag::Write(u"line");
  ASSERT_EQ(sink.lines.size(), 1u);
}

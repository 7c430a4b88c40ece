#include "core/pages/partition_shares.h"

#include <gtest/gtest.h>

#include <array>

#include "core/text/u16.h"

namespace {

using pages::partition::kShareKinds;

struct Layout {
  const char* name;
  int memoryPartition;
  std::array<int, kShareKinds> widths;
  std::array<const char*, kShareKinds> percents;
};

const Layout kLayouts[] = {
    {"A", 1, {181, 60, 15, 8, 30}, {"60.6%", "20.0%", "5.0%", "3.0%", "10.0%"}},
    {"B", 2, {108, 45, 15, 8, 120}, {"36.3%", "15.0%", "5.0%", "3.0%", "40.0%"}},
    {"C", 3, {160, 45, 45, 15, 30}, {"53.6%", "15.0%", "15.0%", "5.0%", "10.0%"}},
    // A damaged record shows as the A type.
    {"zero", 0, {181, 60, 15, 8, 30}, {"60.6%", "20.0%", "5.0%", "3.0%", "10.0%"}},
    {"four", 4, {181, 60, 15, 8, 30}, {"60.6%", "20.0%", "5.0%", "3.0%", "10.0%"}},
    {"negative", -2, {181, 60, 15, 8, 30}, {"60.6%", "20.0%", "5.0%", "3.0%", "10.0%"}},
};

TEST(PartitionShares, BarsAndPercentagesOfEveryLayout) {
  for (const Layout& layout : kLayouts) {
    const auto& shares = pages::partition::SharesFor(layout.memoryPartition);
    for (int kind = 0; kind < kShareKinds; ++kind) {
      SCOPED_TRACE(testing::Message() << layout.name << " kind " << kind);
      EXPECT_EQ(pages::partition::BarWidth(shares[kind]), layout.widths[kind]);
      EXPECT_EQ(text::ToUtf8(pages::partition::PercentText(shares[kind])), layout.percents[kind]);
    }
  }
}

TEST(PartitionShares, BarWidthTruncatesTheWidenedShare) {
  // 0.03f lies just below 0.03, so its bar is 8 pixels, not 9; exact
  // fractions of a pixel never round up.
  EXPECT_EQ(pages::partition::BarWidth(0.03f), 8);
  EXPECT_EQ(pages::partition::BarWidth(0.5f), 150);
  EXPECT_EQ(pages::partition::BarWidth(1.0f), 300);
  EXPECT_EQ(pages::partition::BarWidth(0.0f), 0);
  EXPECT_EQ(pages::partition::BarWidth(0.00333f), 0);
}

TEST(PartitionShares, PercentTextKeepsItsFieldWidth) {
  // "%3.1f" pads to three characters at least and never cuts a long value.
  EXPECT_EQ(text::ToUtf8(pages::partition::PercentText(0.0f)), "0.0%");
  EXPECT_EQ(text::ToUtf8(pages::partition::PercentText(1.0f)), "100.0%");
}

}  // namespace

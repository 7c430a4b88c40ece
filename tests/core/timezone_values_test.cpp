#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cstdint>
#include <vector>

#include "core/text/u16.h"
#include "core/timezone/utc_offset_label.h"
#include "core/timezone/zone_values.h"
#include "timezone_test_data.h"

using tztest::Sz;
using tztest::Tzi;

namespace {

std::vector<std::byte> Resized(std::vector<std::byte> data, size_t size) {
  data.resize(size, std::byte{0x7f});
  return data;
}

}  // namespace

TEST(ZoneValues, TziFillsWhatItCoversWithBiasAndDaylightBiasNegated) {
  using Date = std::array<uint16_t, 8>;
  struct Case {
    const char* what;
    std::vector<std::byte> data;
    int32_t bias, standardBias, daylightBias;
    Date standardDate, daylightDate;
  } cases[] = {
      {"Pacific",
       Tzi(480, 5, -60),
       -480,
       5,
       60,
       {1, 2, 3, 4, 5, 6, 7, 8},
       {9, 10, 11, 12, 13, 14, 15, 16}},
      {"most negative",
       Tzi(INT32_MIN, 0, INT32_MIN),
       INT32_MIN,
       0,
       INT32_MIN,
       {1, 2, 3, 4, 5, 6, 7, 8},
       {9, 10, 11, 12, 13, 14, 15, 16}},
      {"10 bytes", Resized(Tzi(480, 7, -60), 10), -480, 7, -0xFFC4, {}, {}},
      {"100 bytes: does not fit, not read", Resized(Tzi(480, 7, -60), 100), 0, 0, 0, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CRegTimeZoneInfo zone;
    tz::ApplyZoneValue(zone, u"TZI", c.data);
    EXPECT_EQ(zone.bias, c.bias);
    EXPECT_EQ(zone.standardBias, c.standardBias);
    EXPECT_EQ(zone.daylightBias, c.daylightBias);
    EXPECT_EQ(zone.standardDate, c.standardDate);
    EXPECT_EQ(zone.daylightDate, c.daylightDate);
  }
}

TEST(ZoneValues, NamesAreMatchedIgnoringCaseAndOthersIgnored) {
  CRegTimeZoneInfo zone;
  for (const tz::ZoneValue& v : std::vector<tz::ZoneValue>{{u"display", Sz(u"Shown")},
                                                           {u"STD", Sz(u"Standard")},
                                                           {u"Dlt", Sz(u"Daylight")},
                                                           {u"MUI_Display", Sz(u"@tzres.dll,-1")},
                                                           {u"tzi", Tzi(-540, 0, 0)}}) {
    tz::ApplyZoneValue(zone, v.name, v.data);
  }
  EXPECT_EQ(zone.displayName, u"Shown");
  EXPECT_EQ(zone.standardName, u"Standard");
  EXPECT_EQ(zone.bias, 540);
}

TEST(ZoneValues, StringsAreCutAtNulAndBoundedByBufferAndField) {
  const std::u16string units256(256, u'd');
  const std::u16string units1000(1000, u'x');
  struct Case {
    const char* what;
    const char16_t* valueName;
    std::vector<std::byte> data;
    std::u16string expected;
  } cases[] = {
      {"terminated", u"Display", Sz(u"Shown"), u"Shown"},
      {"no terminator", u"Display", Sz(u"Shown", false), u"Shown"},
      {"embedded NUL", u"Display", Sz(std::u16string(u"Up\0Hidden", 9)), u"Up"},
      {"odd byte count", u"Display", Resized(Sz(u"Odd", false), 7), u"Odd"},
      {"empty", u"Display", {}, u""},
      {"fills the buffer", u"Display", Sz(units256, false), units256},
      {"one unit past the buffer", u"Display", Sz(units256), u""},
      {"2000 bytes unterminated", u"Display", Sz(units1000, false), u""},
      {"wider than its field", u"Std", Sz(units256, false), units256.substr(0, 254)},
      {"2000 bytes unterminated", u"Std", Sz(units1000, false), u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.what) + " " + text::ToUtf8(c.valueName));
    CRegTimeZoneInfo zone;
    tz::ApplyZoneValue(zone, c.valueName, c.data);
    const bool isStd = std::u16string_view(c.valueName) == u"Std";
    EXPECT_EQ(isStd ? zone.standardName : zone.displayName, c.expected);
    EXPECT_EQ(isStd ? zone.displayName : zone.standardName, u"");
  }
}

// The list's labels must name the offset that Save writes, whatever the
// database's display name says.
TEST(UtcOffsetLabel, NamesTheOffsetAndReplacesALabelNamingAnother) {
  struct Case {
    const char16_t* display;
    int32_t minutesEast;
    const char16_t* want;
  } cases[] = {
      {u"", 540, u""},
      {u"(Tokyo Standard Time)", 540, u"(Tokyo Standard Time)"},
      {u"(UTC+09:00) Osaka", 540, u"(UTC+09:00) Osaka"},
      {u"(UTC-03:00) Greenland", -120, u"(UTC-02:00) Greenland"},
      {u"(UTC+02:00) Amman", 180, u"(UTC+03:00) Amman"},
      {u"(UTC) Coordinated Universal Time", 0, u"(UTC) Coordinated Universal Time"},
      {u"(UTC) Coordinated Universal Time", -30, u"(UTC-00:30) Coordinated Universal Time"},
      {u"(UTC+00:00) Dublin", 0, u"(UTC+00:00) Dublin"},
      {u"(UTC-00:00) Dublin", 0, u"(UTC-00:00) Dublin"},
      {u"(UTC+05:45) Kathmandu", 345, u"(UTC+05:45) Kathmandu"},
      {u"(UTC+05:45) Kathmandu", 123, u"(UTC+02:03) Kathmandu"},
      {u"(UTC+0545) Kathmandu", 123, u"(UTC+0545) Kathmandu"},  // no label
      {u"(UTC+05:45 Kathmandu", 123, u"(UTC+05:45 Kathmandu"},
      {u"(UTC+05:45)", 6000, u"(UTC+100:00)"},
      {u"(UTC+05:45)", INT32_MIN, u"(UTC-35791394:08)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.display) + " at " + std::to_string(c.minutesEast));
    EXPECT_EQ(text::ToUtf8(tz::WithUtcOffsetLabel(c.display, c.minutesEast)), text::ToUtf8(c.want));
  }
}

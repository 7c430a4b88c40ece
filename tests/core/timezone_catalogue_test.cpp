#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "core/diag/diagnostics.h"
#include "core/text/u16.h"
#include "core/timezone/time_zone_info_manager.h"
#include "core/timezone/zone_exclusion.h"
#include "timezone_test_data.h"

using tztest::FakeZones;
using tztest::ZoneSubkey;

namespace {

std::vector<std::u16string> KeyNames(const CTimeZoneInfoManager& zones) {
  std::vector<std::u16string> names;
  for (int i = 0; i < zones.GetCount(); ++i) names.push_back(zones.GetAt(i).keyName);
  return names;
}

}  // namespace

TEST(ZoneExclusion, ExcludesNamesBeginningWithAWordIgnoringCase) {
  // One real key name per excluded word, then prefixes and letter case.
  for (const char16_t* name : {u"Argentina Standard Time",
                               u"Armenian Standard Time",
                               u"Bahia Standard Time",
                               u"Bangladesh Standard Time",
                               u"Jordan Standard Time",
                               u"Kaliningrad Standard Time",
                               u"Kamchatka Standard Time",
                               u"Magadan Standard Time",
                               u"Mauritius Standard Time",
                               u"Mexico Standard Time",
                               u"Middle East Standard Time",
                               u"Montevideo Standard Time",
                               u"Morocco Standard Time",
                               u"Syria Standard Time",
                               u"Turkey Standard Time",
                               u"UTC",
                               u"Venezuela Standard Time",
                               u"UTC+12",
                               u"UTC-02",
                               u"Utc-11",
                               u"mexico standard time 2"}) {
    EXPECT_TRUE(tz::IsExcludedZoneName(name)) << text::ToUtf8(name);
  }
  // Names shorter than a word, or holding it further on, stay.
  for (const char16_t* name : {u"Central Standard Time (Mexico)", u"Pacific Standard Time (Mexico)",
                               u"Turk", u"Turks And Caicos Standard Time", u"UT",
                               u"Coordinated UTC", u"Pacific Standard Time", u""}) {
    EXPECT_FALSE(tz::IsExcludedZoneName(name)) << text::ToUtf8(name);
  }
}

TEST(TimeZoneCatalogue, LeavesOutExcludedZonesAndSortsEastToWest) {
  FakeZones source;
  source.Add(u"UTC", 0)
      .Add(u"Pacific Standard Time", 480)
      .Add(u"UTC+12", -720)
      .Add(u"Line Islands Standard Time", -840)
      .Add(u"Central Standard Time (Mexico)", 360)
      .Add(u"Mexico Standard Time 2", 420)
      .Add(u"Dateline Standard Time", 720)
      .Add(u"GMT Standard Time", 0)
      .Add(u"Tokyo Standard Time", -540);
  CTimeZoneInfoManager zones(source);
  EXPECT_EQ(KeyNames(zones),
            (std::vector<std::u16string>{u"Line Islands Standard Time", u"Tokyo Standard Time",
                                         u"GMT Standard Time", u"Central Standard Time (Mexico)",
                                         u"Pacific Standard Time", u"Dateline Standard Time"}));
}

TEST(TimeZoneCatalogue, OrdersZonesOfOneOffsetByStandardNameCodeUnits) {
  FakeZones source;
  // Key names differ from standard names, so the order shows which one counts.
  source.Add(u"k1", ZoneSubkey(u"d", u"beta", -60))
      .Add(u"k2", ZoneSubkey(u"d", u"\u00c4gypt", -60))
      .Add(u"k3", ZoneSubkey(u"d", u"Zulu", -60))
      .Add(u"k4", ZoneSubkey(u"d", u"alpha", -60))
      .Add(u"k5", ZoneSubkey(u"d", u"Alpha", -60))
      .Add(u"k6", ZoneSubkey(u"d", u"Alpha", -120));
  CTimeZoneInfoManager zones(source);
  EXPECT_EQ(KeyNames(zones),
            (std::vector<std::u16string>{u"k6", u"k5", u"k3", u"k4", u"k1", u"k2"}));
}

TEST(TimeZoneCatalogue, WritesOneLinePerZoneWithItsEnumerationIndex) {
  FakeZones source;
  source.Add(u"UTC-02", 120)
      .Add(u"Pacific Standard Time",
           ZoneSubkey(u"(UTC-08:00) Pacific Time (US & Canada)", u"Pacific Standard Time", 480))
      .Add(u"Tokyo Standard Time", -540)
      .Add(u"No Values", std::vector<tz::ZoneValue>{});
  diag::CollectingSink sink;
  CTimeZoneInfoManager zones(source);
  EXPECT_EQ(sink.lines, (std::vector<std::u16string>{
                            u"\t0\t[Pacific Standard Time]\t[(UTC-08:00) Pacific Time (US & "
                            u"Canada)]\tBias[-480]\tDaylightBias[60]\n",
                            u"\t1\t[Tokyo Standard Time]\t[(Tokyo Standard Time)]\tBias[540]"
                            u"\tDaylightBias[60]\n",
                            u"\t2\t[No Values]\t[]\tBias[0]\tDaylightBias[0]\n"}));
  // A subkey without readable values is still a zone, with empty fields.
  EXPECT_EQ(KeyNames(zones), (std::vector<std::u16string>{u"Tokyo Standard Time", u"No Values",
                                                          u"Pacific Standard Time"}));
}

TEST(TimeZoneCatalogue, EmptySourceGivesEmptyCatalogue) {
  CTimeZoneInfoManager zones{FakeZones()};
  EXPECT_EQ(zones.GetCount(), 0);
  EXPECT_EQ(zones.FindZone(u"", 0), -1);
  EXPECT_EQ(zones.FindCurrentZone({}), -1);
  EXPECT_THROW(zones.GetAt(0), std::out_of_range);
}

TEST(TimeZoneCatalogue, FindZoneMatchesNameExactlyAndOffset) {
  FakeZones source;
  source.Add(u"Pacific Standard Time (Mexico)", 480)
      .Add(u"Pacific Standard Time", 480)
      .Add(u"Tokyo Standard Time", -540)
      .Add(u"Korea Standard Time", -540)
      .Add(u"UTC", 0)
      .Add(u"GMT Standard Time", 0);
  CTimeZoneInfoManager zones(source);
  struct Case {
    const char16_t* name;
    int32_t bias;
    const char16_t* expected;  // key name of the zone found, nullptr for none
  } cases[] = {
      {u"", -480, u"Pacific Standard Time"},  // first of its offset in sorted order
      {u"", 540, u"Korea Standard Time"},
      {u"", 0, u"GMT Standard Time"},
      {u"Pacific Standard Time (Mexico)", -480, u"Pacific Standard Time (Mexico)"},
      {u"Tokyo Standard Time", 540, u"Tokyo Standard Time"},
      {u"Pacific Standard Time", -420, nullptr},  // right name, other offset
      {u"pacific standard time", -480, nullptr},  // names are compared exactly
      {u"UTC", 0, nullptr},                       // stored, but excluded here
      {u"Mars Standard Time", 540, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.name) + " " + std::to_string(c.bias));
    int index = zones.FindZone(c.name, c.bias);
    if (c.expected == nullptr) {
      EXPECT_EQ(index, -1);
    } else {
      ASSERT_GE(index, 0);
      EXPECT_EQ(zones.GetAt(index).keyName, c.expected);
    }
  }
}

TEST(TimeZoneCatalogue, FindCurrentZoneNeedsOffsetStandardBiasAndName) {
  const std::u16string longName(70, u'x');
  FakeZones source;
  source.Add(u"Tokyo Standard Time", -540)
      .Add(u"Korea Standard Time", -540)
      .Add(u"Odd Standard Bias", {{u"Std", tztest::Sz(u"Odd")}, {u"TZI", tztest::Tzi(-60, 15, 0)}})
      .Add(u"Long", ZoneSubkey(u"d", longName, -120))
      .Add(u"Pacific Standard Time", 480);
  CTimeZoneInfoManager zones(source);
  struct Case {
    int32_t bias;
    int32_t standardBias;
    std::u16string standardName;
    const char16_t* expected;  // nullptr: no zone matches
  } cases[] = {
      {-480, 0, u"Pacific Standard Time", u"Pacific Standard Time"},
      {540, 0, u"Tokyo Standard Time", u"Tokyo Standard Time"},
      {60, 15, u"Odd", u"Odd Standard Bias"},
      {60, 0, u"Odd", nullptr},
      {-420, 0, u"Pacific Standard Time", nullptr},
      {-480, 0, u"pacific standard time", nullptr},
      {0, 0, u"Coordinated Universal Time", nullptr},
      {120, 0, longName.substr(0, 64) + u"different tail", u"Long"},
      {120, 0, longName.substr(0, 63), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.standardName) + " " + std::to_string(c.bias));
    tz::PcTimeZone pc;
    pc.bias = c.bias;
    pc.standardBias = c.standardBias;
    pc.standardName = c.standardName;
    const int index = zones.FindCurrentZone(pc);
    if (c.expected == nullptr) {
      EXPECT_EQ(index, -1);
    } else {
      ASSERT_GE(index, 0);
      EXPECT_EQ(zones.GetAt(index).keyName, c.expected);
    }
  }
}

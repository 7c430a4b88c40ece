#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "core/diag/diagnostics.h"
#include "core/pages/common_zone.h"
#include "core/text/codepage.h"
#include "core/text/u16.h"
#include "timezone_test_data.h"

using namespace pages::common;

namespace {

constexpr char16_t kLongName[] = u"Somewhere Far Away Standard Time (Islands)";  // 42 units

// Registry biases (minutes west of UTC), so Tokyo is -540. Greenland's
// display name lags behind its offset, as in some databases.
tztest::FakeZones Zones() {
  tztest::FakeZones zones;
  zones.Add(u"Tokyo Standard Time", -540)
      .Add(u"Pacific Standard Time", 480)
      .Add(u"US Mountain Standard Time", 420)
      .Add(u"Mountain Standard Time", 420)
      .Add(u"GMT Standard Time", 0)
      .Add(u"Greenland Standard Time",
           tztest::ZoneSubkey(u"(UTC-03:00) Greenland", u"Greenland Standard Time", 120))
      .Add(kLongName, 600);
  return zones;
}

const tz::PcTimeZone kPcInTokyo{540, 0, u"Tokyo Standard Time", u"Tokyo Standard Time",
                                u"(Tokyo Standard Time)"};
// Zones the catalogue leaves out: one at an offset a listed zone has, one
// at an offset no listed zone has, and one the PC's database does not know.
const tz::PcTimeZone kPcLeftOut{-420, 0, u"Mountain Standard Time (Mexico)",
                                u"Mountain Standard Time (Mexico)", u"(UTC-07:00) Chihuahua"};
const tz::PcTimeZone kPcLeftOutAlone{-660, 0, u"UTC-11", u"UTC-11",
                                     u"(UTC-11:00) Coordinated Universal Time-11"};
const tz::PcTimeZone kPcUnknown{123, 0, u"", u"", u""};

void SetName(SettingsRecord& record, std::string_view name) {
  std::memset(record.timeZoneName, 0, sizeof(record.timeZoneName));
  std::memcpy(record.timeZoneName, name.data(), std::min(name.size(), sizeof(record.timeZoneName)));
}

std::string FieldBytes(const SettingsRecord& record) {
  return std::string(record.timeZoneName, sizeof(record.timeZoneName));
}

std::string Padded(std::string_view name) {
  std::string bytes(name);
  bytes.resize(32, '\0');
  return bytes;
}

// Every character takes two bytes, as in a double-byte code page.
class TwoByteCodePage : public text::CodePage {
 public:
  std::u16string Decode(std::string_view bytes) const override {
    std::u16string out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) out.push_back(bytes[i]);
    return out;
  }
  std::string Encode(std::u16string_view text) const override {
    std::string out;
    for (char16_t c : text) out.append({static_cast<char>(c), '\x81'});
    return out;
  }
};

}  // namespace

// The zone shown always has the offset that Save keeps and time.dat
// carries: a catalogue zone when one has it, else an entry of its own. The
// PC's zone is read only for a record without a zone.
TEST(CommonZone, ShowingTheRecordSelectsAnEntryOfItsOffset) {
  const CTimeZoneInfoManager catalogue{Zones()};
  struct Case {
    const char* name;
    const char* storedName;
    std::int32_t storedOffset;
    tz::PcTimeZone pc;
    const char16_t* wantShown;
    std::string wantField;  // the record's name field afterwards
    std::int32_t wantOffset;
    bool readsPc;
    bool ownEntry;  // the list has an entry no catalogue zone stands for
  } cases[] = {
      {"stored zone", "Pacific Standard Time", -480, kPcInTokyo, u"(Pacific Standard Time)",
       Padded("Pacific Standard Time"), -480, false, false},
      {"stored name with another offset", "Pacific Standard Time", -420, kPcInTokyo,
       u"(Mountain Standard Time)", Padded("Pacific Standard Time"), -420, false, false},
      {"name from another PC", "Atlantis Standard Time", -480, kPcInTokyo,
       u"(Pacific Standard Time)", Padded("Atlantis Standard Time"), -480, false, false},
      {"offset without name", "", -420, kPcInTokyo, u"(Mountain Standard Time)", Padded(""), -420,
       false, false},
      {"display name naming another offset", "Greenland Standard Time", -120, kPcInTokyo,
       u"(UTC-02:00) Greenland", Padded("Greenland Standard Time"), -120, false, false},
      {"unknown stored zone at an offset no zone has", "Atlantis Standard Time", 60, kPcUnknown,
       u"(UTC+01:00) Atlantis Standard Time", Padded("Atlantis Standard Time"), 60, false, true},
      {"offset no zone has, without name", "", 123, kPcInTokyo, u"(UTC+02:03)", Padded(""), 123,
       false, true},
      {"known name at an offset no zone has", "Pacific Standard Time", -421, kPcInTokyo,
       u"(UTC-07:01) Pacific Standard Time", Padded("Pacific Standard Time"), -421, false, true},
      {"name filling the field", "Lemuria And Atlantis Standard Ti", -5, kPcInTokyo,
       u"(UTC-00:05) Lemuria And Atlantis Standard Ti", "Lemuria And Atlantis Standard Ti", -5,
       false, true},
      {"no zone yet", "", 0, kPcInTokyo, u"(Tokyo Standard Time)", Padded("Tokyo Standard Time"),
       540, true, false},
      {"no zone yet, the PC's zone left out", "", 0, kPcLeftOut, u"(Mountain Standard Time)",
       Padded("Mountain Standard Time"), -420, true, false},
      {"no zone yet, the PC's zone left out and alone at its offset", "", 0, kPcLeftOutAlone,
       u"(UTC-11:00) Coordinated Universal Time-11", Padded("UTC-11"), -660, true, true},
      {"no zone yet, the PC's zone unknown to its database", "", 0, kPcUnknown, u"(UTC+02:03)",
       Padded(""), 123, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsRecord record{};
    SetName(record, c.storedName);
    record.timeZoneOffset = c.storedOffset;
    diag::CollectingSink sink;

    int pcReads = 0;
    const ZoneList list = BuildZoneList(
        catalogue,
        [&] {
          ++pcReads;
          return c.pc;
        },
        record);

    ASSERT_GE(list.selected, 0);
    ASSERT_LT(list.selected, static_cast<int>(list.entries.size()));
    const ZoneEntry& shown = list.entries[static_cast<std::size_t>(list.selected)];
    EXPECT_EQ(text::ToUtf8(shown.displayName), text::ToUtf8(c.wantShown));
    EXPECT_EQ(shown.offset, record.timeZoneOffset);
    EXPECT_EQ(FieldBytes(record), c.wantField);
    EXPECT_EQ(record.timeZoneOffset, c.wantOffset);
    EXPECT_EQ(pcReads, c.readsPc ? 1 : 0);
    EXPECT_EQ(list.entries.size(), static_cast<std::size_t>(catalogue.GetCount()) + c.ownEntry);
    EXPECT_TRUE(
        std::is_sorted(list.entries.begin(), list.entries.end(),
                       [](const ZoneEntry& a, const ZoneEntry& b) { return a.offset > b.offset; }));
    ASSERT_EQ(sink.lines.size(), 1u);
    EXPECT_EQ(sink.lines[0], u"TimeZone Read  [" + text::Ascii(c.storedName) + u"] Bias[" +
                                 text::Dec(c.storedOffset) + u"]\n");
  }
}

TEST(CommonZone, AnEmptyCatalogueLeavesTheRecordAlone) {
  const CTimeZoneInfoManager empty{tztest::FakeZones()};
  for (const char* storedName : {"", "Pacific Standard Time"}) {
    SCOPED_TRACE(storedName);
    SettingsRecord record{};
    SetName(record, storedName);
    const ZoneList list = BuildZoneList(
        empty, [] { return kPcInTokyo; }, record);
    EXPECT_EQ(list.selected, -1);
    EXPECT_TRUE(list.entries.empty());
    EXPECT_EQ(FieldBytes(record), Padded(storedName));
    EXPECT_EQ(record.timeZoneOffset, 0);
    EXPECT_FALSE(ChooseZone(list, 0, record));
  }
}

// Coming back to the zone the record came with puts it back byte for byte,
// whatever followed its name in the field.
TEST(CommonZone, ChoosingAnEntryStoresItAndTellsTheDebugger) {
  const CTimeZoneInfoManager catalogue{Zones()};
  SettingsRecord record{};
  SetName(record, "Atlantis Standard Time");
  record.timeZoneName[30] = 'x';
  record.timeZoneOffset = 60;
  const std::string storedField = FieldBytes(record);
  const ZoneList list = BuildZoneList(
      catalogue, [] { return kPcInTokyo; }, record);
  const int stored = list.selected;
  const auto tokyo = std::find_if(list.entries.begin(), list.entries.end(), [](const ZoneEntry& e) {
    return e.name == u"Tokyo Standard Time";
  });
  ASSERT_NE(tokyo, list.entries.end());
  diag::CollectingSink sink;

  ASSERT_TRUE(ChooseZone(list, static_cast<int>(tokyo - list.entries.begin()), record));
  EXPECT_EQ(FieldBytes(record), Padded("Tokyo Standard Time"));
  EXPECT_EQ(record.timeZoneOffset, 540);
  ASSERT_TRUE(ChooseZone(list, stored, record));
  EXPECT_EQ(FieldBytes(record), storedField);
  EXPECT_EQ(record.timeZoneOffset, 60);
  EXPECT_EQ(sink.lines,
            (std::vector<std::u16string>{u"TimeZone [Tokyo Standard Time] Bias[540]\n",
                                         u"TimeZone [Atlantis Standard Time] Bias[60]\n"}));

  for (int outside : {-1, static_cast<int>(list.entries.size())}) {
    EXPECT_FALSE(ChooseZone(list, outside, record));
    EXPECT_EQ(FieldBytes(record), storedField);
  }
}

// The field holds 32 bytes; a longer name keeps what fits and the field
// always ends in a NUL, so it is never read past its end.
TEST(CommonZone, ANameLongerThanTheFieldIsCutBeforeItsTerminator) {
  struct Case {
    std::u16string keyName;
    std::string want;
  } cases[] = {
      {kLongName, "Somewhere Far Away Standard Tim"},
      {u"Central Brazilian Standard Time", "Central Brazilian Standard Time"},   // 31: fits
      {u"Mountain Standard Time (Mexico)X", "Mountain Standard Time (Mexico)"},  // 32: cut
      {u"Z\u00fcrich Standard Time", "Z\xfcrich Standard Time"},  // one byte in Latin-1
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.keyName));
    const ZoneNameField field = EncodeZoneName(c.keyName);
    EXPECT_EQ(std::string(field.begin(), field.end()), Padded(c.want));
  }
}

TEST(CommonZone, ADoubleByteNameIsCutBetweenCharacters) {
  TwoByteCodePage twoBytes;
  text::SetCodePage(&twoBytes);
  const ZoneNameField field = EncodeZoneName(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ");
  text::SetCodePage(nullptr);

  // 15 characters of two bytes: a 16th would leave no room for the NUL.
  std::string want;
  for (char c : std::string_view("ABCDEFGHIJKLMNO")) want.append({c, '\x81'});
  EXPECT_EQ(std::string(field.begin(), field.end()), Padded(want));
}

TEST(CommonZone, StoredNameEndsAtTheFirstNulOrTheFieldsEnd) {
  SettingsRecord record{};
  SetName(record, "Tokyo Standard Time");
  EXPECT_EQ(StoredZoneName(record), u"Tokyo Standard Time");
  std::memset(record.timeZoneName, 'a', sizeof(record.timeZoneName));
  EXPECT_EQ(StoredZoneName(record), std::u16string(32, u'a'));
  record.timeZoneName[0] = '\0';
  EXPECT_EQ(StoredZoneName(record), u"");
}

#include <gtest/gtest.h>

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

// Registry biases (minutes west of UTC), so Tokyo is -540.
tztest::FakeZones Zones() {
  tztest::FakeZones zones;
  zones.Add(u"Tokyo Standard Time", -540)
      .Add(u"Pacific Standard Time", 480)
      .Add(u"US Mountain Standard Time", 420)
      .Add(u"Mountain Standard Time", 420)
      .Add(u"GMT Standard Time", 0)
      .Add(kLongName, 600);
  return zones;
}

const tz::PcTimeZone kPcInTokyo{540, 0, u"Tokyo Standard Time"};
const tz::PcTimeZone kPcNowhere{123, 0, u"Nowhere Standard Time"};

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
// carries, whenever the catalogue has one; the PC's zone only stands in
// when none has it, and only then is it read.
TEST(CommonZone, ShowingTheRecordSelectsItsZoneOrThePcs) {
  const CTimeZoneInfoManager catalogue{Zones()};
  struct Case {
    const char* name;
    const char* storedName;
    std::int32_t storedOffset;
    tz::PcTimeZone pc;
    const char16_t* wantZone;
    std::string wantField;  // the record's name field afterwards
    std::int32_t wantOffset;
    bool readsPc;
  } cases[] = {
      {"stored zone", "Pacific Standard Time", -480, kPcInTokyo, u"Pacific Standard Time",
       Padded("Pacific Standard Time"), -480, false},
      {"stored name with another offset", "Pacific Standard Time", -420, kPcInTokyo,
       u"Mountain Standard Time", Padded("Pacific Standard Time"), -420, false},
      {"name from another PC", "Atlantis Standard Time", -480, kPcInTokyo,
       u"Pacific Standard Time", Padded("Atlantis Standard Time"), -480, false},
      {"offset without name", "", -420, kPcInTokyo, u"Mountain Standard Time", Padded(""), -420,
       false},
      {"no zone yet", "", 0, kPcInTokyo, u"Tokyo Standard Time", Padded("Tokyo Standard Time"),
       540, true},
      // The easternmost zone stands in for a PC zone the catalogue lacks.
      {"no zone yet on a PC in an unknown zone", "", 0, kPcNowhere, u"Tokyo Standard Time",
       Padded("Tokyo Standard Time"), 540, true},
      {"unknown stored zone on a PC in an unknown zone", "Atlantis Standard Time", 60, kPcNowhere,
       u"Tokyo Standard Time", Padded("Atlantis Standard Time"), 60, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsRecord record{};
    SetName(record, c.storedName);
    record.timeZoneOffset = c.storedOffset;
    diag::CollectingSink sink;

    int pcReads = 0;
    const int index = SelectStoredZone(
        catalogue,
        [&] {
          ++pcReads;
          return c.pc;
        },
        record);

    ASSERT_GE(index, 0);
    EXPECT_EQ(catalogue.GetAt(index).keyName, c.wantZone);
    EXPECT_EQ(FieldBytes(record), c.wantField);
    EXPECT_EQ(record.timeZoneOffset, c.wantOffset);
    EXPECT_EQ(pcReads, c.readsPc ? 1 : 0);
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
    EXPECT_EQ(SelectStoredZone(
                  empty, [] { return kPcInTokyo; }, record),
              -1);
    EXPECT_EQ(FieldBytes(record), Padded(storedName));
    EXPECT_EQ(record.timeZoneOffset, 0);
    EXPECT_FALSE(ChooseZone(empty, 0, record));
  }
}

TEST(CommonZone, ChoosingAZoneStoresItAndTellsTheDebugger) {
  const CTimeZoneInfoManager catalogue{Zones()};
  SettingsRecord record{};
  SetName(record, "Somewhere Very Long Standard Time Without End");
  diag::CollectingSink sink;

  const int tokyo = catalogue.FindZone(u"Tokyo Standard Time", 540);
  ASSERT_TRUE(ChooseZone(catalogue, tokyo, record));

  EXPECT_EQ(FieldBytes(record), Padded("Tokyo Standard Time"));
  EXPECT_EQ(record.timeZoneOffset, 540);
  EXPECT_EQ(sink.lines, std::vector<std::u16string>{u"TimeZone [Tokyo Standard Time] Bias[540]\n"});

  for (int outside : {-1, catalogue.GetCount()}) {
    EXPECT_FALSE(ChooseZone(catalogue, outside, record));
    EXPECT_EQ(FieldBytes(record), Padded("Tokyo Standard Time"));
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
    SettingsRecord record{};
    std::memset(record.timeZoneName, 'x', sizeof(record.timeZoneName));
    CRegTimeZoneInfo zone;
    zone.keyName = c.keyName;
    zone.bias = -180;
    StoreZone(record, zone);
    EXPECT_EQ(FieldBytes(record), Padded(c.want));
    EXPECT_EQ(record.timeZoneOffset, -180);
  }
}

TEST(CommonZone, ADoubleByteNameIsCutBetweenCharacters) {
  TwoByteCodePage twoBytes;
  text::SetCodePage(&twoBytes);
  SettingsRecord record{};
  CRegTimeZoneInfo zone;
  zone.keyName = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  StoreZone(record, zone);
  text::SetCodePage(nullptr);

  // 15 characters of two bytes: a 16th would leave no room for the NUL.
  std::string want;
  for (char c : std::string_view("ABCDEFGHIJKLMNO")) want.append({c, '\x81'});
  EXPECT_EQ(FieldBytes(record), Padded(want));
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

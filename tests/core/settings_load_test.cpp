#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/diag/diagnostics.h"
#include "core/text/u16.h"
#include "settings_test_support.h"

namespace settings_test {
namespace {

const std::u16string kHigher = u"Warning config version seems to be higher than 1.2 or invalid !\n";
const std::u16string kDiffers = u"Warning file length differs  from the checksum !\n";

std::vector<std::u16string> LoadingLines(std::u16string productLine) {
  return {u"\n\nBlackBox Setting loading...\n",       u"config version : 1.0 , checksum = 356\n",
          u"config version : 1.1 , checksum = 372\n", u"config version : 1.2 , checksum = 412\n",
          u"config version : 1.3 , checksum = 420\n", std::move(productLine)};
}

// The pattern record continued past its end, cut to length.
std::string PatternFile(std::size_t length, std::uint32_t checkSum) {
  std::string bytes = RecordBytes(PatternRecord(checkSum));
  for (std::size_t i = bytes.size(); i < length; ++i) bytes.push_back(static_cast<char>(i * 3));
  bytes.resize(length);
  return bytes;
}

using LoadTest = SettingsStoreTest;

TEST_F(LoadTest, EveryLayoutLengthLoadsWithItsWarnings) {
  struct Case {
    const char* name;
    std::size_t length;
    std::uint32_t checkSum;
    bool higher, differs;
  } cases[] = {
      {"1.0", 356, 356, false, false},
      {"1.1", 372, 372, false, false},
      {"1.2", 412, 412, false, false},
      {"1.3", 420, 420, false, false},
      {"1.5", 432, 432, false, false},
      {"longer", 500, 500, true, false},
      {"claims 1000", 432, 1000, false, true},
      {"claims 420", 432, 420, false, true},
      {"longer, claims 432", 600, 432, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = PatternFile(c.length, c.checkSum);
    WriteFileBytes(File("setup.cfg"), bytes);
    *settingsRecord = PatternRecord(7);
    diag::CollectingSink sink;

    ASSERT_EQ(settingsFile_.LoadSettings(File("setup.cfg")), 1);

    std::string expected = bytes.substr(0, kSettingsRecordSize);
    expected.resize(kSettingsRecordSize, '\0');
    EXPECT_EQ(RecordBytes(*settingsRecord), expected);
    std::vector<std::u16string> lines =
        LoadingLines(u"Read Product:[R470], Config Ver.:[1.3], CheckSum:[" + text::Dec(c.checkSum) +
                     u"], Read Size:[" + text::Dec(c.length) + u"]\n");
    if (c.higher) lines.push_back(kHigher);
    if (c.differs) lines.push_back(kDiffers);
    EXPECT_EQ(sink.lines, lines);
  }
}

// Shorter than any layout: a damaged file, not settings of the camera.
TEST_F(LoadTest, FileShorterThanTheOldestLayoutIsNotLoaded) {
  for (std::size_t length : {0, 100, 355}) {
    SCOPED_TRACE(length);
    WriteFileBytes(File("setup.cfg"), PatternFile(length, 432));
    *settingsRecord = PatternRecord(420);
    diag::CollectingSink sink;
    EXPECT_EQ(settingsFile_.LoadSettings(File("setup.cfg")), 0);
    EXPECT_EQ(RecordBytes(*settingsRecord), RecordBytes(PatternRecord(420)));
    EXPECT_EQ(sink.lines, std::vector<std::u16string>{
                              u"Warning BlackBox Setting too short, factory settings used !\n"});
  }
}

TEST(ProductName, IsDecodedAndEndsAtNulOrSixteenBytes) {
  struct Case {
    std::string field;
    std::u16string shown;
  } cases[] = {
      {std::string("R470\0junk", 9), u"R470"},
      {"Cam\xE9ra 16 bytes!", u"Cam\u00e9ra 16 bytes!"},
      {"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.field);
    SettingsRecord record = PatternRecord(432);
    std::memset(record.productName, 0, sizeof record.productName);
    std::memcpy(record.productName, c.field.data(), c.field.size());
    EXPECT_EQ(settings::ProductName(record), c.shown);
  }
}

TEST_F(LoadTest, MissingFileLeavesRecordAlone) {
  *settingsRecord = PatternRecord(420);
  diag::CollectingSink sink;
  EXPECT_EQ(settingsFile_.LoadSettings(File("setup.cfg")), 0);
  EXPECT_EQ(RecordBytes(*settingsRecord), RecordBytes(PatternRecord(420)));
  EXPECT_EQ(sink.lines, std::vector<std::u16string>{u"Warning BlackBox Setting not found !\n"});
}

// A folder opens as a file here but every read of it fails.
TEST_F(LoadTest, ReadErrorIsAFailureAndLeavesRecordAlone) {
  fs::create_directory(File("setup.cfg"));
  *settingsRecord = PatternRecord(420);
  diag::CollectingSink sink;
  EXPECT_EQ(settingsFile_.LoadSettings(File("setup.cfg")), 0);
  EXPECT_EQ(RecordBytes(*settingsRecord), RecordBytes(PatternRecord(420)));
  ASSERT_EQ(sink.lines.size(), 1u);
  EXPECT_NE(sink.lines[0].find(u"read failed"), std::u16string::npos);
}

TEST_F(LoadTest, AllocatesTheRecordWhenThereIsNone) {
  WriteFileBytes(File("setup.cfg"), PatternFile(432, 432));
  delete settingsRecord;
  settingsRecord = nullptr;
  ASSERT_EQ(settingsFile_.LoadSettings(File("setup.cfg")), 1);
  ASSERT_NE(settingsRecord, nullptr);
  EXPECT_EQ(RecordBytes(*settingsRecord), PatternFile(432, 432));
}

// A sparse file of 4 GiB + 500 bytes: reading it whole would take gigabytes.
// The size shown is its low 32 bits; the warnings judge the real length.
TEST_F(LoadTest, HugeFileIsReadOnlyAsFarAsTheRecord) {
  constexpr std::uint64_t kHuge = (std::uint64_t{1} << 32) + 500;
  WriteFileBytes(File("setup.cfg"), PatternFile(kSettingsRecordSize, 500));
  fs::resize_file(File("setup.cfg"), kHuge);
  diag::CollectingSink sink;

  ASSERT_EQ(settingsFile_.LoadSettings(File("setup.cfg")), 1);

  EXPECT_EQ(RecordBytes(*settingsRecord), PatternFile(kSettingsRecordSize, 500));
  std::vector<std::u16string> lines =
      LoadingLines(u"Read Product:[R470], Config Ver.:[1.3], CheckSum:[500], Read Size:[500]\n");
  lines.push_back(kHigher);
  lines.push_back(kDiffers);
  EXPECT_EQ(sink.lines, lines);
}

}  // namespace
}  // namespace settings_test

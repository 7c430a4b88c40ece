#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/diag/diagnostics.h"
#include "settings_test_support.h"

namespace settings_test {
namespace {

using ClockFileTest = SettingsStoreTest;

bool SameDateTime(const SystemTime& a, const SystemTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second;
}

TEST_F(ClockFileTest, WrittenClockReadsBackUnchanged) {
  const SystemTime set = {2026, 12, 2, 8, 3, 59, 7, 0};
  clockSet = 1;
  clockTime = set;
  settingsRecord->timeZoneOffset = -480;
  ASSERT_EQ(settingsFile_.WriteClockFile(File("time.dat")), 1);
  EXPECT_EQ(ReadFileBytes(File("time.dat")), "2026,12,08,03,59,07,-0800");

  clockSet = 0;
  clockTime = {1, 1, 5, 1, 1, 1, 1, 77};
  ASSERT_EQ(settingsFile_.ReadClockFile(File("time.dat")), 1);
  EXPECT_EQ(clockSet, 1);
  EXPECT_TRUE(SameDateTime(clockTime, set));
  EXPECT_EQ(clockTime.dayOfWeek, 5);
  EXPECT_EQ(clockTime.milliseconds, 77);

  // Written again unchanged on the next save.
  ASSERT_EQ(settingsFile_.WriteClockFile(File("time.dat")), 1);
  EXPECT_EQ(ReadFileBytes(File("time.dat")), "2026,12,08,03,59,07,-0800");
}

TEST_F(ClockFileTest, ShortValidLineSetsMidnight) {
  WriteFileBytes(File("time.dat"), "2026,5,8\r\n");
  ASSERT_EQ(settingsFile_.ReadClockFile(File("time.dat")), 1);
  EXPECT_EQ(clockSet, 1);
  EXPECT_TRUE(SameDateTime(clockTime, {2026, 5, 0, 8, 0, 0, 0, 0}));
}

TEST_F(ClockFileTest, NoClockSettingWithoutAUsableFile) {
  struct Case {
    const char* name;
    const char* content;  // nullptr: no file
    std::size_t debugLines;
  } cases[] = {
      {"missing", nullptr, 0},      {"empty", "", 0},
      {"blank line", "   \n", 1},   {"month 13", "2026,13,08,03,59,07,-0800", 1},
      {"April 31", "2026,4,31", 1}, {"hour 24", "2026,5,8,24,0,0", 1},
  };
  const SystemTime before = {2020, 1, 3, 2, 3, 4, 5, 6};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(File("time.dat"));
    if (c.content != nullptr) WriteFileBytes(File("time.dat"), c.content);
    clockSet = 1;
    clockTime = before;
    diag::CollectingSink sink;

    EXPECT_EQ(settingsFile_.ReadClockFile(File("time.dat")), 0);

    EXPECT_EQ(clockSet, 0);
    EXPECT_TRUE(SameDateTime(clockTime, before));
    ASSERT_EQ(sink.lines.size(), c.debugLines);
    if (c.debugLines > 0) {
      EXPECT_EQ(sink.lines[0].back(), u'\n');
    }
  }
}

TEST_F(ClockFileTest, ReadErrorMeansNoClockSetting) {
  fs::create_directory(File("time.dat"));
  clockSet = 1;
  EXPECT_EQ(settingsFile_.ReadClockFile(File("time.dat")), 0);
  EXPECT_EQ(clockSet, 0);
}

// Only the first line is read, however long the file.
TEST_F(ClockFileTest, HugeFileCostsOnlyItsFirstLine) {
  WriteFileBytes(File("time.dat"), "2026,5,8,1,2,3,+0100\n");
  fs::resize_file(File("time.dat"), std::uint64_t{1} << 32);
  ASSERT_EQ(settingsFile_.ReadClockFile(File("time.dat")), 1);
  EXPECT_TRUE(SameDateTime(clockTime, {2026, 5, 0, 8, 1, 2, 3, 0}));
}

TEST_F(ClockFileTest, NoClockSettingDeletesTheFile) {
  WriteFileBytes(File("time.dat"), "2026,5,8");
  clockSet = 0;
  EXPECT_EQ(settingsFile_.WriteClockFile(File("time.dat")), 1);
  EXPECT_FALSE(fs::exists(File("time.dat")));
  EXPECT_EQ(settingsFile_.WriteClockFile(File("time.dat")), 1);
}

TEST_F(ClockFileTest, WriteFailuresReturnZero) {
  fs::create_directory(File("folder.dat"));
  std::vector<fs::path> paths = {File("folder.dat"), File("missing") / "time.dat"};
  if (fs::exists("/dev/full")) paths.push_back("/dev/full");  // fails at flush
  for (const fs::path& path : paths) {
    SCOPED_TRACE(path.string());
    clockSet = 1;
    clockTime = {2026, 5, 0, 8, 0, 0, 0, 0};
    EXPECT_EQ(settingsFile_.WriteClockFile(path), 0);
    EXPECT_EQ(clockSet, 1);
  }
}

}  // namespace
}  // namespace settings_test

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/diag/diagnostics.h"
#include "core/settings/card_settings.h"
#include "core/text/u16.h"
#include "settings_test_support.h"

namespace settings_test {
namespace {

using SaveTest = SettingsStoreTest;

// What the first bytes of the file must hold after a save: the record with
// checkSum 432.
std::string SavedImage(SettingsRecord record) {
  record.checkSum = kSettingsRecordSize;
  return RecordBytes(record);
}

TEST_F(SaveTest, WritesCheckSumBytesOverTheStartAndKeepsTheRest) {
  struct Case {
    std::uint32_t checkSum;
    std::size_t written;
  } cases[] = {{356, 356}, {372, 372},  {420, 420},       {432, 432},
               {500, 432}, {1000, 432}, {0xFFFFFFFF, 432},
               // Shorter than any layout: a damaged length is not trusted.
               {100, 432}, {3, 432}, {355, 432}};
  const std::string oldFile(500, '\xEE');
  for (const Case& c : cases) {
    SCOPED_TRACE(c.checkSum);
    WriteFileBytes(File("setup.cfg"), oldFile);
    *settingsRecord = PatternRecord(c.checkSum);
    diag::CollectingSink sink;

    ASSERT_EQ(settingsFile_.SaveSettings(File("setup.cfg")), 1);

    std::string expected =
        SavedImage(PatternRecord(c.checkSum)).substr(0, c.written) + oldFile.substr(c.written);
    EXPECT_EQ(ReadFileBytes(File("setup.cfg")), expected);
    EXPECT_EQ(settingsRecord->checkSum, kSettingsRecordSize);
    ASSERT_GE(sink.lines.size(), 3u);
    EXPECT_EQ(sink.lines[2],
              u"Write Product:[R470]  Config Ver.:[1.3], CheckSum:[432], Written Size [" +
                  text::Dec(c.written) + u"] \n");
  }
}

// The layouts a card may hold (shared with the web page's tests): each
// goes back to the card at its own length, unchanged but for the first
// word, and a save over a missing or damaged file writes the whole record.
struct Layout {
  std::string name;
  long fileLength;  // -1: no file
  std::size_t saved;
};

std::vector<Layout> Layouts() {
  std::ifstream table(PROJECT_SOURCE_DIR_PATH "/tests/vectors/setup_cfg_layouts.tsv");
  std::vector<Layout> layouts;
  for (std::string line; std::getline(table, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string name, length, checkSum, saved;
    std::getline(fields, name, '\t');
    std::getline(fields, length, '\t');
    std::getline(fields, checkSum, '\t');
    std::getline(fields, saved, '\t');
    layouts.push_back({name, length == "-" ? -1 : std::stol(length), std::stoul(saved)});
  }
  return layouts;
}

TEST_F(SaveTest, LoadThenSaveKeepsEveryLayoutLength) {
  const std::vector<Layout> layouts = Layouts();
  ASSERT_EQ(layouts.size(), 8u);
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    fs::remove(File("setup.cfg"));
    *settingsRecord = SettingsRecord{};  // as a front end starts each card
    std::string original;
    if (layout.fileLength >= 0) {
      const auto length = static_cast<std::size_t>(layout.fileLength);
      original = RecordBytes(PatternRecord(static_cast<std::uint32_t>(length)));
      original.resize(length, '\x5A');
      WriteFileBytes(File("setup.cfg"), original);
    }
    settings::CardSettings card;
    card.Load(folder_.path().string() + "/");
    ASSERT_TRUE(card.Save(folder_.path().string() + "/"));

    std::string saved = ReadFileBytes(File("setup.cfg"));
    ASSERT_EQ(saved.size(), std::max(original.size(), layout.saved));
    EXPECT_EQ(WordAt(saved, 0), kSettingsRecordSize);
    if (original.size() >= kOldestRecordSize) {
      EXPECT_EQ(saved.substr(4), original.substr(4));
    } else {
      EXPECT_EQ(WordAt(saved, 4), kConfigVersion15);
    }
  }
}

TEST_F(SaveTest, NeverLoadedRecordIsWrittenWholeAsCurrentVersion) {
  struct Case {
    const char* name;
    std::uint32_t versionBefore, versionAfter;
  } cases[] = {
      {"no version", 0, kConfigVersion15},
      {"own version", 0x00010002, 0x00010002},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(File("setup.cfg"));
    *settingsRecord = SettingsRecord{};
    settingsFile_.LoadDefaults(*settingsRecord);
    settingsRecord->configVersion = c.versionBefore;

    ASSERT_EQ(settingsFile_.SaveSettings(File("setup.cfg")), 1);

    std::string saved = ReadFileBytes(File("setup.cfg"));
    ASSERT_EQ(saved.size(), kSettingsRecordSize);
    EXPECT_EQ(WordAt(saved, 0), kSettingsRecordSize);
    EXPECT_EQ(WordAt(saved, 4), c.versionAfter);
    EXPECT_EQ(saved, RecordBytes(*settingsRecord));
    // The new file loads without a warning.
    diag::CollectingSink sink;
    ASSERT_EQ(settingsFile_.LoadSettings(File("setup.cfg")), 1);
    EXPECT_EQ(sink.lines.size(), 6u);
  }
}

TEST_F(SaveTest, WriteErrorIsAFailureAndLeavesRecordAlone) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  *settingsRecord = PatternRecord(420);
  diag::CollectingSink sink;
  EXPECT_EQ(settingsFile_.SaveSettings("/dev/full"), 0);
  EXPECT_EQ(RecordBytes(*settingsRecord), RecordBytes(PatternRecord(420)));
  ASSERT_EQ(sink.lines.size(), 3u);
  EXPECT_NE(sink.lines[2].find(u"write failed"), std::u16string::npos);
}

TEST_F(SaveTest, UnopenableFileIsAFailure) {
  fs::create_directory(File("folder.cfg"));
  for (fs::path path : {File("folder.cfg"), File("missing") / "setup.cfg"}) {
    SCOPED_TRACE(path.string());
    *settingsRecord = PatternRecord(420);
    diag::CollectingSink sink;
    EXPECT_EQ(settingsFile_.SaveSettings(path), 0);
    EXPECT_EQ(settingsRecord->checkSum, 420u);
    EXPECT_EQ(sink.lines, std::vector<std::u16string>{u"\n\nBlackBox Setting fail to save\n"});
  }
  EXPECT_FALSE(fs::exists(File("missing")));
}

TEST_F(SaveTest, DumpsTheSettingsAfterSaving) {
  SettingsRecord& record = *settingsRecord;
  record = PatternRecord(432);
  record.voiceGuidance = 1;
  record.volume = 6;
  record.timeZoneOffset = -210;
  record.motionDetection = 1;
  record.motionSensitivity = 5;
  record.stopTimerHours = 24;
  record.stopVoltage12 = 3;
  record.stopVoltage24 = 7;
  record.memoryPartition = 2;
  diag::CollectingSink sink;

  ASSERT_EQ(settingsFile_.SaveSettings(File("setup.cfg")), 1);

  const std::vector<std::u16string>& lines = sink.lines;
  ASSERT_EQ(lines.size(), 33u);
  EXPECT_EQ(lines[0], u"\n\nBlackBox Setting saving...\n");
  EXPECT_EQ(lines[1], u"config version : 1.5 , checksum = 432\n");
  EXPECT_EQ(lines[6], u"Voice guguidence Enable[0/1] = 1,  Volume [1~6] = 6\n");
  EXPECT_EQ(lines[8], u"Time Zone  Offset = -210\n");
  EXPECT_EQ(lines[22], u"Motion Detect  Enabe[0/1] = 1, Sensitivity [1,3,5] = 5\n");
  EXPECT_EQ(lines[23], u" Timer setting for stop recording   [1~48] = 24 \n");
  EXPECT_EQ(lines[24],
            u" Voltage setting for stop recording   [11.6(0) ~12.3(7)] = 3, "
            u"[23.2(0) ~24.6(7)] = 7 \n");
  EXPECT_EQ(lines[31], u"Memory Partition [1~3] = 2\n");
  struct Ruler {
    std::size_t line, hyphens;
  } rulers[] = {{3, 65}, {11, 63}, {16, 63}, {25, 65}, {32, 77}};
  for (const Ruler& r : rulers) {
    SCOPED_TRACE(r.line);
    EXPECT_EQ(std::count(lines[r.line].begin(), lines[r.line].end(), u'-'),
              static_cast<long>(r.hyphens));
    EXPECT_EQ(lines[r.line].back(), u'\n');
  }
}

}  // namespace
}  // namespace settings_test

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/diag/diagnostics.h"
#include "core/settings/clock_time.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_record.h"
#include "win/platform/platform_seams.h"

namespace {

namespace fs = std::filesystem;

// A card folder whose name no ANSI code page can spell.
class SettingsPathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallWindowsSeams();
    folder_ = fs::temp_directory_path() / L"Carte \u00e9t\u00e9 \u4e2d";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    settingsRecord = new SettingsRecord{};
    clockSet = 0;
    clockTime = {};
  }
  void TearDown() override {
    delete settingsRecord;
    settingsRecord = nullptr;
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  SettingsFile settingsFile_;
  fs::path folder_;
};

TEST_F(SettingsPathsTest, StoreWorksInAFolderWithAnyCharacters) {
  settingsFile_.LoadDefaults(*settingsRecord);
  settingsRecord->stopTimerHours = 24;
  ASSERT_EQ(settingsFile_.SaveSettings(folder_ / L"setup.cfg"), 1);
  EXPECT_EQ(fs::file_size(folder_ / L"setup.cfg"), kSettingsRecordSize);

  *settingsRecord = SettingsRecord{};
  ASSERT_EQ(settingsFile_.LoadSettings(folder_ / L"setup.cfg"), 1);
  EXPECT_EQ(settings::ProductName(*settingsRecord), u"R470");
  EXPECT_EQ(settingsRecord->stopTimerHours, 24);
  EXPECT_EQ(settingsRecord->configVersion, kConfigVersion15);

  clockSet = 1;
  clockTime = {2026, 12, 2, 8, 3, 59, 7, 0};
  ASSERT_EQ(settingsFile_.WriteClockFile(folder_ / L"time.dat"), 1);
  std::ifstream written(folder_ / L"time.dat", std::ios::binary);
  std::string line;
  std::getline(written, line);
  EXPECT_EQ(line, "2026,12,08,03,59,07,-0800");
  written.close();

  clockSet = 0;
  clockTime = {};
  ASSERT_EQ(settingsFile_.ReadClockFile(folder_ / L"time.dat"), 1);
  EXPECT_EQ(clockSet, 1);
  EXPECT_EQ(clockTime.year, 2026);
  EXPECT_EQ(clockTime.second, 7);
}

// The card's files are held open without sharing (or the card is locked): a
// save must come back as a failure, never as success.
TEST_F(SettingsPathsTest, LockedFilesFailToSave) {
  const fs::path setup = folder_ / L"setup.cfg";
  const fs::path clock = folder_ / L"time.dat";
  std::ofstream(setup, std::ios::binary).write(std::string(432, '\0').data(), 432);
  std::ofstream(clock, std::ios::binary) << "2026,5,8";
  std::vector<HANDLE> locks;
  for (const fs::path& path : {setup, clock}) {
    HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    locks.push_back(handle);
  }
  settingsFile_.LoadDefaults(*settingsRecord);
  clockSet = 1;
  clockTime = {2026, 5, 0, 8, 0, 0, 0, 0};
  diag::CollectingSink sink;

  EXPECT_EQ(settingsFile_.SaveSettings(setup), 0);
  EXPECT_EQ(settingsFile_.WriteClockFile(clock), 0);

  EXPECT_EQ(sink.lines, std::vector<std::u16string>{u"\n\nBlackBox Setting fail to save\n"});
  EXPECT_EQ(settingsRecord->checkSum, 0u);
  for (HANDLE handle : locks) CloseHandle(handle);
}

}  // namespace

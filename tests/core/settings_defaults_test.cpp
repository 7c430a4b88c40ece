#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings_test_support.h"

namespace settings_test {
namespace {

struct ByteRange {
  std::size_t begin, end;
  bool operator==(const ByteRange&) const = default;
};

// Byte ranges in which two records differ.
std::vector<ByteRange> DifferingRanges(const SettingsRecord& a, const SettingsRecord& b) {
  std::string x = RecordBytes(a), y = RecordBytes(b);
  std::vector<ByteRange> ranges;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (x[i] == y[i]) continue;
    if (!ranges.empty() && ranges.back().end == i) {
      ranges.back().end = i + 1;
    } else {
      ranges.push_back({i, i + 1});
    }
  }
  return ranges;
}

// Defaults applied to an all-zero and an all-one record leave them differing
// exactly where fields are kept: the camera's own words, the slider values
// without a default, the motion areas and every reserved word.
TEST(LoadDefaults, KeepsExactlyTheFieldsWithoutAFactoryValue) {
  SettingsRecord zeros{};
  SettingsRecord ones;
  std::memset(&ones, 0xFF, sizeof ones);
  SettingsFile settingsFile;
  settingsFile.LoadDefaults(zeros);
  settingsFile.LoadDefaults(ones);

  std::vector<ByteRange> kept = {
      {0, 8},      // checkSum, configVersion
      {24, 52},    // reserved
      {68, 76},    // reserved
      {88, 100},   // rearBrightness, reserved
      {104, 108},  // voiceRecordingLevel
      {124, 132},  // reserved
      {188, 196},  // motionAreaFront, motionAreaRear
      {220, 228},  // reserved
      {356, 372},  // reserved
      {420, 428},  // reserved
  };
  EXPECT_EQ(DifferingRanges(zeros, ones), kept);
}

TEST(LoadDefaults, GivesTheFactorySettings) {
  SettingsRecord record;
  std::memset(&record, 0xFF, sizeof record);
  SettingsFile().LoadDefaults(record);

  EXPECT_EQ(std::string(record.productName, sizeof record.productName),
            std::string("R470") + std::string(12, '\0'));
  EXPECT_EQ(std::string(record.settingProgramPath), "SETTING\\R470_Setting.exe");
  EXPECT_EQ(std::string(record.timeZoneName), "Pacific Standard Time");
  EXPECT_EQ(record.timeZoneName[31], '\0');
  EXPECT_EQ(record.contFrontResolution, 2);
  EXPECT_EQ(record.contRearResolution, 0);
  EXPECT_EQ(record.parkRearQuality, 0);
  EXPECT_EQ(record.contImpactSensitivity, 7);
  EXPECT_EQ(record.motionSensitivity, 3);
  EXPECT_EQ(record.stopTimerHours, 48);
  EXPECT_EQ(record.stopVoltage24, 6);
  EXPECT_EQ(record.timeZoneOffset, -480);
  EXPECT_EQ(record.daylightSaving, 1);
  EXPECT_EQ(record.language, 0);
}

// Initialize after a card was read: the camera's values survive.
using DefaultsTest = SettingsStoreTest;

TEST_F(DefaultsTest, AfterLoadingKeepsTheCamerasOwnValues) {
  SettingsRecord written = PatternRecord(420);
  written.motionAreaFront = 0x0A5;
  written.rearBrightness = 2;
  written.contRearResolution = 2;
  WriteFileBytes(File("setup.cfg"), RecordBytes(written).substr(0, 420));
  ASSERT_EQ(settingsFile_.LoadSettings(File("setup.cfg")), 1);

  settingsFile_.LoadDefaults(*settingsRecord);

  EXPECT_EQ(settingsRecord->checkSum, 420u);
  EXPECT_EQ(settingsRecord->configVersion, written.configVersion);
  EXPECT_EQ(settingsRecord->motionAreaFront, 0x0A5);
  EXPECT_EQ(settingsRecord->motionAreaRear, written.motionAreaRear);
  EXPECT_EQ(settingsRecord->rearBrightness, 2);
  EXPECT_EQ(settingsRecord->voiceRecordingLevel, written.voiceRecordingLevel);
  EXPECT_EQ(settingsRecord->contRearResolution, 0);
}

}  // namespace
}  // namespace settings_test

#pragma once
// Shared by the settings store tests: a scratch folder, whole-file helpers and
// a fixture that gives each test a fresh record and clock setting.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "core/settings/clock_time.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_record.h"

namespace settings_test {

namespace fs = std::filesystem;

class ScratchFolder {
 public:
  ScratchFolder()
      : path_(fs::temp_directory_path() /
              ("settings_test_" + std::to_string(std::random_device{}()))) {
    fs::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

inline void WriteFileBytes(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), bytes.size());
}

inline std::string ReadFileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline std::string RecordBytes(const SettingsRecord& record) {
  return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

inline std::uint32_t WordAt(const std::string& bytes, std::size_t offset) {
  std::uint32_t word;
  std::memcpy(&word, bytes.data() + offset, sizeof word);
  return word;
}

// A record whose every byte is known and non-zero, so a byte lost, moved or
// zeroed on the way to or from the file shows.
inline SettingsRecord PatternRecord(std::uint32_t checkSum) {
  SettingsRecord record;
  auto* bytes = reinterpret_cast<unsigned char*>(&record);
  for (std::size_t i = 0; i < sizeof record; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 1);
  record.checkSum = checkSum;
  record.configVersion = 0x00010003;
  std::memset(record.productName, 0, sizeof record.productName);
  std::memcpy(record.productName, "R470", 4);
  return record;
}

// Fresh globals for every test; the record is owned by the fixture as the
// main window owns it in the program.
class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settingsRecord = new SettingsRecord{};
    clockSet = 0;
    clockTime = {};
  }
  void TearDown() override {
    delete settingsRecord;
    settingsRecord = nullptr;
  }

  fs::path File(const char* name) const { return folder_.path() / name; }

  SettingsFile settingsFile_;
  ScratchFolder folder_;
};

}  // namespace settings_test

// setup.cfg as a card may hold it: any length, any bytes. The loader must
// take the file's first bytes as the record (zero beyond them) unless the
// file is shorter than any layout, and a save
// over the same file must change no byte beyond the length it writes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "core/settings/settings_file.h"
#include "core/settings/settings_record.h"
#include "fuzz_require.h"
#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile file("setup.cfg");
  file.Write(data, size);

  SettingsRecord record{};
  settingsRecord = &record;
  SettingsFile settingsFile;
  // A file shorter than the oldest layout is damaged and not loaded.
  const bool damaged = size < kOldestRecordSize;
  FUZZ_REQUIRE(settingsFile.LoadSettings(file.path()) == (damaged ? 0 : 1));
  const auto* recordBytes = reinterpret_cast<const std::uint8_t*>(&record);
  const std::size_t loaded = damaged ? 0 : std::min<std::size_t>(size, kSettingsRecordSize);
  FUZZ_REQUIRE(std::equal(data, data + loaded, recordBytes));
  FUZZ_REQUIRE(std::all_of(recordBytes + loaded, recordBytes + kSettingsRecordSize,
                           [](std::uint8_t b) { return b == 0; }));

  // An older camera's file keeps its length; a record claiming less than
  // the oldest layout (never saved by a camera, or damaged) is written whole.
  const std::size_t written =
      record.checkSum < kOldestRecordSize ? kSettingsRecordSize
                                        : std::min(record.checkSum, kSettingsRecordSize);
  FUZZ_REQUIRE(settingsFile.SaveSettings(file.path()) == 1);
  FUZZ_REQUIRE(record.checkSum == kSettingsRecordSize);
  const std::string saved = file.Read();
  FUZZ_REQUIRE(saved.size() == std::max(size, written));
  FUZZ_REQUIRE(std::memcmp(saved.data(), recordBytes, written) == 0);
  FUZZ_REQUIRE(size <= written || std::memcmp(saved.data() + written, data + written,
                                              size - written) == 0);
  settingsRecord = nullptr;
  return 0;
}

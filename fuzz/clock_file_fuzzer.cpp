// time.dat as a card may hold it. The reader must accept exactly the files
// whose first line parses to a valid date and time, take that date and time,
// and what it took must write back as a line that reads the same.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/settings/clock_line.h"
#include "core/settings/clock_time.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_record.h"
#include "fuzz_require.h"
#include "scratch_file.h"

namespace {

// The reader looks no further into the file than this.
constexpr std::size_t kClockReadLimit = 256;

// A time-zone offset for the write-back, any 32-bit value, drawn from the input.
std::int32_t OffsetFrom(const std::uint8_t* data, std::size_t size) {
  std::uint32_t offset = 0;
  for (std::size_t i = 0; i < size; ++i) offset = offset * 31 + data[i];
  return static_cast<std::int32_t>(offset);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const fuzz::ScratchFile file("time.dat");
  file.Write(data, size);

  clockSet = 0;
  clockTime = {};
  SettingsFile settingsFile;
  const int read = settingsFile.ReadClockFile(file.path());
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const settings::ClockFields fields = settings::ParseClockLine(text.substr(0, kClockReadLimit));
  FUZZ_REQUIRE(read == (settings::IsValidClock(fields) ? 1 : 0));
  FUZZ_REQUIRE(clockSet == read);
  const settings::ClockFields taken{clockTime.year, clockTime.month,  clockTime.day,
                                    clockTime.hour, clockTime.minute, clockTime.second};
  if (read == 0) {
    FUZZ_REQUIRE(taken == settings::ClockFields{});
    return 0;
  }
  FUZZ_REQUIRE(taken == fields);

  SettingsRecord record{};
  record.timeZoneOffset = OffsetFrom(data, size);
  settingsRecord = &record;
  FUZZ_REQUIRE(settingsFile.WriteClockFile(file.path()) == 1);
  settingsRecord = nullptr;
  FUZZ_REQUIRE(settings::ParseClockLine(file.Read()) == fields);
  return 0;
}

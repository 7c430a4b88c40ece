#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/diag/diagnostics.h"
#include "core/io/file.h"
#include "core/settings/clock_line.h"
#include "core/settings/clock_time.h"
#include "core/settings/settings_file.h"
#include "core/text/u16.h"

namespace {

// A clock line is about 25 characters; reading no further than this keeps a
// huge or damaged time.dat harmless.
constexpr std::size_t kClockReadLimit = 256;

std::u16string DescribeFields(const settings::ClockFields& f) {
  std::u16string text;
  for (long long value : {f.year, f.month, f.day, f.hour, f.minute, f.second}) {
    if (!text.empty()) text += u',';
    text += text::Dec(value);
  }
  return text;
}

}  // namespace

int SettingsFile::ReadClockFile(const io::PathString& path) {
  clockSet = 0;
  io::File file = io::File::Open(path, io::File::Mode::kRead);
  if (!file.IsOpen()) return 0;
  std::array<char, kClockReadLimit> buffer;
  std::optional<std::size_t> count = file.Read(std::as_writable_bytes(std::span(buffer)));
  if (!count || *count == 0) return 0;

  settings::ClockFields fields = settings::ParseClockLine(std::string_view(buffer.data(), *count));
  // An impossible date would set the camera clock to nonsense and be written
  // back on Save, so such a file counts as no clock setting at all.
  if (!settings::IsValidClock(fields)) {
    diag::Write(u"Warning time.dat ignored, its first line is no valid date and time: " +
                DescribeFields(fields) + u"\n");
    return 0;
  }
  clockTime.year = static_cast<std::uint16_t>(fields.year);
  clockTime.month = static_cast<std::uint16_t>(fields.month);
  clockTime.day = static_cast<std::uint16_t>(fields.day);
  clockTime.hour = static_cast<std::uint16_t>(fields.hour);
  clockTime.minute = static_cast<std::uint16_t>(fields.minute);
  clockTime.second = static_cast<std::uint16_t>(fields.second);
  clockSet = 1;
  return 1;
}

int SettingsFile::WriteClockFile(const io::PathString& path) {
  if (clockSet == 0) {
    io::RemoveFile(path);  // a file already missing is what was wanted
    return 1;
  }
  if (settingsRecord == nullptr) return 0;
  io::File file = io::File::Open(path, io::File::Mode::kReplace);
  if (!file.IsOpen()) return 0;
  std::string line = settings::FormatClockLine(clockTime, settingsRecord->timeZoneOffset);
  return file.Write(std::as_bytes(std::span(line))) && file.Close() ? 1 : 0;
}

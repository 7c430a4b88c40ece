#pragma once
// The one line of time.dat, without any file access:
// "%4d,%02d,%02d,%02d,%02d,%02d,%c%02d%02d" = year, month, day, hour, minute,
// second, then the time-zone offset as sign, hours and minutes. The camera
// reads the sign as '+' only for offsets east of UTC; 0 is written -0000.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/settings/clock_time.h"

namespace settings {

// The line for time at timeZoneOffset (minutes east of UTC), with no line end.
std::string FormatClockLine(const SystemTime& time, std::int32_t timeZoneOffset);

// Date and time as a line gives them; not yet checked.
struct ClockFields {
  long long year = 0;
  long long month = 0;
  long long day = 0;
  long long hour = 0;
  long long minute = 0;
  long long second = 0;

  bool operator==(const ClockFields&) const = default;
};

// Reads the first six comma-separated fields of the first line of text (it
// ends at the first CR or LF). Each field is trimmed of white space and read
// as a decimal number up to its first non-digit; a missing, empty or
// non-numeric field gives 0. The time-zone field and anything after it are
// ignored: the camera takes the zone from setup.cfg.
ClockFields ParseClockLine(std::string_view text);

// True when fields name a real date and time that a SYSTEMTIME can hold
// (years 1601..30827, Gregorian calendar).
bool IsValidClock(const ClockFields& fields);

}  // namespace settings

#pragma once
// The camera clock setting carried by time.dat, shared with the Common page
// that edits it. Both globals live for the whole run; the main window sets
// clockSet to 0 at start before SettingsFile::ReadClockFile reads the card.

#include <cstdint>

// A local date and time with the fields of a Windows SYSTEMTIME, in the same
// order and widths, so the Windows side can copy one into the other.
struct SystemTime {
  std::uint16_t year;
  std::uint16_t month;      // 1..12
  std::uint16_t dayOfWeek;  // 0 = Sunday; not used by time.dat
  std::uint16_t day;        // 1..31
  std::uint16_t hour;       // 0..23
  std::uint16_t minute;
  std::uint16_t second;
  std::uint16_t milliseconds;  // not used by time.dat
};
static_assert(sizeof(SystemTime) == 16);

// 1 when Save is to write time.dat (set the camera clock), 0 when it is to
// delete it.
extern int clockSet;
// The local date and time written to time.dat; zero-filled at program start.
extern SystemTime clockTime;

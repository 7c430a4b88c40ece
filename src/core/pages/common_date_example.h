#pragma once
// The sample dates shown beside the two video date formats of the Common
// page, written as the C library's strftime writes them in the "C" locale
// (English month abbreviations whatever the PC's language), because that is
// how the camera stamps its videos.

#include <string>

namespace pages::common {

enum class DateExample {
  kNone,
  kYearMonthDay,      // "%Y-%m-%d", e.g. 2026-12-08
  kMonthNameDayYear,  // "%b-%d-%Y", e.g. Dec-08-2026
};

struct CalendarDate {
  int year;
  int month;  // 1..12
  int day;    // 1..31
};

// `date` in the given format; empty for kNone. A month outside 1..12 gives
// "?" for its abbreviation.
std::u16string DateExampleText(DateExample format, const CalendarDate& date);

}  // namespace pages::common

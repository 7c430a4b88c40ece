#pragma once
// The camera clock setting is edited in two pickers: one for the date, one
// for the time of day. Each contributes only its own half of clockTime.

#include "core/settings/clock_time.h"

namespace pages::common {

// Year, month, day of week and day of `from` into `to`; the time of day of
// `to` stays.
inline void TakeDate(SystemTime& to, const SystemTime& from) {
  to.year = from.year;
  to.month = from.month;
  to.dayOfWeek = from.dayOfWeek;
  to.day = from.day;
}

// Hour, minute, second and milliseconds of `from` into `to`; the date of
// `to` stays.
inline void TakeTimeOfDay(SystemTime& to, const SystemTime& from) {
  to.hour = from.hour;
  to.minute = from.minute;
  to.second = from.second;
  to.milliseconds = from.milliseconds;
}

}  // namespace pages::common

#include "core/settings/clock_line.h"

#include <cstdio>
#include <cstdlib>

namespace settings {
namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n\v\f";

std::string_view Trim(std::string_view field) {
  std::size_t first = field.find_first_not_of(kWhiteSpace);
  if (first == std::string_view::npos) return {};
  std::size_t last = field.find_last_not_of(kWhiteSpace);
  return field.substr(first, last - first + 1);
}

// Like atoi, but growth stops beyond any meaningful value instead of
// overflowing, so absurd digit strings stay absurd.
long long ToNumber(std::string_view field) {
  constexpr long long kCeiling = 1'000'000'000;
  bool negative = !field.empty() && field.front() == '-';
  if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
  long long value = 0;
  for (char c : field) {
    if (c < '0' || c > '9') break;
    if (value < kCeiling) value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

bool IsLeapYear(long long year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

long long DaysInMonth(long long year, long long month) {
  constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

std::string FormatClockLine(const SystemTime& time, std::int32_t timeZoneOffset) {
  long long magnitude = std::llabs(static_cast<long long>(timeZoneOffset));
  char line[96];
  std::snprintf(line, sizeof line, "%4d,%02d,%02d,%02d,%02d,%02d,%c%02lld%02lld", time.year,
                time.month, time.day, time.hour, time.minute, time.second,
                timeZoneOffset > 0 ? '+' : '-', magnitude / 60, magnitude % 60);
  return line;
}

ClockFields ParseClockLine(std::string_view text) {
  std::string_view line = text.substr(0, text.find_first_of("\r\n"));
  long long ClockFields::*const order[] = {&ClockFields::year,   &ClockFields::month,
                                           &ClockFields::day,    &ClockFields::hour,
                                           &ClockFields::minute, &ClockFields::second};
  ClockFields fields;
  for (long long ClockFields::*field : order) {
    std::size_t comma = line.find(',');
    fields.*field = ToNumber(Trim(line.substr(0, comma)));
    line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
  }
  return fields;
}

bool IsValidClock(const ClockFields& f) {
  return f.year >= 1601 && f.year <= 30827 && f.month >= 1 && f.month <= 12 && f.day >= 1 &&
         f.day <= DaysInMonth(f.year, f.month) && f.hour >= 0 && f.hour <= 23 && f.minute >= 0 &&
         f.minute <= 59 && f.second >= 0 && f.second <= 59;
}

}  // namespace settings

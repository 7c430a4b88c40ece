#include "core/settings/clock_line.h"

#include <gtest/gtest.h>

#include <string>

namespace settings {
namespace {

TEST(FormatClockLine, PadsFieldsAndSignsTheOffset) {
  struct Case {
    SystemTime time;
    int offset;
    std::string line;
  } cases[] = {
      {{2026, 12, 2, 8, 3, 59, 7, 0}, -480, "2026,12,08,03,59,07,-0800"},
      {{999, 1, 0, 2, 0, 0, 0, 0}, 0, " 999,01,02,00,00,00,-0000"},
      {{2026, 5, 0, 8, 23, 5, 9, 0}, -210, "2026,05,08,23,05,09,-0330"},
      {{2026, 5, 0, 8, 0, 0, 0, 0}, 345, "2026,05,08,00,00,00,+0545"},
      {{2026, 5, 0, 8, 0, 0, 0, 0}, 330, "2026,05,08,00,00,00,+0530"},
      {{30827, 12, 0, 31, 23, 59, 59, 999}, 840, "30827,12,31,23,59,59,+1400"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(FormatClockLine(c.time, c.offset), c.line);
  }
}

TEST(ParseClockLine, ReadsValidDatesLeniently) {
  struct Case {
    const char* text;
    ClockFields fields;
  } cases[] = {
      {"2026,12,08,03,59,07,-0800", {2026, 12, 8, 3, 59, 7}},
      {"2026,5,8", {2026, 5, 8, 0, 0, 0}},
      {" 2026 ,\t5 , 8 , 1 , 2 , 3 ", {2026, 5, 8, 1, 2, 3}},
      {"2026,12,08,03,59,07,-0800\r\n1999,1,1", {2026, 12, 8, 3, 59, 7}},
      {"2026,05x,08,7h", {2026, 5, 8, 7, 0, 0}},
      {"2024,2,29,23,59,59", {2024, 2, 29, 23, 59, 59}},
      {"2000,2,29", {2000, 2, 29, 0, 0, 0}},
      {"1601,1,1", {1601, 1, 1, 0, 0, 0}},
      {"30827,12,31,23,59,59", {30827, 12, 31, 23, 59, 59}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ClockFields f = ParseClockLine(c.text);
    EXPECT_EQ(f, c.fields);
    EXPECT_TRUE(IsValidClock(f));
  }
}

TEST(ParseClockLine, ImpossibleDatesAreInvalid) {
  const char* lines[] = {
      "",
      "  \t ",
      "\n2026,5,8",
      "2026,0,1",
      "2026,13,1",
      "2026,4,31",
      "2025,2,29",
      "1900,2,29",
      "2026,5,0",
      "2026,5,8,24",
      "2026,5,8,0,60",
      "2026,5,8,0,0,60",
      "1600,12,31",
      "30828,1,1",
      "65537,1,1",
      "2026,-5,8",
      "2026,5,8,-1",
      "99999999999999999999,1,1",
  };
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    EXPECT_FALSE(IsValidClock(ParseClockLine(line)));
  }
}

}  // namespace
}  // namespace settings

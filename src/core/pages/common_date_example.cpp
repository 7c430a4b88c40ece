#include "core/pages/common_date_example.h"

#include "core/text/u16.h"

namespace pages::common {

namespace {

constexpr const char16_t* kMonthAbbreviations[] = {u"Jan", u"Feb", u"Mar", u"Apr", u"May", u"Jun",
                                                   u"Jul", u"Aug", u"Sep", u"Oct", u"Nov", u"Dec"};

std::u16string MonthAbbreviation(int month) {
  return month >= 1 && month <= 12 ? kMonthAbbreviations[month - 1] : u"?";
}

}  // namespace

std::u16string DateExampleText(DateExample format, const CalendarDate& date) {
  switch (format) {
    case DateExample::kYearMonthDay:
      return text::Dec(date.year) + u"-" + text::TwoDigits(date.month) + u"-" + text::TwoDigits(date.day);
    case DateExample::kMonthNameDayYear:
      return MonthAbbreviation(date.month) + u"-" + text::TwoDigits(date.day) + u"-" +
             text::Dec(date.year);
    case DateExample::kNone:
      break;
  }
  return {};
}

}  // namespace pages::common

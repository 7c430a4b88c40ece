#include "win/card/format_route.h"

namespace card {

FormatRoute ChooseFormatRoute(bool windowsFormatterPresent, std::uint64_t volumeBytes) {
  if (!windowsFormatterPresent || volumeBytes > kWindowsFat32LimitBytes)
    return FormatRoute::kOwnWriter;
  return FormatRoute::kWindowsFormatter;
}

}  // namespace card

#pragma once
// The final message of a card format, in the language loaded: whether the
// card was formatted and, by name, whatever is not back on it. It never
// says the card was formatted completely unless everything is back.

#include <string>

#include "core/card/card_format_run.h"

namespace card {

std::u16string FormatResultMessage(const CardFormatResult& result);

}  // namespace card

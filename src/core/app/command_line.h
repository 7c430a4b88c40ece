#pragma once
// Command-line texts for the relaunch of the local copy.

#include <string>
#include <string_view>

namespace app {

// Quotes one argument so that the Windows argument splitter gives it back
// unchanged: blanks stay inside one argument, and backslashes that end up
// before a quote (a folder's trailing backslash among them) are doubled.
std::u16string QuoteArgument(std::u16string_view argument);

// The folder with a trailing backslash added when it has no separator at its
// end, so that file names can be appended to it. Empty stays empty.
std::u16string WithTrailingSeparator(std::u16string_view folder);

}  // namespace app

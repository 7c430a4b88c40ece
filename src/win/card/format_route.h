#pragma once
// Which formatter takes a card: Windows' own where it can, the program's
// FAT32 writer where it cannot. Windows' formatter refuses FAT32 above
// 32 GiB, and dash cams are sold with larger cards that must be FAT32.

#include <cstdint>

namespace card {

inline constexpr std::uint64_t kWindowsFat32LimitBytes = std::uint64_t{32} << 30;

enum class FormatRoute { kWindowsFormatter, kOwnWriter };

// volumeBytes: the card's size, 0 when it could not be read; such a card
// is left to Windows' formatter, which reads the size itself.
FormatRoute ChooseFormatRoute(bool windowsFormatterPresent, std::uint64_t volumeBytes);

}  // namespace card

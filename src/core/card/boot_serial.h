#pragma once
// The serial number that a volume's boot sector records, read from the
// sector itself: FAT12, FAT16, FAT32, exFAT and NTFS (its low 32 bits, as
// Windows reports it). Pure: no I/O.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace card {

// sector: the volume's first sector (at least 512 bytes). None when it
// holds no file system that records a serial number.
std::optional<std::uint32_t> BootSectorSerial(std::span<const std::byte> sector);

}  // namespace card

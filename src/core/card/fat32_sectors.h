#pragma once
// The contents of the metadata sectors a FAT32 quick format writes. Pure:
// each builder overwrites the whole span it is given, whose size must be one
// sector (one cluster for the root directory) of the layout.

#include <cstdint>
#include <span>
#include <string_view>

#include "core/card/fat32_layout.h"

namespace card {

// The label in the boot sector and in the root directory's label entry.
inline constexpr std::string_view kVolumeLabel = "R470";

inline constexpr std::uint32_t kFsInfoSector = 1;
inline constexpr std::uint32_t kBackupBootSector = 6;  // followed by backups of sectors 1 and 2
inline constexpr std::uint32_t kBootRecordSectors = 3;  // boot sector, FSInfo, third boot sector
inline constexpr std::uint8_t kMediaByte = 0xF8;        // what every FAT32 volume uses
inline constexpr std::uint32_t kEndOfChain = 0x0FFFFFFF;

// A local calendar time, as a Windows SYSTEMTIME gives it.
struct DateTime {
  std::uint16_t year = 1980;
  std::uint8_t month = 1;  // 1..12
  std::uint8_t day = 1;    // 1..31
  std::uint8_t hour = 0;
  std::uint8_t minute = 0;
  std::uint8_t second = 0;
  std::uint16_t milliseconds = 0;
};

// The volume serial number made from the format time, the way DOS did it.
std::uint32_t VolumeSerial(const DateTime& time);

// Sector 0, copied to sector 6.
void BuildBootSector(const Fat32Layout& layout, std::uint32_t serial, std::span<std::byte> sector);
// Sector 1, copied to sector 7: signatures, free-cluster count and hint.
void BuildFsInfoSector(const Fat32Layout& layout, std::span<std::byte> sector);
// Sector 2, copied to sector 8: empty but for the boot signature.
void BuildThirdBootSector(std::span<std::byte> sector);
// The first sector of each FAT: the media entry, the clean end-of-chain
// entry and the root directory's one-cluster chain; the rest zero.
void BuildFatHead(std::span<std::byte> sector);
// Cluster 2: the label entry, stamped with the format time, then nothing.
void BuildRootDirectory(const DateTime& time, std::span<std::byte> cluster);

}  // namespace card

#include "core/card/fat32_sectors.h"

#include <algorithm>
#include <cstring>

namespace card {
namespace {

constexpr std::size_t kLabelLength = 11;
constexpr std::size_t kSignatureOffset = 510;
constexpr std::uint32_t kFsInfoLeadSignature = 0x41615252;
constexpr std::uint32_t kFsInfoStructSignature = 0x61417272;
constexpr std::uint32_t kFsInfoTrailSignature = 0xAA550000;
constexpr std::uint8_t kLabelAttribute = 0x08;
constexpr std::uint32_t kRootCluster = 2;

void Put16(std::span<std::byte> out, std::size_t offset, std::uint32_t value) {
  out[offset] = std::byte(value & 0xFF);
  out[offset + 1] = std::byte((value >> 8) & 0xFF);
}

void Put32(std::span<std::byte> out, std::size_t offset, std::uint32_t value) {
  Put16(out, offset, value & 0xFFFF);
  Put16(out, offset + 2, value >> 16);
}

void PutText(std::span<std::byte> out, std::size_t offset, std::string_view text) {
  std::memcpy(out.data() + offset, text.data(), text.size());
}

void PutPaddedLabel(std::span<std::byte> out, std::size_t offset) {
  std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(offset), kLabelLength, std::byte{' '});
  PutText(out, offset, kVolumeLabel);
}

// 55 AA at 510; larger sectors carry it in their last two bytes as well.
void PutBootSignature(std::span<std::byte> sector) {
  Put16(sector, kSignatureOffset, 0xAA55);
  Put16(sector, sector.size() - 2, 0xAA55);
}

void Clear(std::span<std::byte> out) { std::fill(out.begin(), out.end(), std::byte{0}); }

std::uint32_t DosDate(const DateTime& t) {
  const std::uint32_t year = std::clamp<std::uint32_t>(t.year, 1980, 2107) - 1980;
  return year << 9 | std::uint32_t{t.month} << 5 | t.day;
}

std::uint32_t DosTime(const DateTime& t) {
  return std::uint32_t{t.hour} << 11 | std::uint32_t{t.minute} << 5 | t.second / 2u;
}

}  // namespace

std::uint32_t VolumeSerial(const DateTime& time) {
  const std::uint32_t low = (std::uint32_t{time.month} << 8 | time.day) +
                            (std::uint32_t{time.second} << 8 | time.milliseconds / 10u);
  const std::uint32_t high = (std::uint32_t{time.hour} << 8 | time.minute) + time.year;
  return (high & 0xFFFF) << 16 | (low & 0xFFFF);
}

void BuildBootSector(const Fat32Layout& layout, std::uint32_t serial, std::span<std::byte> sector) {
  Clear(sector);
  // A short jump over the parameter block to a halt loop: a PC that tries to
  // boot the card stops there instead of running whatever follows.
  const std::uint8_t jump[] = {0xEB, 0x58, 0x90};
  const std::uint8_t haltLoop[] = {0xF4, 0xEB, 0xFD};
  std::memcpy(sector.data(), jump, sizeof jump);
  std::memcpy(sector.data() + 90, haltLoop, sizeof haltLoop);
  PutText(sector, 3, "MSWIN4.1");
  Put16(sector, 11, layout.bytesPerSector);
  sector[13] = std::byte(layout.sectorsPerCluster);
  Put16(sector, 14, layout.reservedSectors);
  sector[16] = std::byte(kFatCount);
  sector[21] = std::byte(kMediaByte);
  Put16(sector, 24, 63);   // sectors per track and heads: the usual values
  Put16(sector, 26, 255);  // for cards above 4 GB; nothing reads them
  Put32(sector, 28, layout.hiddenSectors);
  Put32(sector, 32, layout.totalSectors);
  Put32(sector, 36, layout.sectorsPerFat);
  Put32(sector, 44, kRootCluster);
  Put16(sector, 48, kFsInfoSector);
  Put16(sector, 50, kBackupBootSector);
  sector[64] = std::byte{0x80};  // drive number
  sector[66] = std::byte{0x29};  // extended boot signature: serial, label and type follow
  Put32(sector, 67, serial);
  PutPaddedLabel(sector, 71);
  PutText(sector, 82, "FAT32   ");
  PutBootSignature(sector);
}

void BuildFsInfoSector(const Fat32Layout& layout, std::span<std::byte> sector) {
  Clear(sector);
  Put32(sector, 0, kFsInfoLeadSignature);
  Put32(sector, 484, kFsInfoStructSignature);
  Put32(sector, 488, layout.clusterCount - 1);  // all free but the root directory's cluster
  Put32(sector, 492, kRootCluster + 1);         // where to look for the next free cluster
  Put32(sector, 508, kFsInfoTrailSignature);
}

void BuildThirdBootSector(std::span<std::byte> sector) {
  Clear(sector);
  PutBootSignature(sector);
}

void BuildFatHead(std::span<std::byte> sector) {
  Clear(sector);
  Put32(sector, 0, 0x0FFFFF00 | kMediaByte);
  // Entry 1 keeps its clean-shutdown and no-error bits set.
  Put32(sector, 4, kEndOfChain);
  Put32(sector, 4 * kRootCluster, kEndOfChain);
}

void BuildRootDirectory(const DateTime& time, std::span<std::byte> cluster) {
  Clear(cluster);
  PutPaddedLabel(cluster, 0);
  cluster[11] = std::byte{kLabelAttribute};
  Put16(cluster, 22, DosTime(time));
  Put16(cluster, 24, DosDate(time));
}

}  // namespace card

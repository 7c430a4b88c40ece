#include "core/card/boot_serial.h"

#include <string_view>

namespace card {
namespace {

constexpr std::size_t kSignatureOffset = 510;

std::uint32_t Word32(std::span<const std::byte> bytes, std::size_t at) {
  return std::to_integer<std::uint32_t>(bytes[at]) |
         std::to_integer<std::uint32_t>(bytes[at + 1]) << 8 |
         std::to_integer<std::uint32_t>(bytes[at + 2]) << 16 |
         std::to_integer<std::uint32_t>(bytes[at + 3]) << 24;
}

bool Holds(std::span<const std::byte> bytes, std::size_t at, std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (bytes[at + i] != static_cast<std::byte>(text[i])) return false;
  }
  return true;
}

// The extended boot signature that says a serial number follows it.
bool HasSerial(std::span<const std::byte> bytes, std::size_t signatureAt) {
  return bytes[signatureAt] == std::byte{0x29} || bytes[signatureAt] == std::byte{0x28};
}

}  // namespace

std::optional<std::uint32_t> BootSectorSerial(std::span<const std::byte> sector) {
  if (sector.size() < 512 || sector[kSignatureOffset] != std::byte{0x55} ||
      sector[kSignatureOffset + 1] != std::byte{0xAA}) {
    return std::nullopt;
  }
  if (Holds(sector, 3, "EXFAT   ")) return Word32(sector, 100);
  if (Holds(sector, 3, "NTFS    ")) return Word32(sector, 72);
  // FAT32 has no 16-bit FAT size; its extended fields sit 28 bytes further.
  const bool fat32 = sector[22] == std::byte{0} && sector[23] == std::byte{0};
  const std::size_t signatureAt = fat32 ? 66 : 38;
  if (!HasSerial(sector, signatureAt)) return std::nullopt;
  return Word32(sector, signatureAt + 1);
}

}  // namespace card

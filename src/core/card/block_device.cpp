#include "core/card/block_device.h"

namespace card {

bool IsSupportedSectorSize(std::uint32_t bytes) {
  return bytes == 512 || bytes == 1024 || bytes == 2048 || bytes == 4096;
}

DeviceStatus CheckWriteRequest(const BlockDevice& device, std::uint64_t firstSector,
                               std::size_t byteCount) {
  const std::uint32_t sectorSize = device.SectorSize();
  if (byteCount == 0 || byteCount % sectorSize != 0) return {DeviceFault::kPartialSector, 0};
  const std::uint64_t sectorCount = byteCount / sectorSize;
  const std::uint64_t deviceSectors = device.SectorCount();
  if (firstSector > deviceSectors || sectorCount > deviceSectors - firstSector) {
    return {DeviceFault::kOutOfRange, 0};
  }
  return {};
}

}  // namespace card

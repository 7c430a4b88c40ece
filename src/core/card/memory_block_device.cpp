#include "core/card/memory_block_device.h"

#include <algorithm>

namespace card {

MemoryBlockDevice::MemoryBlockDevice(std::uint32_t sectorSize, std::uint64_t sectorCount)
    : sectorSize_(sectorSize), sectorCount_(sectorCount) {}

void MemoryBlockDevice::FailWrite(std::uint64_t writeNumber) { writesUntilFailure_ = writeNumber; }

DeviceStatus MemoryBlockDevice::Write(std::uint64_t firstSector, std::span<const std::byte> data) {
  if (DeviceStatus shape = CheckWriteRequest(*this, firstSector, data.size()); !shape.ok()) {
    return shape;
  }
  if (writesUntilFailure_ != 0 && --writesUntilFailure_ == 0) {
    return {DeviceFault::kWriteFailed, 0};
  }
  const std::uint64_t count = data.size() / sectorSize_;
  for (std::uint64_t i = 0; i < count; ++i) {
    const auto sector = data.subspan(i * sectorSize_, sectorSize_);
    if (std::all_of(sector.begin(), sector.end(), [](std::byte b) { return b == std::byte{0}; })) {
      sectors_.erase(firstSector + i);
    } else {
      sectors_[firstSector + i].assign(sector.begin(), sector.end());
    }
  }
  writes_.push_back({firstSector, count, flushes_});
  return {};
}

DeviceStatus MemoryBlockDevice::Flush() {
  ++flushes_;
  return {};
}

std::vector<std::byte> MemoryBlockDevice::ReadSector(std::uint64_t sector) const {
  const auto found = sectors_.find(sector);
  return found != sectors_.end() ? found->second : std::vector<std::byte>(sectorSize_);
}

std::vector<std::uint64_t> MemoryBlockDevice::NonZeroSectors() const {
  std::vector<std::uint64_t> sectors;
  for (const auto& entry : sectors_) sectors.push_back(entry.first);
  return sectors;
}

}  // namespace card

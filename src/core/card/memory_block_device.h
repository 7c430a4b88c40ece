#pragma once
// A sparse in-memory block device for tests: sectors never written (or last
// written with zeros) read back as zeros and take no memory, so even a
// 2 TiB volume can be formatted in memory. It logs every write and can be
// told to fail one of them, to prove the formatter's failure path.

#include <cstdint>
#include <map>
#include <vector>

#include "core/card/block_device.h"

namespace card {

struct WriteRecord {
  std::uint64_t firstSector;
  std::uint64_t sectorCount;
  std::uint64_t flushesBefore;  // flushes that completed before this write
};

class MemoryBlockDevice final : public BlockDevice {
 public:
  MemoryBlockDevice(std::uint32_t sectorSize, std::uint64_t sectorCount);

  std::uint32_t SectorSize() const override { return sectorSize_; }
  std::uint64_t SectorCount() const override { return sectorCount_; }
  DeviceStatus Write(std::uint64_t firstSector, std::span<const std::byte> data) override;
  DeviceStatus Flush() override;

  // The write numbered writeNumber (1 for the next write from now on, 2 for
  // the one after, ...) fails with kWriteFailed and changes nothing; 0 (the
  // default) fails none.
  void FailWrite(std::uint64_t writeNumber);

  // A copy of one sector's current contents.
  std::vector<std::byte> ReadSector(std::uint64_t sector) const;
  // The sectors holding anything but zeros, in ascending order.
  std::vector<std::uint64_t> NonZeroSectors() const;
  // Successful writes, in order.
  const std::vector<WriteRecord>& Writes() const { return writes_; }
  std::uint64_t FlushCount() const { return flushes_; }

 private:
  std::uint32_t sectorSize_;
  std::uint64_t sectorCount_;
  std::map<std::uint64_t, std::vector<std::byte>> sectors_;  // non-zero sectors only
  std::vector<WriteRecord> writes_;
  std::uint64_t writesUntilFailure_ = 0;
  std::uint64_t flushes_ = 0;
};

}  // namespace card

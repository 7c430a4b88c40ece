#pragma once
// A device addressed in whole sectors, written by the FAT32 formatter: an
// image file natively and in tests, the card's raw volume on Windows, or a
// memory image. Errors are values; nothing here throws.

#include <cstdint>
#include <span>

namespace card {

enum class DeviceFault {
  kNone,
  kOutOfRange,     // the request runs past the device's last sector
  kPartialSector,  // the data is empty or not a whole number of sectors
  kOpenFailed,
  kWriteFailed,
  kFlushFailed,
};

struct DeviceStatus {
  DeviceFault fault = DeviceFault::kNone;
  // The system's code for the fault: errno natively, GetLastError() on
  // Windows (19 for a write-protected card); 0 when the system gave none.
  int systemCode = 0;

  bool ok() const { return fault == DeviceFault::kNone; }
};

class BlockDevice {
 public:
  virtual ~BlockDevice() = default;

  // Logical sector size in bytes: 512, 1024, 2048 or 4096.
  virtual std::uint32_t SectorSize() const = 0;
  virtual std::uint64_t SectorCount() const = 0;

  // Writes data.size() / SectorSize() whole sectors from firstSector on.
  // data starts on a sector-size boundary in memory (whole sectors into a
  // SectorBuffer), which unbuffered raw-volume writes require.
  virtual DeviceStatus Write(std::uint64_t firstSector, std::span<const std::byte> data) = 0;

  // Makes every earlier write durable before any later one.
  virtual DeviceStatus Flush() = 0;
};

// 512, 1024, 2048 or 4096: the logical sector sizes FAT32 allows.
bool IsSupportedSectorSize(std::uint32_t bytes);

// The shape checks every implementation makes before writing: whole sectors,
// at least one, all inside the device.
DeviceStatus CheckWriteRequest(const BlockDevice& device, std::uint64_t firstSector,
                               std::size_t byteCount);

}  // namespace card

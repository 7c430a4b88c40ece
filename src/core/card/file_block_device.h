#pragma once
// A block device over an existing file, such as a card image. The device
// covers the file's whole sectors; it never grows or truncates the file.

#include <filesystem>
#include <fstream>
#include <memory>

#include "core/card/block_device.h"

namespace card {

class FileBlockDevice;

struct OpenedFileDevice {
  std::unique_ptr<FileBlockDevice> device;  // nullptr when status is not ok
  DeviceStatus status;
};

class FileBlockDevice final : public BlockDevice {
 public:
  // Opens path for writing in place; sectorSize is the logical sector size
  // the image stands for (512, 1024, 2048 or 4096).
  static OpenedFileDevice Open(const std::filesystem::path& path, std::uint32_t sectorSize);

  std::uint32_t SectorSize() const override { return sectorSize_; }
  std::uint64_t SectorCount() const override { return sectorCount_; }
  DeviceStatus Write(std::uint64_t firstSector, std::span<const std::byte> data) override;
  // Hands every earlier write to the operating system, in order. It does
  // not wait for the disk (no fsync): image files serve tests and
  // benchmarks, where the order of writes is what matters.
  DeviceStatus Flush() override;

 private:
  FileBlockDevice(std::fstream file, std::uint32_t sectorSize, std::uint64_t sectorCount);

  std::fstream file_;
  std::uint32_t sectorSize_;
  std::uint64_t sectorCount_;
};

}  // namespace card

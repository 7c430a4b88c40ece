#include "core/card/file_block_device.h"

#include <cerrno>

namespace card {

OpenedFileDevice FileBlockDevice::Open(const std::filesystem::path& path,
                                       std::uint32_t sectorSize) {
  if (!IsSupportedSectorSize(sectorSize)) return {nullptr, {DeviceFault::kOpenFailed, EINVAL}};
  std::error_code error;
  const std::uintmax_t bytes = std::filesystem::file_size(path, error);
  if (error) return {nullptr, {DeviceFault::kOpenFailed, error.value()}};
  errno = 0;
  // in|out opens an existing file without truncating it.
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  if (!file.is_open()) return {nullptr, {DeviceFault::kOpenFailed, errno}};
  return {std::unique_ptr<FileBlockDevice>(
              new FileBlockDevice(std::move(file), sectorSize, bytes / sectorSize)),
          {}};
}

FileBlockDevice::FileBlockDevice(std::fstream file, std::uint32_t sectorSize,
                                 std::uint64_t sectorCount)
    : file_(std::move(file)), sectorSize_(sectorSize), sectorCount_(sectorCount) {}

DeviceStatus FileBlockDevice::Write(std::uint64_t firstSector, std::span<const std::byte> data) {
  if (DeviceStatus shape = CheckWriteRequest(*this, firstSector, data.size()); !shape.ok()) {
    return shape;
  }
  errno = 0;
  file_.seekp(static_cast<std::streamoff>(firstSector * sectorSize_));
  file_.write(reinterpret_cast<const char*>(data.data()),
              static_cast<std::streamsize>(data.size()));
  if (file_.fail()) {
    const int code = errno;
    file_.clear();  // so a later request is tried afresh
    return {DeviceFault::kWriteFailed, code};
  }
  return {};
}

DeviceStatus FileBlockDevice::Flush() {
  errno = 0;
  if (file_.flush().fail()) {
    const int code = errno;
    file_.clear();
    return {DeviceFault::kFlushFailed, code};
  }
  return {};
}

}  // namespace card

#include "win/card/raw_volume_device.h"

#include <winioctl.h>

#include <algorithm>

#include "win/card/format_paths.h"

namespace card {
namespace {

constexpr int kLockAttempts = 10;
constexpr DWORD kLockRetryMs = 300;
constexpr std::uint32_t kImageSectorSize = 512;
constexpr std::size_t kMaxWriteBytes = 64 * 1024 * 1024;  // a whole number of sectors of any size

DeviceStatus OpenFailure(DWORD code) { return {DeviceFault::kOpenFailed, static_cast<int>(code)}; }

bool Control(HANDLE volume, DWORD code) {
  DWORD bytes = 0;
  return DeviceIoControl(volume, code, nullptr, 0, nullptr, 0, &bytes, nullptr) != FALSE;
}

// ERROR_SUCCESS with `out` filled, or the query's error.
template <typename T>
DWORD Ask(HANDLE volume, DWORD code, T& out) {
  DWORD bytes = 0;
  if (DeviceIoControl(volume, code, nullptr, 0, &out, sizeof out, &bytes, nullptr)) return ERROR_SUCCESS;
  return GetLastError();
}

// Wine opens a drive that is mapped to an image file as that plain file and
// answers every disk query with one of these. Only then may the file's own
// size and the SD card's sector size stand in for the answers.
bool IsUnsupported(DWORD error) {
  return error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION;
}

// Windows refuses the lock while a program keeps a file on the volume open,
// but first asks such programs to let go: give them a few seconds.
bool LockVolume(HANDLE volume) {
  for (int attempt = 1;; ++attempt) {
    if (Control(volume, FSCTL_LOCK_VOLUME)) return true;
    if (GetLastError() != ERROR_ACCESS_DENIED || attempt == kLockAttempts) return false;
    Sleep(kLockRetryMs);
  }
}

struct VolumeShape {
  std::uint32_t sectorSize = kImageSectorSize;
  std::uint64_t bytes = 0;
  std::uint64_t hiddenSectors = 0;
  bool plainFile = false;  // an image file standing in for the card
};

DeviceStatus ReadShape(HANDLE volume, VolumeShape& shape) {
  GET_LENGTH_INFORMATION length{};
  DWORD error = Ask(volume, IOCTL_DISK_GET_LENGTH_INFO, length);
  if (error == ERROR_SUCCESS) {
    shape.bytes = static_cast<std::uint64_t>(length.Length.QuadPart);
  } else {
    LARGE_INTEGER size{};
    if (!IsUnsupported(error)) return OpenFailure(error);
    if (!GetFileSizeEx(volume, &size)) return OpenFailure(GetLastError());
    shape.bytes = static_cast<std::uint64_t>(size.QuadPart);
    shape.plainFile = true;
  }

  // The extended answer carries partition and detection data behind its
  // fixed part; a buffer of only the fixed size may be refused.
  struct {
    DISK_GEOMETRY_EX geometry;
    BYTE trailer[256];
  } disk{};
  error = Ask(volume, IOCTL_DISK_GET_DRIVE_GEOMETRY_EX, disk);
  if (error == ERROR_SUCCESS) {
    shape.sectorSize = disk.geometry.Geometry.BytesPerSector;
  } else if (!IsUnsupported(error)) {
    return OpenFailure(error);
  }
  if (!IsSupportedSectorSize(shape.sectorSize)) return OpenFailure(ERROR_NOT_SUPPORTED);

  PARTITION_INFORMATION_EX partition{};
  error = Ask(volume, IOCTL_DISK_GET_PARTITION_INFO_EX, partition);
  if (error == ERROR_SUCCESS) {
    shape.hiddenSectors = static_cast<std::uint64_t>(partition.StartingOffset.QuadPart) / shape.sectorSize;
  } else if (!IsUnsupported(error)) {
    return OpenFailure(error);
  }
  return {};
}

}  // namespace

bool IsRemovableDriveRoot(const std::wstring& root) {
  return IsDriveLetterRoot(root) && GetDriveTypeW(root.c_str()) == DRIVE_REMOVABLE;
}

std::wstring RawVolumePath(const std::wstring& driveRoot) {
  return L"\\\\.\\" + driveRoot.substr(0, 2);
}

OpenedRawVolume RawVolumeDevice::Open(const std::wstring& driveRoot) {
  if (!IsRemovableDriveRoot(driveRoot)) return {nullptr, OpenFailure(ERROR_INVALID_DRIVE)};
  UniqueKernelHandle volume(CreateFileW(
      RawVolumePath(driveRoot).c_str(), GENERIC_READ | GENERIC_WRITE,
      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
      FILE_FLAG_NO_BUFFERING | FILE_FLAG_WRITE_THROUGH, nullptr));
  if (!volume) {
    const DWORD error = GetLastError();
    return {nullptr, OpenFailure(error), error == ERROR_ACCESS_DENIED};
  }
  if (!LockVolume(volume.get())) return {nullptr, OpenFailure(GetLastError())};

  VolumeShape shape;
  if (DeviceStatus status = ReadShape(volume.get(), shape); !status.ok()) return {nullptr, status};
  // The file system must let go of the volume before its tables change under
  // it; it mounts the new ones once the volume is unlocked. An image file
  // has no file system over it to dismount.
  if (!shape.plainFile && !Control(volume.get(), FSCTL_DISMOUNT_VOLUME)) {
    return {nullptr, OpenFailure(GetLastError())};
  }
  return {std::unique_ptr<RawVolumeDevice>(new RawVolumeDevice(
              std::move(volume), shape.sectorSize, shape.bytes / shape.sectorSize, shape.hiddenSectors)),
          {}};
}

RawVolumeDevice::RawVolumeDevice(UniqueKernelHandle volume, std::uint32_t sectorSize,
                                 std::uint64_t sectorCount, std::uint64_t hiddenSectors)
    : volume_(std::move(volume)),
      sectorSize_(sectorSize),
      sectorCount_(sectorCount),
      hiddenSectors_(hiddenSectors) {}

RawVolumeDevice::~RawVolumeDevice() { Control(volume_.get(), FSCTL_UNLOCK_VOLUME); }

DeviceStatus RawVolumeDevice::Write(std::uint64_t firstSector, std::span<const std::byte> data) {
  if (DeviceStatus shape = CheckWriteRequest(*this, firstSector, data.size()); !shape.ok()) {
    return shape;
  }
  // Windows refuses unbuffered writes from unaligned memory; refusing them
  // here too makes an image file under Wine, which would take them, behave
  // the same.
  if (reinterpret_cast<std::uintptr_t>(data.data()) % sectorSize_ != 0) {
    return {DeviceFault::kWriteFailed, ERROR_INVALID_PARAMETER};
  }
  std::uint64_t offset = firstSector * sectorSize_;
  while (!data.empty()) {
    const auto chunk = static_cast<DWORD>(std::min(data.size(), kMaxWriteBytes));
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    DWORD written = 0;
    if (!WriteFile(volume_.get(), data.data(), chunk, &written, &at)) {
      return {DeviceFault::kWriteFailed, static_cast<int>(GetLastError())};
    }
    if (written != chunk) return {DeviceFault::kWriteFailed, 0};
    offset += chunk;
    data = data.subspan(chunk);
  }
  return {};
}

DeviceStatus RawVolumeDevice::Flush() {
  if (FlushFileBuffers(volume_.get())) return {};
  return {DeviceFault::kFlushFailed, static_cast<int>(GetLastError())};
}

}  // namespace card

#pragma once
// The memory card's volume as a block device for the FAT32 writer: the raw
// volume \\.\X: of a removable drive, opened for writing and locked for as
// long as the object lives, so no other program touches the card while it
// is formatted. Errors are values; nothing here throws.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "core/card/block_device.h"
#include "win/framework/handle.h"

namespace card {

class RawVolumeDevice;

struct OpenedRawVolume {
  std::unique_ptr<RawVolumeDevice> device;  // nullptr when status is not ok
  DeviceStatus status;
  // The volume could not even be opened for writing: this process lacks
  // the rights, which an elevated instance has.
  bool needsElevation = false;
};

// Whether root is "X:\" of a drive that Windows reports as removable.
bool IsRemovableDriveRoot(const std::wstring& root);

// The raw volume of a drive: \\.\E: for E:\.
std::wstring RawVolumePath(const std::wstring& driveRoot);

class RawVolumeDevice final : public BlockDevice {
 public:
  // Opens, locks and dismounts the volume whose root is driveRoot ("E:\").
  // Fails with kOpenFailed and the system's code: ERROR_INVALID_DRIVE when
  // driveRoot is not a removable drive's root, ERROR_ACCESS_DENIED when a
  // program keeps files on the card open (or the process may not write raw
  // volumes), ERROR_WRITE_PROTECT for a locked card, ERROR_NOT_READY and
  // the like when the card is gone.
  static OpenedRawVolume Open(const std::wstring& driveRoot);

  // Unlocks the volume and closes it; Windows mounts whatever the card then
  // holds on its next access.
  ~RawVolumeDevice() override;

  std::uint32_t SectorSize() const override { return sectorSize_; }
  std::uint64_t SectorCount() const override { return sectorCount_; }
  // data must start on a sector-size boundary in memory, as unbuffered
  // volume writes require; other requests fail with ERROR_INVALID_PARAMETER.
  DeviceStatus Write(std::uint64_t firstSector, std::span<const std::byte> data) override;
  DeviceStatus Flush() override;

  // Where the volume starts on the card, in sectors (0 on a card without a
  // partition table): the boot sector records it.
  std::uint64_t HiddenSectors() const { return hiddenSectors_; }

 private:
  RawVolumeDevice(UniqueKernelHandle volume, std::uint32_t sectorSize, std::uint64_t sectorCount,
                  std::uint64_t hiddenSectors);

  UniqueKernelHandle volume_;
  std::uint32_t sectorSize_;
  std::uint64_t sectorCount_;
  std::uint64_t hiddenSectors_;
};

}  // namespace card

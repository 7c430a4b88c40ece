#pragma once
// FAT32 quick format over a block device: lays the volume out to the
// device's size and writes the reserved area, both FATs and the root
// directory; the data area is left as it was.
//
// Every metadata sector is overwritten with real zeros first, so no table of
// an earlier file system survives. The first write clears sector 0 and the
// last one writes the boot sector, after a flush: a format that stops
// half-way leaves a device that no system takes for a volume.

#include <cstdint>
#include <functional>
#include <optional>

#include "core/card/block_device.h"
#include "core/card/fat32_layout.h"
#include "core/card/fat32_sectors.h"

namespace card {

// Progress is reported with the command numbers of the Windows format
// routine's callback, so the same user-interface flow serves either engine.
enum class FormatCommand : std::uint32_t {
  kProgress = 0,            // percent: share of the metadata written so far
  kDone = 11,               // success: whether the volume was written in full
  kStructureProgress = 15,  // one per finished region (reserved area, FAT #1, FAT #2, root directory)
};

struct FormatEvent {
  FormatCommand command = FormatCommand::kProgress;
  std::uint32_t percent = 0;  // kProgress only
  bool success = false;       // kDone only
};

// Called on the formatting thread; kDone comes exactly once, last.
using FormatProgress = std::function<void(const FormatEvent&)>;

struct FormatRequest {
  std::uint64_t hiddenSectors = 0;  // the volume's first sector on the card
  std::uint32_t clusterBytes = kDefaultClusterBytes;
  std::uint32_t alignmentBytes = kDefaultAlignmentBytes;
  DateTime time;  // local time of the format: the volume serial and the label's time stamp
};

// The step during which a format failed, in the order the steps run.
enum class FormatStep {
  kLayout,         // the device's size allows no FAT32 volume; nothing was written
  kReservedArea,
  kFirstFat,
  kSecondFat,
  kRootDirectory,
  kBootRecords,    // FSInfo, third boot sector and the backups at 6..8
  kFlush,
  kBootSector,
};

struct FormatError {
  FormatStep step = FormatStep::kLayout;
  LayoutError layout = LayoutError::kNone;  // why, for kLayout
  std::uint64_t sector = 0;                 // first sector of the failed write
  DeviceStatus device;                      // the device's report, for the write and flush steps
};

struct FormatResult {
  std::optional<FormatError> error;  // empty on success
  Fat32Layout layout;                // the volume's geometry, when the layout succeeded

  bool ok() const { return !error; }
};

// Formats the whole device as one FAT32 volume labelled kVolumeLabel.
// progress may be empty.
FormatResult FormatFat32(BlockDevice& device, const FormatRequest& request,
                         const FormatProgress& progress);

}  // namespace card

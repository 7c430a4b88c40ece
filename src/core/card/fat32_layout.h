#pragma once
// The geometry of a freshly formatted FAT32 volume, computed from the
// volume's size alone. Pure: no I/O.
//
// Sector numbers are relative to the volume's first sector. The volume is
// laid out as: reserved area (boot sector, FSInfo, backups at 6..8), FAT #1,
// FAT #2, data area; cluster 2 is the first data cluster and holds the root
// directory. The reserved area is stretched so the data area starts on an
// alignment boundary counted from the start of the card (hidden sectors
// included), which keeps every cluster on a flash erase-block boundary.

#include <cstdint>

namespace card {

inline constexpr std::uint32_t kDefaultClusterBytes = 32 * 1024;
inline constexpr std::uint32_t kDefaultAlignmentBytes = 4 * 1024 * 1024;
inline constexpr std::uint32_t kMinReservedSectors = 32;
inline constexpr std::uint32_t kFatCount = 2;

struct LayoutRequest {
  std::uint64_t volumeSectors = 0;   // sectors available to the volume
  std::uint32_t bytesPerSector = 512;
  std::uint64_t hiddenSectors = 0;   // the volume's first sector on the card; 0 without a partition table
  std::uint32_t clusterBytes = kDefaultClusterBytes;      // power of two, one sector to 64 KiB
  std::uint32_t alignmentBytes = kDefaultAlignmentBytes;  // power of two, at least one sector
};

enum class LayoutError {
  kNone,
  kBadSectorSize,     // not 512, 1024, 2048 or 4096
  kBadClusterSize,
  kBadAlignment,
  kHiddenTooLarge,    // the partition start does not fit the boot sector's 32-bit field
  kVolumeTooLarge,    // more sectors than the boot sector's 32-bit count can hold
  kVolumeTooSmall,    // too few clusters for FAT32 at this cluster size
  kTooManyClusters,   // more clusters than FAT32 can number; choose larger clusters
};

struct Fat32Layout {
  std::uint32_t bytesPerSector = 0;
  std::uint32_t sectorsPerCluster = 0;
  std::uint32_t hiddenSectors = 0;
  std::uint32_t totalSectors = 0;     // the whole volume; the tail after the last cluster is unused
  std::uint32_t reservedSectors = 0;  // first sector of FAT #1
  std::uint32_t sectorsPerFat = 0;
  std::uint32_t clusterCount = 0;     // data clusters, numbered 2 .. clusterCount + 1

  std::uint32_t FatStart(std::uint32_t fatIndex) const {
    return reservedSectors + fatIndex * sectorsPerFat;
  }
  std::uint32_t DataStart() const { return FatStart(kFatCount); }
};

struct LayoutResult {
  LayoutError error = LayoutError::kNone;
  Fat32Layout layout;  // meaningful only when ok()

  bool ok() const { return error == LayoutError::kNone; }
};

LayoutResult ComputeFat32Layout(const LayoutRequest& request);

// The layout at the largest cluster size, from request.clusterBytes down to
// one sector, at which the volume is FAT32: a card too small for FAT32 at
// 32 KiB clusters (2 GiB and less) still gets the largest clusters it can
// take, which suit the camera's long recordings best. When no size does,
// the error at the smallest.
LayoutResult ComputeLargestClusterLayout(LayoutRequest request);

// Whether a memory card of `bytes` (512-byte sectors, as memory cards have)
// takes a FAT32 volume at some cluster size; 0, a size that could not be
// read, is left to the formatter and counts as fitting.
enum class CardSizeFit { kFits, kTooSmall, kTooLarge };
CardSizeFit FitOfCard(std::uint64_t bytes);

}  // namespace card

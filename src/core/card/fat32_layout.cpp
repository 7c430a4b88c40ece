#include "core/card/fat32_layout.h"

#include <bit>
#include <limits>

#include "core/card/block_device.h"

namespace card {
namespace {

constexpr std::uint64_t kMaxSectorField = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint64_t kMaxReservedSectors = 0xFFFF;
constexpr std::uint32_t kMaxClusterBytes = 64 * 1024;
// Below 65,525 clusters a volume is FAT16 by count; staying 16 clusters
// clear of that cut-over keeps drivers that count slightly differently from
// disagreeing about the type.
constexpr std::uint64_t kMinClusters = 65525 + 16;
// Cluster numbers must stay below 0x0FFFFFF7, the bad-cluster mark; the
// highest one is clusterCount + 1.
constexpr std::uint64_t kMaxClusters = 0x0FFFFFF4;

std::uint64_t DivideRoundingUp(std::uint64_t a, std::uint64_t b) { return (a + b - 1) / b; }

LayoutError CheckRequest(const LayoutRequest& r) {
  if (!IsSupportedSectorSize(r.bytesPerSector)) return LayoutError::kBadSectorSize;
  if (!std::has_single_bit(r.clusterBytes) || r.clusterBytes < r.bytesPerSector ||
      r.clusterBytes > kMaxClusterBytes) {
    return LayoutError::kBadClusterSize;
  }
  if (!std::has_single_bit(r.alignmentBytes) || r.alignmentBytes < r.bytesPerSector) {
    return LayoutError::kBadAlignment;
  }
  if (r.hiddenSectors > kMaxSectorField) return LayoutError::kHiddenTooLarge;
  if (r.volumeSectors > kMaxSectorField) return LayoutError::kVolumeTooLarge;
  if (r.volumeSectors <= kMinReservedSectors) return LayoutError::kVolumeTooSmall;
  return LayoutError::kNone;
}

}  // namespace

LayoutResult ComputeFat32Layout(const LayoutRequest& request) {
  if (LayoutError error = CheckRequest(request); error != LayoutError::kNone) return {error, {}};

  const std::uint64_t total = request.volumeSectors;
  const std::uint64_t sectorsPerCluster = request.clusterBytes / request.bytesPerSector;

  // The FAT size estimate for FAT32 from the on-disk format's reference: it
  // never comes out too small and at most a few sectors too large. It is
  // taken with the smallest reserved area; stretching the reserved area
  // below only shrinks the data area, so the FAT keeps room for an entry
  // per cluster (plus the two reserved entries) however far it stretches.
  const std::uint64_t perFatSector = (request.bytesPerSector / 2 * sectorsPerCluster + kFatCount) / 2;
  std::uint64_t fatSectors = DivideRoundingUp(total - kMinReservedSectors, perFatSector);

  const std::uint64_t alignment = request.alignmentBytes / request.bytesPerSector;
  const std::uint64_t misalignment =
      (request.hiddenSectors + kMinReservedSectors + kFatCount * fatSectors) % alignment;
  std::uint64_t reserved = kMinReservedSectors + (alignment - misalignment) % alignment;
  if (reserved > kMaxReservedSectors) {
    // Very coarse alignments outgrow the 16-bit reserved count; move the
    // excess into both FATs instead (spare FAT sectors are zero, and legal).
    const std::uint64_t padding = (reserved - kMaxReservedSectors + 1) / 2;
    fatSectors += padding;
    reserved -= kFatCount * padding;
  }

  const std::uint64_t dataStart = reserved + kFatCount * fatSectors;
  if (dataStart >= total) return {LayoutError::kVolumeTooSmall, {}};
  const std::uint64_t clusters = (total - dataStart) / sectorsPerCluster;
  if (clusters < kMinClusters) return {LayoutError::kVolumeTooSmall, {}};
  if (clusters > kMaxClusters) return {LayoutError::kTooManyClusters, {}};

  Fat32Layout layout;
  layout.bytesPerSector = request.bytesPerSector;
  layout.sectorsPerCluster = static_cast<std::uint32_t>(sectorsPerCluster);
  layout.hiddenSectors = static_cast<std::uint32_t>(request.hiddenSectors);
  layout.totalSectors = static_cast<std::uint32_t>(total);
  layout.reservedSectors = static_cast<std::uint32_t>(reserved);
  layout.sectorsPerFat = static_cast<std::uint32_t>(fatSectors);
  layout.clusterCount = static_cast<std::uint32_t>(clusters);
  return {LayoutError::kNone, layout};
}

LayoutResult ComputeLargestClusterLayout(LayoutRequest request) {
  for (;;) {
    const LayoutResult result = ComputeFat32Layout(request);
    if (result.error != LayoutError::kVolumeTooSmall ||
        request.clusterBytes <= request.bytesPerSector) {
      return result;
    }
    request.clusterBytes /= 2;
  }
}

CardSizeFit FitOfCard(std::uint64_t bytes) {
  if (bytes == 0) return CardSizeFit::kFits;
  switch (ComputeLargestClusterLayout({bytes / 512, 512}).error) {
    case LayoutError::kVolumeTooSmall:
      return CardSizeFit::kTooSmall;
    case LayoutError::kVolumeTooLarge:
    case LayoutError::kTooManyClusters:
      return CardSizeFit::kTooLarge;
    default:
      return CardSizeFit::kFits;
  }
}

}  // namespace card

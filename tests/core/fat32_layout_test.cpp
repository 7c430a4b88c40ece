#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/card/fat32_layout.h"

namespace {

using card::CardSizeFit;
using card::ComputeFat32Layout;
using card::FitOfCard;
using card::LayoutError;
using card::LayoutRequest;

constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = 1024 * kKiB;
constexpr std::uint64_t kGiB = 1024 * kMiB;
constexpr std::uint64_t kMaxSectors = 0xFFFFFFFF;

std::string Describe(const LayoutRequest& r) {
  return "sectors=" + std::to_string(r.volumeSectors) + " bps=" + std::to_string(r.bytesPerSector) +
         " hidden=" + std::to_string(r.hiddenSectors) + " cluster=" + std::to_string(r.clusterBytes) +
         " align=" + std::to_string(r.alignmentBytes);
}

// Layouts checked with fsck.fat and mtools on real images; not derived from
// the code. Card partition at 8192, 512-byte sectors, 32 KiB clusters,
// 4 MiB alignment.
TEST(Fat32Layout, MatchesVerifiedLayouts) {
  struct Row {
    std::uint64_t sectors;
    std::uint32_t fatSectors, reserved, dataStart, clusters;
  };
  const Row rows[] = {
      {8388608, 1024, 6144, 8192, 130944},
      {67108864, 8191, 8194, 24576, 1048192},
      {134217728, 16382, 8196, 40960, 2096512},
      {536870912, 65528, 8208, 139264, 8386432},
      {1073741824, 131056, 32, 262144, 16773120},
      {kMaxSectors, 524225, 126, 1048576, 67092479},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.sectors);
    const auto result = ComputeFat32Layout({row.sectors, 512, 8192});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.layout.sectorsPerFat, row.fatSectors);
    EXPECT_EQ(result.layout.reservedSectors, row.reserved);
    EXPECT_EQ(result.layout.DataStart(), row.dataStart);
    EXPECT_EQ(result.layout.clusterCount, row.clusters);
    EXPECT_EQ(result.layout.totalSectors, row.sectors);
    EXPECT_EQ(result.layout.sectorsPerCluster, 64u);
  }
}

TEST(Fat32Layout, ReservedAreaFollowsThePartitionStart) {
  const std::pair<std::uint64_t, std::uint32_t> rows[] = {{0, 8196}, {63, 8133}, {2048, 6148}};
  for (const auto& [hidden, reserved] : rows) {
    SCOPED_TRACE(hidden);
    const auto result = ComputeFat32Layout({64 * kGiB / 512, 512, hidden});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.layout.reservedSectors, reserved);
  }
}

// Every accepted layout must be a volume that drivers read as FAT32 and that
// fits the device, whatever the size, sector size, partition start, cluster
// size and alignment.
TEST(Fat32Layout, EveryLayoutKeepsTheInvariants) {
  struct Volume {
    std::uint64_t bytes;
    std::uint32_t clusterBytes;
  };
  const Volume volumes[] = {
      {64 * kMiB, 512},
      {2 * kGiB + 100 * kMiB, 32 * kKiB},
      {4 * kGiB, 32 * kKiB},
      {4 * kGiB + 12347 * 512, 32 * kKiB},  // an odd sector count
      {4 * kGiB, 4 * kKiB},
      {8 * kGiB, 32 * kKiB},
      {31'914'983'424, 32 * kKiB},  // a "32 GB" card
      {32 * kGiB, 64 * kKiB},
      {64 * kGiB, 32 * kKiB},
      {128 * kGiB + 511 * 512, 32 * kKiB},
      {256 * kGiB, 32 * kKiB},
      {512 * kGiB, 4 * kKiB},
      {2'000'000'000'000, 32 * kKiB},  // a "2 TB" card
      {kMaxSectors * 512, 32 * kKiB},
      {kMaxSectors * 512, 8 * kKiB},  // just below the cluster-number limit
  };
  const std::uint32_t sectorSizes[] = {512, 1024, 2048, 4096};
  const std::uint64_t hiddenSectors[] = {0, 63, 2048, 8192, 32768};
  const std::uint32_t alignments[] = {4096, 4 * kMiB, 16 * kMiB, 64 * kMiB};
  int checked = 0;
  for (const Volume& volume : volumes) {
    for (std::uint32_t bps : sectorSizes) {
      for (std::uint64_t hidden : hiddenSectors) {
        for (std::uint32_t alignment : alignments) {
          const LayoutRequest request{volume.bytes / bps, bps, hidden, volume.clusterBytes, alignment};
          // Coarse alignment may cost a small volume its FAT32 cluster count.
          if (request.clusterBytes < bps || alignment > volume.bytes / 32) continue;
          SCOPED_TRACE(Describe(request));
          const auto result = ComputeFat32Layout(request);
          EXPECT_TRUE(result.ok()) << int(result.error);
          if (!result.ok()) continue;
          const card::Fat32Layout& l = result.layout;
          const std::uint64_t alignSectors = alignment / bps;
          EXPECT_EQ(l.bytesPerSector, bps);
          EXPECT_EQ(std::uint64_t{l.sectorsPerCluster} * bps, volume.clusterBytes);
          EXPECT_EQ(l.hiddenSectors, hidden);
          EXPECT_EQ(l.totalSectors, request.volumeSectors);
          EXPECT_GE(l.clusterCount, 65525u);
          EXPECT_LT(l.clusterCount, 268435445u);
          // One 32-bit FAT entry per cluster plus the two reserved ones.
          EXPECT_GE(std::uint64_t{l.sectorsPerFat} * bps / 4, l.clusterCount + 2ull);
          EXPECT_EQ((hidden + l.DataStart()) % alignSectors, 0u);
          EXPECT_GE(l.reservedSectors, 32u);
          EXPECT_LE(l.reservedSectors, 65535u);
          const std::uint64_t end = l.DataStart() + std::uint64_t{l.clusterCount} * l.sectorsPerCluster;
          EXPECT_LE(end, l.totalSectors);
          // Nothing wasted: no whole cluster at the end, no reserved sectors
          // beyond what alignment needs, no FAT much larger than its entries
          // (the estimate errs by under 1%, padding by half an alignment).
          EXPECT_LT(l.totalSectors - end, l.sectorsPerCluster);
          EXPECT_LT(l.reservedSectors - 32u, alignSectors);
          const std::uint64_t entriesPerSector = bps / 4;
          EXPECT_LT(std::uint64_t{l.sectorsPerFat} * entriesPerSector - (l.clusterCount + 2),
                    l.clusterCount / 100 + (16 + alignSectors / 2) * entriesPerSector);
          ++checked;
        }
      }
    }
  }
  EXPECT_GT(checked, 700);
}

TEST(Fat32Layout, RefusesWhatCannotBeFat32) {
  struct Row {
    const char* why;
    LayoutRequest request;
    LayoutError error;
  };
  const Row rows[] = {
      {"empty", {0, 512}, LayoutError::kVolumeTooSmall},
      {"reserved area only", {32, 512}, LayoutError::kVolumeTooSmall},
      {"2 GiB at 32 KiB clusters", {2 * kGiB / 512, 512}, LayoutError::kVolumeTooSmall},
      {"32 MiB at one-sector clusters", {32 * kMiB / 512, 512, 0, 512}, LayoutError::kVolumeTooSmall},
      {"alignment eats the volume", {3 * kGiB / 512, 512, 1, 32 * kKiB, 1024 * kMiB},
       LayoutError::kVolumeTooSmall},
      {"2 TiB at 512-byte sectors", {kMaxSectors + 1, 512}, LayoutError::kVolumeTooLarge},
      {"16 TiB at 4096-byte sectors", {kMaxSectors + 1, 4096}, LayoutError::kVolumeTooLarge},
      {"2 TiB at 4 KiB clusters", {kMaxSectors, 512, 0, 4 * kKiB}, LayoutError::kTooManyClusters},
      {"16 TiB at 32 KiB clusters", {kMaxSectors, 4096}, LayoutError::kTooManyClusters},
      {"256-byte sectors", {8 * kGiB / 256, 256}, LayoutError::kBadSectorSize},
      {"520-byte sectors", {8 * kGiB / 520, 520}, LayoutError::kBadSectorSize},
      {"8192-byte sectors", {8 * kGiB / 8192, 8192}, LayoutError::kBadSectorSize},
      {"cluster not a power of two", {8 * kGiB / 512, 512, 0, 24 * kKiB}, LayoutError::kBadClusterSize},
      {"cluster below a sector", {8 * kGiB / 4096, 4096, 0, 2 * kKiB}, LayoutError::kBadClusterSize},
      {"cluster above 64 KiB", {8 * kGiB / 512, 512, 0, 128 * kKiB}, LayoutError::kBadClusterSize},
      {"no alignment given", {8 * kGiB / 512, 512, 0, 32 * kKiB, 0}, LayoutError::kBadAlignment},
      {"alignment not a power of two", {8 * kGiB / 512, 512, 0, 32 * kKiB, 3 * kMiB},
       LayoutError::kBadAlignment},
      {"alignment below a sector", {8 * kGiB / 4096, 4096, 0, 32 * kKiB, 512}, LayoutError::kBadAlignment},
      {"partition start past 32 bits", {8 * kGiB / 512, 512, kMaxSectors + 1}, LayoutError::kHiddenTooLarge},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    EXPECT_EQ(ComputeFat32Layout(row.request).error, row.error);
  }
}

// A card is refused by its size only where no cluster size makes it FAT32.
TEST(Fat32Layout, CardsAreRefusedOnlyWhereNoClusterSizeFits) {
  const struct {
    std::uint64_t bytes;
    CardSizeFit fit;
  } cards[] = {
      {0, CardSizeFit::kFits},  // size unknown: the formatter decides
      {512, CardSizeFit::kTooSmall},
      {16 * kMiB, CardSizeFit::kTooSmall},
      {40 * kMiB, CardSizeFit::kFits},
      {1 * kGiB, CardSizeFit::kFits},
      {2 * kGiB, CardSizeFit::kFits},
      {256 * kGiB, CardSizeFit::kFits},
      {kMaxSectors * 512, CardSizeFit::kFits},
      {(kMaxSectors + 1) * 512, CardSizeFit::kTooLarge},
      {4096 * kGiB, CardSizeFit::kTooLarge},
  };
  for (const auto& row : cards) {
    SCOPED_TRACE(row.bytes);
    EXPECT_EQ(FitOfCard(row.bytes), row.fit);
  }
}

}  // namespace

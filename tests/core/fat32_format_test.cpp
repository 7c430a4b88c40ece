#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "core/card/fat32_format.h"
#include "core/card/memory_block_device.h"

namespace {

using card::FormatCommand;
using card::FormatEvent;
using card::FormatStep;
using card::MemoryBlockDevice;

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;
constexpr std::uint64_t kMiB = 1024 * 1024;

struct FormatRun {
  card::FormatResult result;
  std::vector<FormatEvent> events;
};

FormatRun Format(MemoryBlockDevice& device, std::uint64_t hiddenSectors) {
  FormatRun run;
  card::FormatRequest request;
  request.hiddenSectors = hiddenSectors;
  request.time = {2024, 3, 15, 14, 30, 45, 670};
  run.result = card::FormatFat32(device, request,
                                 [&run](const FormatEvent& event) { run.events.push_back(event); });
  return run;
}

card::Fat32Layout LayoutFor(const MemoryBlockDevice& device, std::uint64_t hiddenSectors) {
  return card::ComputeFat32Layout({device.SectorCount(), device.SectorSize(), hiddenSectors}).layout;
}

// Fills [first, first + count) with a non-zero pattern, in 1 MiB writes.
void Dirty(MemoryBlockDevice& device, std::uint64_t first, std::uint64_t count) {
  const std::size_t batch = kMiB / device.SectorSize();
  const std::vector<std::byte> garbage(batch * device.SectorSize(), std::byte{0xA5});
  for (std::uint64_t done = 0; done < count;) {
    const std::uint64_t n = std::min<std::uint64_t>(batch, count - done);
    ASSERT_TRUE(device.Write(first + done, std::span(garbage).first(n * device.SectorSize())).ok());
    done += n;
  }
}

void ExpectEndsWithOneDone(const std::vector<FormatEvent>& events, bool success) {
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back().command, FormatCommand::kDone);
  EXPECT_EQ(events.back().success, success);
  EXPECT_EQ(std::count_if(events.begin(), events.end(),
                          [](const FormatEvent& e) { return e.command == FormatCommand::kDone; }),
            1);
}

struct Volume {
  std::uint64_t bytes;
  std::uint32_t sectorSize;
  std::uint64_t hidden;
};

class QuickFormatOnVolume : public testing::TestWithParam<Volume> {};

// A quick format leaves exactly its metadata non-zero: every stale byte in
// the reserved area, both FATs and the root cluster is overwritten, and the
// data area behind the root cluster is left as it was.
TEST_P(QuickFormatOnVolume, LeavesOnlyItsOwnMetadataOverStaleData) {
  const Volume v = GetParam();
  MemoryBlockDevice device(v.sectorSize, v.bytes / v.sectorSize);
  const card::Fat32Layout layout = LayoutFor(device, v.hidden);
  const std::uint64_t rootEnd = layout.DataStart() + layout.sectorsPerCluster;
  const std::uint64_t staleData = 64;
  // The edges of each region, where an off-by-one would leave stale bytes.
  const std::uint64_t edge = 2048;
  const std::uint64_t regions[][2] = {{0, layout.reservedSectors},
                                      {layout.FatStart(0), layout.FatStart(1)},
                                      {layout.FatStart(1), layout.DataStart()},
                                      {layout.DataStart(), rootEnd + staleData}};
  for (const auto& [begin, end] : regions) {
    const std::uint64_t count = std::min(edge, end - begin);
    Dirty(device, begin, count);
    Dirty(device, end - count, count);
  }

  const FormatRun run = Format(device, v.hidden);
  ASSERT_TRUE(run.result.ok());
  std::vector<std::uint64_t> expected = {0, 1, 2, 6, 7, 8, layout.FatStart(0), layout.FatStart(1),
                                         layout.DataStart()};
  for (std::uint64_t s = rootEnd; s < rootEnd + staleData; ++s) expected.push_back(s);
  EXPECT_EQ(device.NonZeroSectors(), expected);
}

TEST_P(QuickFormatOnVolume, WritesBootSectorLastInLargeBatchesAndReportsProgress) {
  const Volume v = GetParam();
  MemoryBlockDevice device(v.sectorSize, v.bytes / v.sectorSize);
  const FormatRun run = Format(device, v.hidden);
  ASSERT_TRUE(run.result.ok());
  const card::Fat32Layout& layout = run.result.layout;
  const auto& writes = device.Writes();
  ASSERT_GE(writes.size(), 2u);

  // Sector 0 is cleared by the first write and filled by the last one,
  // between two flushes.
  EXPECT_EQ(writes.front().firstSector, 0u);
  EXPECT_EQ(writes.back().firstSector, 0u);
  EXPECT_EQ(writes.back().sectorCount, 1u);
  EXPECT_GT(writes.back().flushesBefore, writes[writes.size() - 2].flushesBefore);
  EXPECT_GT(device.FlushCount(), writes.back().flushesBefore);

  // Cost: the metadata once plus a few sectors, never the data area, in
  // large writes (a 256 GB card has 64 MiB of FATs).
  const std::uint64_t metadataEnd = layout.DataStart() + layout.sectorsPerCluster;
  std::uint64_t written = 0;
  for (const card::WriteRecord& w : writes) {
    EXPECT_LE(w.sectorCount * v.sectorSize, kMiB);
    EXPECT_LE(w.firstSector + w.sectorCount, metadataEnd);
    written += w.sectorCount;
  }
  EXPECT_LE(written, metadataEnd + 16);
  EXPECT_LE(writes.size(), metadataEnd * v.sectorSize / kMiB + 16);

  ExpectEndsWithOneDone(run.events, true);
  std::vector<std::uint32_t> percents;
  int structureSteps = 0;
  for (const FormatEvent& e : run.events) {
    if (e.command == FormatCommand::kProgress) percents.push_back(e.percent);
    if (e.command == FormatCommand::kStructureProgress) ++structureSteps;
  }
  EXPECT_EQ(structureSteps, 4);
  ASSERT_FALSE(percents.empty());
  EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end(), std::less_equal<>()));
  EXPECT_EQ(percents.back(), 100u);
}

INSTANTIATE_TEST_SUITE_P(Volumes, QuickFormatOnVolume,
                         testing::Values(Volume{4 * kGiB, 512, 8192}, Volume{32 * kGiB, 4096, 0},
                                         Volume{64 * kGiB, 512, 63},
                                         Volume{0xFFFFFFFFull * 512, 512, 8192}));

// The sectors each step writes to.
std::pair<std::uint64_t, std::uint64_t> SectorsOf(FormatStep step, const card::Fat32Layout& l) {
  switch (step) {
    case FormatStep::kReservedArea: return {0, l.reservedSectors};
    case FormatStep::kFirstFat: return {l.FatStart(0), l.FatStart(1)};
    case FormatStep::kSecondFat: return {l.FatStart(1), l.DataStart()};
    case FormatStep::kRootDirectory: return {l.DataStart(), l.DataStart() + 1};
    case FormatStep::kBootRecords: return {1, 9};
    case FormatStep::kBootSector: return {0, 1};
    default: return {0, 0};
  }
}

// Whichever write fails, the format stops there, says where, reports the
// failure, and never leaves a boot sector that would pass the half-written
// tables off as a volume.
TEST(QuickFormat, AFailedWriteEndsTheFormatWithoutABootSector) {
  MemoryBlockDevice reference(512, 4 * kGiB / 512);
  ASSERT_TRUE(Format(reference, 8192).result.ok());
  const card::Fat32Layout layout = LayoutFor(reference, 8192);

  std::set<FormatStep> stepsSeen;
  FormatStep previous = FormatStep::kLayout;
  for (std::size_t n = 1; n <= reference.Writes().size(); ++n) {
    SCOPED_TRACE(n);
    MemoryBlockDevice device(512, 4 * kGiB / 512);
    device.FailWrite(n);
    const FormatRun run = Format(device, 8192);
    ASSERT_FALSE(run.result.ok());
    const card::FormatError& error = *run.result.error;
    EXPECT_EQ(error.device.fault, card::DeviceFault::kWriteFailed);
    EXPECT_EQ(error.sector, reference.Writes()[n - 1].firstSector);
    EXPECT_GE(error.step, previous);
    const auto [begin, end] = SectorsOf(error.step, layout);
    EXPECT_GE(error.sector, begin);
    EXPECT_LT(error.sector, end);
    previous = error.step;
    stepsSeen.insert(error.step);
    EXPECT_EQ(device.Writes().size(), n - 1);
    ExpectEndsWithOneDone(run.events, false);
    const std::vector<std::byte> sector0 = device.ReadSector(0);
    EXPECT_TRUE(std::all_of(sector0.begin(), sector0.end(), [](std::byte b) { return b == std::byte{0}; }));
  }
  EXPECT_EQ(stepsSeen, (std::set<FormatStep>{FormatStep::kReservedArea, FormatStep::kFirstFat,
                                             FormatStep::kSecondFat, FormatStep::kRootDirectory,
                                             FormatStep::kBootRecords, FormatStep::kBootSector}));
}

TEST(QuickFormat, AnImpossibleLayoutWritesNothingAndReportsFailure) {
  struct Row {
    std::uint32_t sectorSize;
    std::uint64_t sectors;
    card::LayoutError error;
  };
  const Row rows[] = {{512, kGiB / 512, card::LayoutError::kVolumeTooSmall},
                      {520, 8 * kGiB / 520, card::LayoutError::kBadSectorSize},
                      {512, 0x100000000ull, card::LayoutError::kVolumeTooLarge}};
  for (const Row& row : rows) {
    SCOPED_TRACE(int(row.error));
    MemoryBlockDevice device(row.sectorSize, row.sectors);
    const FormatRun run = Format(device, 0);
    ASSERT_FALSE(run.result.ok());
    EXPECT_EQ(run.result.error->step, FormatStep::kLayout);
    EXPECT_EQ(run.result.error->layout, row.error);
    EXPECT_TRUE(device.Writes().empty());
    ASSERT_EQ(run.events.size(), 1u);
    ExpectEndsWithOneDone(run.events, false);
  }
}

}  // namespace

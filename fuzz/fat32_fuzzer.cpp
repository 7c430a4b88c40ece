// The FAT32 layout and quick format over arbitrary volume, sector, cluster,
// alignment and partition-start sizes. Every layout the engine accepts must
// be a legal FAT32 volume that fits its device, and formatting a memory
// device with it must succeed, write only metadata inside the device and
// leave a boot sector that describes the layout.
//
// Input, little-endian, missing bytes read as zero:
//   u64 volume sectors, u32 bytes per sector, u64 hidden sectors,
//   u32 cluster bytes, u32 alignment bytes, then the format time as
//   u16 year, u8 month, day, hour, minute, second, u16 milliseconds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <vector>

#include "core/card/fat32_format.h"
#include "core/card/fat32_layout.h"
#include "core/card/fat32_sectors.h"
#include "core/card/memory_block_device.h"
#include "fuzz_require.h"

namespace {

using card::Fat32Layout;

// Formats whose metadata is larger than this are only laid out, not written,
// so that every run stays a few milliseconds long.
constexpr std::uint64_t kWriteCapBytes = 8 * 1024 * 1024;
constexpr std::uint64_t kMinFat32Clusters = 65525;  // fewer makes the volume FAT16 by count
constexpr std::uint64_t kMaxFat32Clusters = 0x0FFFFFF4;

class InputReader {
 public:
  InputReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  template <typename T>
  T Take() {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i, ++pos_) {
      if (pos_ < size_) value |= std::uint64_t{data_[pos_]} << (8 * i);
    }
    return static_cast<T>(value);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

std::uint32_t Get(const std::vector<std::byte>& sector, std::size_t offset, std::size_t width) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value |= std::to_integer<std::uint32_t>(sector[offset + i]) << (8 * i);
  }
  return value;
}

void CheckLayout(const card::LayoutRequest& request, const Fat32Layout& layout) {
  FUZZ_REQUIRE(layout.bytesPerSector == request.bytesPerSector);
  FUZZ_REQUIRE(layout.sectorsPerCluster * layout.bytesPerSector == request.clusterBytes);
  FUZZ_REQUIRE(layout.hiddenSectors == request.hiddenSectors);
  FUZZ_REQUIRE(layout.totalSectors == request.volumeSectors);
  FUZZ_REQUIRE(layout.clusterCount >= kMinFat32Clusters);
  FUZZ_REQUIRE(layout.clusterCount <= kMaxFat32Clusters);
  // Room for the boot records and their backups, within the 16-bit field.
  FUZZ_REQUIRE(layout.reservedSectors >= card::kBackupBootSector + card::kBootRecordSectors);
  FUZZ_REQUIRE(layout.reservedSectors <= 0xFFFF);
  // A 4-byte entry per cluster plus the two reserved entries.
  FUZZ_REQUIRE(std::uint64_t{layout.sectorsPerFat} * layout.bytesPerSector / 4 >=
               std::uint64_t{layout.clusterCount} + 2);
  const std::uint64_t dataStart = std::uint64_t{layout.reservedSectors} +
                                  std::uint64_t{card::kFatCount} * layout.sectorsPerFat;
  FUZZ_REQUIRE(layout.DataStart() == dataStart);
  const std::uint64_t alignment = request.alignmentBytes / request.bytesPerSector;
  FUZZ_REQUIRE((request.hiddenSectors + dataStart) % alignment == 0);
  FUZZ_REQUIRE(dataStart + std::uint64_t{layout.clusterCount} * layout.sectorsPerCluster <=
               layout.totalSectors);
}

void CheckEvents(const std::vector<card::FormatEvent>& events, bool success) {
  FUZZ_REQUIRE(!events.empty());
  FUZZ_REQUIRE(events.back().command == card::FormatCommand::kDone);
  FUZZ_REQUIRE(events.back().success == success);
  std::uint32_t percent = 0;
  for (std::size_t i = 0; i + 1 < events.size(); ++i) {
    FUZZ_REQUIRE(events[i].command != card::FormatCommand::kDone);
    if (events[i].command != card::FormatCommand::kProgress) continue;
    FUZZ_REQUIRE(events[i].percent >= percent && events[i].percent <= 100);
    percent = events[i].percent;
  }
}

void CheckFormatted(const card::MemoryBlockDevice& device, const Fat32Layout& layout) {
  const std::uint64_t metadataEnd = std::uint64_t{layout.DataStart()} + layout.sectorsPerCluster;
  const auto& writes = device.Writes();
  for (const card::WriteRecord& write : writes) {
    FUZZ_REQUIRE(write.firstSector + write.sectorCount <= metadataEnd);
  }
  // Sector 0 is cleared first and written last, after everything it points at is flushed.
  FUZZ_REQUIRE(writes.front().firstSector == 0);
  FUZZ_REQUIRE(writes.back().firstSector == 0 && writes.back().sectorCount == 1);
  FUZZ_REQUIRE(writes.back().flushesBefore >= 1);

  const std::set<std::uint64_t> metadata = {0, 1, 2, 6, 7, 8, layout.FatStart(0), layout.FatStart(1),
                                            layout.DataStart()};
  for (std::uint64_t sector : device.NonZeroSectors()) FUZZ_REQUIRE(metadata.count(sector) == 1);

  const std::vector<std::byte> boot = device.ReadSector(0);
  FUZZ_REQUIRE(boot == device.ReadSector(card::kBackupBootSector));
  FUZZ_REQUIRE(Get(boot, 11, 2) == layout.bytesPerSector);
  FUZZ_REQUIRE(Get(boot, 13, 1) == layout.sectorsPerCluster);
  FUZZ_REQUIRE(Get(boot, 14, 2) == layout.reservedSectors);
  FUZZ_REQUIRE(Get(boot, 16, 1) == card::kFatCount);
  FUZZ_REQUIRE(Get(boot, 28, 4) == layout.hiddenSectors);
  FUZZ_REQUIRE(Get(boot, 32, 4) == layout.totalSectors);
  FUZZ_REQUIRE(Get(boot, 36, 4) == layout.sectorsPerFat);
  FUZZ_REQUIRE(Get(boot, 510, 2) == 0xAA55);
  FUZZ_REQUIRE(device.ReadSector(layout.FatStart(0)) == device.ReadSector(layout.FatStart(1)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  InputReader input(data, size);
  card::LayoutRequest request;
  request.volumeSectors = input.Take<std::uint64_t>();
  request.bytesPerSector = input.Take<std::uint32_t>();
  request.hiddenSectors = input.Take<std::uint64_t>();
  request.clusterBytes = input.Take<std::uint32_t>();
  request.alignmentBytes = input.Take<std::uint32_t>();
  card::FormatRequest format{request.hiddenSectors, request.clusterBytes, request.alignmentBytes,
                             {}};
  format.time.year = input.Take<std::uint16_t>();
  format.time.month = input.Take<std::uint8_t>();
  format.time.day = input.Take<std::uint8_t>();
  format.time.hour = input.Take<std::uint8_t>();
  format.time.minute = input.Take<std::uint8_t>();
  format.time.second = input.Take<std::uint8_t>();
  format.time.milliseconds = input.Take<std::uint16_t>();

  const card::LayoutResult planned = card::ComputeFat32Layout(request);
  if (planned.ok()) {
    CheckLayout(request, planned.layout);
    const std::uint64_t metadataBytes =
        (std::uint64_t{planned.layout.DataStart()} + planned.layout.sectorsPerCluster) *
        request.bytesPerSector;
    if (metadataBytes > kWriteCapBytes) return 0;
  }

  // The memory device refuses writes past its end or of partial sectors, and
  // fails nothing else: any failure here is the formatter's own fault.
  card::MemoryBlockDevice device(request.bytesPerSector, request.volumeSectors);
  std::vector<card::FormatEvent> events;
  const card::FormatResult result = card::FormatFat32(
      device, format, [&events](const card::FormatEvent& event) { events.push_back(event); });
  CheckEvents(events, planned.ok());
  if (!planned.ok()) {
    FUZZ_REQUIRE(!result.ok() && result.error->step == card::FormatStep::kLayout);
    FUZZ_REQUIRE(result.error->layout == planned.error);
    FUZZ_REQUIRE(device.Writes().empty());
    return 0;
  }
  FUZZ_REQUIRE(result.ok());
  CheckFormatted(device, planned.layout);
  return 0;
}

#include "core/card/fat32_format.h"

#include <algorithm>

#include "core/card/sector_buffer.h"

namespace card {
namespace {

// Zeros go out in 1 MiB requests: the FATs of a 256 GB card are 32 MiB each,
// and sector-sized writes would make the format crawl on a real card.
constexpr std::size_t kZeroBatchBytes = 1024 * 1024;

class Writer {
 public:
  Writer(BlockDevice& device, const Fat32Layout& layout, const FormatProgress& progress)
      : device_(device), layout_(layout), progress_(progress),
        // Zeros over all metadata, then the FAT heads and the boot records.
        plannedSectors_(std::uint64_t{layout.DataStart()} + layout.sectorsPerCluster + kFatCount +
                        2 * kBootRecordSectors) {}

  std::optional<FormatError> Run(const DateTime& time) {
    const std::uint32_t sectorSize = layout_.bytesPerSector;
    // The reserved area goes first: its first write clears sector 0, so the
    // card stops passing for a volume before any table is touched.
    if (auto error = Zero(FormatStep::kReservedArea, 0, layout_.reservedSectors)) return error;
    Report({FormatCommand::kStructureProgress});

    SectorBuffer fatHead(sectorSize);
    BuildFatHead(fatHead.Bytes());
    const FormatStep fatSteps[kFatCount] = {FormatStep::kFirstFat, FormatStep::kSecondFat};
    for (std::uint32_t fat = 0; fat < kFatCount; ++fat) {
      const std::uint32_t start = layout_.FatStart(fat);
      if (auto error = Zero(fatSteps[fat], start, layout_.sectorsPerFat)) return error;
      if (auto error = Write(fatSteps[fat], start, fatHead.Bytes())) return error;
      Report({FormatCommand::kStructureProgress});
    }

    SectorBuffer root(std::size_t{layout_.sectorsPerCluster} * sectorSize);
    BuildRootDirectory(time, root.Bytes());
    if (auto error = Write(FormatStep::kRootDirectory, layout_.DataStart(), root.Bytes())) {
      return error;
    }
    Report({FormatCommand::kStructureProgress});

    SectorBuffer records(kBootRecordSectors * sectorSize);
    const auto bytes = records.Bytes();
    BuildBootSector(layout_, VolumeSerial(time), bytes.first(sectorSize));
    BuildFsInfoSector(layout_, bytes.subspan(sectorSize, sectorSize));
    BuildThirdBootSector(bytes.subspan(2 * sectorSize, sectorSize));
    if (auto error = Write(FormatStep::kBootRecords, kFsInfoSector, bytes.subspan(sectorSize))) {
      return error;
    }
    if (auto error = Write(FormatStep::kBootRecords, kBackupBootSector, bytes)) return error;
    // Everything the boot sector points at must be on the card before the
    // boot sector itself makes the volume recognisable.
    if (auto error = Flush()) return error;
    if (auto error = Write(FormatStep::kBootSector, 0, bytes.first(sectorSize))) return error;
    return Flush();
  }

 private:
  std::optional<FormatError> Write(FormatStep step, std::uint64_t first,
                                   std::span<const std::byte> data) {
    const DeviceStatus status = device_.Write(first, data);
    if (!status.ok()) return FormatError{step, LayoutError::kNone, first, status};
    writtenSectors_ += data.size() / layout_.bytesPerSector;
    const auto percent = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(100, writtenSectors_ * 100 / plannedSectors_));
    if (percent != percent_) {
      percent_ = percent;
      Report({FormatCommand::kProgress, percent});
    }
    return std::nullopt;
  }

  std::optional<FormatError> Zero(FormatStep step, std::uint64_t first, std::uint64_t count) {
    const std::uint64_t batchSectors = kZeroBatchBytes / layout_.bytesPerSector;
    for (std::uint64_t done = 0; done < count;) {
      const std::uint64_t n = std::min(batchSectors, count - done);
      if (auto error = Write(step, first + done, zeros_.Bytes().first(n * layout_.bytesPerSector))) {
        return error;
      }
      done += n;
    }
    return std::nullopt;
  }

  std::optional<FormatError> Flush() {
    const DeviceStatus status = device_.Flush();
    if (!status.ok()) return FormatError{FormatStep::kFlush, LayoutError::kNone, 0, status};
    return std::nullopt;
  }

  void Report(const FormatEvent& event) {
    if (progress_) progress_(event);
  }

  BlockDevice& device_;
  const Fat32Layout& layout_;
  const FormatProgress& progress_;
  const std::uint64_t plannedSectors_;
  std::uint64_t writtenSectors_ = 0;
  std::uint32_t percent_ = 0;
  SectorBuffer zeros_{kZeroBatchBytes};
};

}  // namespace

FormatResult FormatFat32(BlockDevice& device, const FormatRequest& request,
                         const FormatProgress& progress) {
  const LayoutResult planned = ComputeFat32Layout({device.SectorCount(), device.SectorSize(),
                                                   request.hiddenSectors, request.clusterBytes,
                                                   request.alignmentBytes});
  FormatResult result{std::nullopt, planned.layout};
  if (!planned.ok()) {
    result.error = FormatError{FormatStep::kLayout, planned.error, 0, {}};
  } else {
    result.error = Writer(device, planned.layout, progress).Run(request.time);
  }
  if (progress) progress({FormatCommand::kDone, 0, result.ok()});
  return result;
}

}  // namespace card

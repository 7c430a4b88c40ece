// The formatter on sparse image files, judged by the system's FAT checker and
// mtools, plus byte checks for what those tools let pass.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "core/card/boot_serial.h"
#include "core/card/fat32_format.h"
#include "core/card/file_block_device.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kMiB = 1024ull * 1024;
constexpr std::uint64_t kGiB = 1024 * kMiB;
// 2024-03-15 14:30:45.67 local time.
constexpr card::DateTime kFormatTime = {2024, 3, 15, 14, 30, 45, 670};

// A sparse file that is removed again.
class TempImage {
 public:
  TempImage(const std::string& name, std::uint64_t bytes)
      : path_(fs::temp_directory_path() /
              ("fat32_" + std::to_string(::getpid()) + "_" + name + ".img")) {
    std::ofstream(path_, std::ios::binary).close();
    fs::resize_file(path_, bytes);
  }
  ~TempImage() {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  TempImage(const TempImage&) = delete;
  TempImage& operator=(const TempImage&) = delete;

  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

std::vector<std::uint8_t> ReadBytes(const fs::path& path, std::uint64_t offset, std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  std::ifstream in(path, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(offset));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
  EXPECT_TRUE(in.good()) << "reading " << count << " bytes at " << offset;
  return bytes;
}

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}

bool AllZero(const std::vector<std::uint8_t>& bytes, std::size_t from = 0) {
  return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(),
                     [](std::uint8_t b) { return b == 0; });
}

bool HasTool(const char* name) {
  const std::string command = std::string("command -v ") + name +
                              " >/dev/null 2>&1 || test -x /usr/sbin/" + name + " || test -x /sbin/" + name;
  return std::system(command.c_str()) == 0;
}

struct ToolRun {
  int exitCode = -1;
  std::string output;
};

ToolRun RunTool(const std::string& commandLine) {
  ToolRun run;
  const std::string full = "PATH=\"$PATH:/usr/sbin:/sbin\" " + commandLine + " 2>&1";
  FILE* pipe = ::popen(full.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.output.append(buffer, n);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// Random bytes over the whole area the format must rewrite, as if an
// earlier file system had lived there.
void DirtyMetadata(const fs::path& path, const card::Fat32Layout& layout) {
  const std::uint64_t bytes =
      (std::uint64_t{layout.DataStart()} + layout.sectorsPerCluster) * layout.bytesPerSector;
  std::mt19937_64 random(42);
  std::vector<std::uint64_t> block(1 << 17);
  std::fstream out(path, std::ios::in | std::ios::out | std::ios::binary);
  for (std::uint64_t done = 0; done < bytes; done += block.size() * 8) {
    std::generate(block.begin(), block.end(), random);
    out.write(reinterpret_cast<const char*>(block.data()),
              static_cast<std::streamsize>(std::min<std::uint64_t>(block.size() * 8, bytes - done)));
  }
  ASSERT_TRUE(out.good());
}

// What fsck.fat and mtools do not look at, or only warn about.
void ExpectWhatTheToolsMiss(const fs::path& path, const card::Fat32Layout& l) {
  const std::uint32_t bps = l.bytesPerSector;
  const std::vector<std::uint8_t> reserved = ReadBytes(path, 0, std::size_t{l.reservedSectors} * bps);
  auto sector = [&](std::size_t n) {
    return std::vector<std::uint8_t>(reserved.begin() + n * bps, reserved.begin() + (n + 1) * bps);
  };
  const auto boot = sector(0);
  const auto fsInfo = sector(1);
  const auto third = sector(2);
  EXPECT_EQ(sector(6), boot) << "backup boot sector";
  EXPECT_EQ(sector(7), fsInfo) << "backup FSInfo";
  EXPECT_EQ(sector(8), third);
  EXPECT_EQ(boot[65], 0) << "dirty flag";
  EXPECT_EQ(std::string(boot.begin() + 71, boot.begin() + 82), "R470       ");
  for (const auto& s : {boot, third}) {
    EXPECT_EQ(s[510], 0x55);
    EXPECT_EQ(s[511], 0xAA);
    EXPECT_EQ(s[bps - 2], 0x55);
    EXPECT_EQ(s[bps - 1], 0xAA);
  }
  EXPECT_TRUE(std::all_of(third.begin(), third.begin() + 510, [](std::uint8_t b) { return b == 0; }));
  EXPECT_EQ(Le32(fsInfo, 0), 0x41615252u);
  EXPECT_EQ(Le32(fsInfo, 484), 0x61417272u);
  EXPECT_EQ(Le32(fsInfo, 488), l.clusterCount - 1);
  EXPECT_EQ(Le32(fsInfo, 508), 0xAA550000u);
  for (std::size_t n : {3, 4, 5}) EXPECT_TRUE(AllZero(sector(n))) << "sector " << n;
  EXPECT_TRUE(AllZero(reserved, 9 * bps)) << "reserved sectors from 9 on";

  const std::size_t fatBytes = std::size_t{l.sectorsPerFat} * bps;
  const auto fat1 = ReadBytes(path, std::uint64_t{l.FatStart(0)} * bps, fatBytes);
  const auto fat2 = ReadBytes(path, std::uint64_t{l.FatStart(1)} * bps, fatBytes);
  EXPECT_TRUE(fat1 == fat2) << "the two FATs differ";
  EXPECT_EQ(Le32(fat1, 0), 0x0FFFFF00u | boot[21]) << "FAT[0] carries the media byte";
  EXPECT_EQ(Le32(fat1, 4), 0x0FFFFFFFu) << "FAT[1] clean";
  EXPECT_GE(Le32(fat1, 8), 0x0FFFFFF8u) << "root cluster ends its chain";
  EXPECT_TRUE(AllZero(fat1, 12)) << "stale FAT entries";

  const auto root = ReadBytes(path, std::uint64_t{l.DataStart()} * bps,
                              std::size_t{l.sectorsPerCluster} * bps);
  EXPECT_EQ(std::string(root.begin(), root.begin() + 11), "R470       ");
  EXPECT_EQ(root[11], 0x08);
  EXPECT_EQ(root[22] | root[23] << 8, (14 << 11) | (30 << 5) | (45 / 2)) << "label time";
  EXPECT_EQ(root[24] | root[25] << 8, (44 << 9) | (3 << 5) | 15) << "label date";
  EXPECT_TRUE(AllZero(root, 32)) << "stale root entries";
}

struct ImageCase {
  const char* name;
  std::uint64_t bytes;
  std::uint32_t sectorSize;
  std::uint64_t hidden;
  std::uint32_t clusterBytes;  // the largest that leaves the card FAT32
};

class Fat32Image : public testing::TestWithParam<ImageCase> {
 protected:
  void SetUp() override {
    if (!HasTool("fsck.fat") || !HasTool("minfo") || !HasTool("mdir") || !HasTool("mcopy")) {
      GTEST_SKIP() << "needs dosfstools and mtools";
    }
  }
};

TEST_P(Fat32Image, FormatsACleanLabelledVolumeOverStaleData) {
  const ImageCase c = GetParam();
  TempImage image(c.name, c.bytes);
  // As the program formats a card: with the largest clusters, up to 32 KiB,
  // that leave it a FAT32 volume.
  const card::LayoutResult planned =
      card::ComputeLargestClusterLayout({c.bytes / c.sectorSize, c.sectorSize, c.hidden});
  ASSERT_TRUE(planned.ok());
  EXPECT_EQ(planned.layout.sectorsPerCluster * c.sectorSize, c.clusterBytes);
  const std::uint32_t clusterBytes = c.clusterBytes;
  DirtyMetadata(image.path(), planned.layout);

  card::OpenedFileDevice opened = card::FileBlockDevice::Open(image.path(), c.sectorSize);
  ASSERT_TRUE(opened.status.ok());
  card::FormatRequest request;
  request.hiddenSectors = c.hidden;
  request.clusterBytes = clusterBytes;
  request.time = kFormatTime;
  const card::FormatResult result = card::FormatFat32(*opened.device, request, {});
  ASSERT_TRUE(result.ok());
  opened.device.reset();
  const card::Fat32Layout& l = result.layout;
  const std::string clusters = std::to_string(l.clusterCount);
  const std::string img = Quoted(image.path());

  // The label entry is the one "file", the root directory the one cluster.
  const ToolRun fsck = RunTool("fsck.fat -n " + img);
  EXPECT_EQ(fsck.exitCode, 0) << fsck.output;
  const auto fsckLines = Lines(fsck.output);
  ASSERT_EQ(fsckLines.size(), 2u) << fsck.output;
  EXPECT_TRUE(fsckLines[1].ends_with(": 1 files, 1/" + clusters + " clusters")) << fsck.output;

  const ToolRun minfo = RunTool("minfo -i " + img + " ::");
  EXPECT_EQ(minfo.exitCode, 0) << minfo.output;
  for (const std::string& expected :
       {"sector size: " + std::to_string(c.sectorSize) + " bytes",
        "cluster size: " + std::to_string(clusterBytes / c.sectorSize) + " sectors",
        "hidden sectors: " + std::to_string(c.hidden), std::string("serial number: 16063052"),
        std::string("disk label=\"R470       \""), std::string("disk type=\"FAT32   \""),
        "free clusters=" + std::to_string(l.clusterCount - 1)}) {
    EXPECT_NE(minfo.output.find(expected), std::string::npos) << expected << "\n" << minfo.output;
  }

  const ToolRun mdir = RunTool("mdir -i " + img + " ::");
  EXPECT_EQ(mdir.exitCode, 0) << mdir.output;
  EXPECT_NE(mdir.output.find(" Volume in drive : is R470"), std::string::npos) << mdir.output;
  EXPECT_NE(mdir.output.find("No files"), std::string::npos) << mdir.output;
  std::string digits = mdir.output.substr(0, mdir.output.find(" bytes free"));
  digits = digits.substr(digits.find_last_of('\n') + 1);
  std::erase(digits, ' ');
  EXPECT_EQ(digits, std::to_string(std::uint64_t{l.clusterCount - 1} * clusterBytes))
      << mdir.output;

  ExpectWhatTheToolsMiss(image.path(), l);
  const std::vector<std::uint8_t> boot = ReadBytes(image.path(), 0, c.sectorSize);
  EXPECT_EQ(card::BootSectorSerial(std::as_bytes(std::span(boot))), 0x16063052u);

  // The volume takes a file: a second entry and a second cluster (of any size).
  const TempImage file(std::string(c.name) + "_file", 500);
  const ToolRun mcopy = RunTool("mcopy -i " + img + " " + Quoted(file.path()) + " ::/F.TXT");
  EXPECT_EQ(mcopy.exitCode, 0) << mcopy.output;
  const ToolRun after = RunTool("fsck.fat -n " + img);
  EXPECT_EQ(after.exitCode, 0) << after.output;
  EXPECT_NE(after.output.find(": 2 files, 2/" + clusters + " clusters"), std::string::npos)
      << after.output;
}

INSTANTIATE_TEST_SUITE_P(
    Cards, Fat32Image,
    testing::Values(ImageCase{"40MiB", 40 * kMiB, 512, 0, 512},
                    ImageCase{"1GiB", kGiB, 512, 8192, 8192},
                    ImageCase{"2GiB", 2 * kGiB, 512, 0, 16384},
                    ImageCase{"4GiB", 4 * kGiB, 512, 8192, 32768},
                    ImageCase{"32GiB", 32 * kGiB, 512, 0, 32768},
                    ImageCase{"32GiB_4Kn", 32 * kGiB, 4096, 0, 32768},
                    ImageCase{"64GiB", 64 * kGiB, 512, 63, 32768},
                    ImageCase{"256GiB", 256 * kGiB, 512, 8192, 32768}),
    [](const testing::TestParamInfo<ImageCase>& param) { return std::string("Card") + param.param.name; });

// Cards are told apart by the serial number their boot sector records,
// whichever formatter wrote it; a sector that records none gives none.
TEST(BootSectorSerial, ReadsWhatFormattersRecorded) {
  if (!HasTool("mkfs.fat")) GTEST_SKIP() << "needs dosfstools";
  const struct {
    const char* name;
    std::uint64_t bytes;
    const char* options;
    std::optional<std::uint32_t> serial;
  } cases[] = {
      {"FAT12", 4 * kMiB, "-F 12 -i 0A0B0C0D", 0x0A0B0C0D},
      {"FAT16", 64 * kMiB, "-F 16 -i 1234ABCD", 0x1234ABCD},
      {"FAT32", 64 * kMiB, "-F 32 -i CAFE0001", 0xCAFE0001},
      {"zeroed by a failed format", 4 * kMiB, nullptr, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempImage image("serial", c.bytes);
    if (c.options != nullptr) {
      const ToolRun mkfs =
          RunTool(std::string("mkfs.fat ") + c.options + " " + Quoted(image.path()));
      ASSERT_EQ(mkfs.exitCode, 0) << mkfs.output;
    }
    const std::vector<std::uint8_t> boot = ReadBytes(image.path(), 0, 512);
    EXPECT_EQ(card::BootSectorSerial(std::as_bytes(std::span(boot))), c.serial);
  }
  // exFAT, as large cards come from the shop, and NTFS keep it elsewhere.
  std::vector<std::byte> sector(512);
  sector[510] = std::byte{0x55};
  sector[511] = std::byte{0xAA};
  std::memcpy(sector.data() + 3, "EXFAT   ", 8);
  sector[100] = std::byte{0x78};
  sector[103] = std::byte{0x12};
  EXPECT_EQ(card::BootSectorSerial(sector), 0x12000078u);
  std::memcpy(sector.data() + 3, "NTFS    ", 8);
  sector[72] = std::byte{0x01};
  EXPECT_EQ(card::BootSectorSerial(sector), 0x00000001u);
  sector[511] = std::byte{0};
  EXPECT_EQ(card::BootSectorSerial(sector), std::nullopt) << "no boot signature";
}

// Offsets past 4 GiB must not wrap, and the file must never grow.
TEST(FileBlockDevice, WritesWhereAskedAndNeverPastTheEnd) {
  const TempImage image("device", 5 * kGiB + 700);
  card::OpenedFileDevice opened = card::FileBlockDevice::Open(image.path(), 512);
  ASSERT_TRUE(opened.status.ok());
  card::BlockDevice& device = *opened.device;
  const std::uint64_t sectors = (5 * kGiB + 700) / 512;
  EXPECT_EQ(device.SectorCount(), sectors);
  const std::vector<std::byte> data(1024, std::byte{0x5A});
  const std::uint64_t past4GiB = 4 * kGiB / 512 + 3;
  EXPECT_TRUE(device.Write(past4GiB, data).ok());
  EXPECT_TRUE(device.Write(sectors - 2, data).ok());
  EXPECT_EQ(device.Write(sectors - 1, data).fault, card::DeviceFault::kOutOfRange);
  EXPECT_EQ(device.Write(0, std::span(data).first(100)).fault, card::DeviceFault::kPartialSector);
  EXPECT_TRUE(device.Flush().ok());

  EXPECT_EQ(fs::file_size(image.path()), 5 * kGiB + 700);
  const auto around = ReadBytes(image.path(), past4GiB * 512 - 1, 1026);
  EXPECT_EQ(around.front(), 0);
  EXPECT_EQ(around.back(), 0);
  EXPECT_TRUE(std::all_of(around.begin() + 1, around.end() - 1, [](std::uint8_t b) { return b == 0x5A; }));
  EXPECT_EQ(ReadBytes(image.path(), (sectors - 2) * 512, 1024), std::vector<std::uint8_t>(1024, 0x5A));
}

TEST(FileBlockDevice, ReportsWhatCannotBeOpened) {
  const TempImage image("open", 4096);
  EXPECT_EQ(card::FileBlockDevice::Open(image.path().string() + ".missing", 512).status.fault,
            card::DeviceFault::kOpenFailed);
  for (std::uint32_t sectorSize : {0u, 100u, 8192u}) {
    SCOPED_TRACE(sectorSize);
    const card::OpenedFileDevice opened = card::FileBlockDevice::Open(image.path(), sectorSize);
    EXPECT_EQ(opened.status.fault, card::DeviceFault::kOpenFailed);
    EXPECT_EQ(opened.device, nullptr);
  }
}

}  // namespace

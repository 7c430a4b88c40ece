// Formats an existing image file as one FAT32 volume with the program's own
// writer, the way the tool formats a card on Wine: 512-byte sectors, the
// default 32 KiB clusters, no partition table. The benchmark times this
// against the system's mkfs.fat on an image of the same size.
//
// Usage: format_bench IMAGE
// Exits 0 when the volume was written in full, 1 otherwise.

#include <cstdio>
#include <ctime>

#include "core/card/fat32_format.h"
#include "core/card/file_block_device.h"

namespace {

card::DateTime Now() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  card::DateTime time;
  time.year = static_cast<std::uint16_t>(local.tm_year + 1900);
  time.month = static_cast<std::uint8_t>(local.tm_mon + 1);
  time.day = static_cast<std::uint8_t>(local.tm_mday);
  time.hour = static_cast<std::uint8_t>(local.tm_hour);
  time.minute = static_cast<std::uint8_t>(local.tm_min);
  time.second = static_cast<std::uint8_t>(local.tm_sec);
  return time;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s IMAGE\n", argv[0]);
    return 2;
  }
  card::OpenedFileDevice opened = card::FileBlockDevice::Open(argv[1], 512);
  if (!opened.device) {
    std::fprintf(stderr, "format_bench: cannot open %s (error %d)\n", argv[1],
                 opened.status.systemCode);
    return 1;
  }
  card::FormatRequest request;
  request.time = Now();
  const card::FormatResult result = card::FormatFat32(*opened.device, request, {});
  if (!result.ok()) {
    std::fprintf(stderr, "format_bench: format failed at step %d, sector %llu\n",
                 static_cast<int>(result.error->step),
                 static_cast<unsigned long long>(result.error->sector));
    return 1;
  }
  return 0;
}

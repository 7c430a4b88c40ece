#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "core/card/memory_block_device.h"

namespace {

using card::DeviceFault;
using card::MemoryBlockDevice;

std::vector<std::byte> Filled(std::size_t size, std::uint8_t value) {
  return std::vector<std::byte>(size, std::byte{value});
}

TEST(BlockDevice, TakesOnlyWholeSectorsInsideTheDevice) {
  struct Row {
    std::uint64_t first;
    std::size_t bytes;
    DeviceFault fault;
  };
  const Row rows[] = {
      {0, 512, DeviceFault::kNone},
      {99, 512, DeviceFault::kNone},
      {1, 99 * 512, DeviceFault::kNone},
      {0, 100 * 512, DeviceFault::kNone},
      {99, 1024, DeviceFault::kOutOfRange},
      {100, 512, DeviceFault::kOutOfRange},
      {1, 100 * 512, DeviceFault::kOutOfRange},
      {std::numeric_limits<std::uint64_t>::max(), 512, DeviceFault::kOutOfRange},
      {0, 0, DeviceFault::kPartialSector},
      {0, 100, DeviceFault::kPartialSector},
      {0, 513, DeviceFault::kPartialSector},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.first) + " +" + std::to_string(row.bytes));
    MemoryBlockDevice device(512, 100);
    EXPECT_EQ(device.Write(row.first, Filled(row.bytes, 1)).fault, row.fault);
    EXPECT_EQ(device.Writes().size(), row.fault == DeviceFault::kNone ? 1u : 0u);
  }
}

TEST(MemoryBlockDevice, FailsOnlyTheChosenWriteAndKeepsItsContents) {
  MemoryBlockDevice device(512, 16);
  device.FailWrite(2);
  EXPECT_TRUE(device.Write(3, Filled(1024, 7)).ok());
  EXPECT_EQ(device.Write(3, Filled(512, 9)).fault, DeviceFault::kWriteFailed);
  EXPECT_TRUE(device.Write(10, Filled(512, 5)).ok());
  EXPECT_EQ(device.ReadSector(3), Filled(512, 7));
  EXPECT_EQ(device.ReadSector(10), Filled(512, 5));
  EXPECT_EQ(device.Writes().size(), 2u);
  EXPECT_EQ((std::vector<std::uint64_t>{3, 4, 10}), device.NonZeroSectors());
}

}  // namespace

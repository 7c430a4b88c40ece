#include "random_card.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "screen_promise.h"

namespace monkey {
namespace {

struct Range {
  int offset, lowest, highest;
};
// The settings a page shows, with the values the camera uses.
constexpr Range kRanges[] = {
    {52, 1, 3},  {56, 1, 3},   {60, 1, 3},  {64, 0, 2},  {76, 0, 2},     {80, 0, 3},
    {84, 0, 3},  {88, 0, 2},   {100, 0, 1}, {104, 0, 5}, {108, 0, 1},    {112, 1, 6},
    {116, 0, 1}, {120, 1, 10}, {132, 0, 1}, {136, 0, 1}, {140, 0, 1},    {144, 0, 1},
    {148, 0, 1}, {152, 1, 3},  {156, 1, 3}, {160, 1, 3}, {164, 0, 2},    {168, 0, 3},
    {172, 0, 3}, {176, 1, 10}, {180, 0, 1}, {184, 0, 1}, {188, 0, 4095}, {192, 0, 4095},
    {204, 0, 7}, {208, 0, 7},  {212, 1, 3}, {216, 0, 3}, {376, 0, 1},    {412, 0, 1},
    {416, 0, 1}, {428, 0, 1},
};
constexpr int kTimerHours[] = {1, 2, 4, 6, 12, 24, 48};
constexpr int kMotionSensitivities[] = {1, 3, 5};

struct StoredZone {
  const char* name;
  int offset;
};
// Known zones, a known name with another offset, names no PC knows, offsets
// no zone has (with a name, a name filling the field, or none), and
// records that never had a zone.
constexpr StoredZone kZones[] = {
    {"Pacific Standard Time", -480},
    {"Tokyo Standard Time", 540},
    {"W. Europe Standard Time", 60},
    {"India Standard Time", 330},
    {"Pacific Standard Time", -420},
    {"Mars Standard Time", 330},
    {"Nowhere Standard Time", 17},
    {"Pacific Standard Time", -421},
    {"Lemuria And Atlantis Standard Ti", -5},
    {"", 123},
    {"", 0},
    {"", 60},
};
constexpr int kOlderLengths[] = {356, 372, 412, 420};

void PutWord(std::vector<std::uint8_t>& bytes, int offset, std::int32_t value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}

int RandomValue(Random& random, const Range& range) {
  if (random.Percent(85)) return random.Between(range.lowest, range.highest);
  const int odd[] = {-1, range.highest + 1, 7, 100, -100000};
  return odd[random.Below(5)];
}

std::vector<std::uint8_t> RandomRecord(Random& random) {
  std::vector<std::uint8_t> record = FactoryRecord();
  for (const Range& range : kRanges) {
    if (random.Percent(60)) PutWord(record, range.offset, RandomValue(random, range));
  }
  if (random.Percent(60)) PutWord(record, 200, kTimerHours[random.Below(7)]);
  if (random.Percent(10)) PutWord(record, 200, random.Between(0, 60));
  if (random.Percent(60)) PutWord(record, 196, kMotionSensitivities[random.Below(3)]);
  if (random.Percent(10)) PutWord(record, 196, random.Between(0, 6));
  for (int offset : {24, 68, 92, 124, 220, 356, 420}) {
    if (random.Percent(20)) PutWord(record, offset, int(random.Below(1 << 30)));
  }
  if (random.Percent(50)) {
    const StoredZone& zone = kZones[random.Below(std::size(kZones))];
    std::memset(record.data() + 380, 0, 32);
    std::memcpy(record.data() + 380, zone.name, std::strlen(zone.name));
    PutWord(record, 372, zone.offset);
  }
  return record;
}

// The record cut or grown to the length of an older, a newer or a damaged
// file, with the length word saying so (or, rarely, saying something else).
std::vector<std::uint8_t> RandomFile(Random& random) {
  std::vector<std::uint8_t> file = RandomRecord(random);
  const int kind = random.Below(100);
  if (kind < 15) {
    file.resize(kOlderLengths[random.Below(4)]);
    PutWord(file, 4, 0x00010000 + random.Below(4));
  } else if (kind < 20) {
    file.resize(500, std::uint8_t(random.Below(256)));
  } else if (kind < 25) {
    file.resize(random.Below(2) ? 0 : random.Between(1, 355));
    return file;
  }
  std::uint32_t length = std::uint32_t(file.size());
  if (random.Percent(8)) length = random.Percent(50) ? 0 : 1000;
  PutWord(file, 0, std::int32_t(length));
  return file;
}

std::string RandomClockLine(Random& random) {
  char line[64];
  switch (random.Below(5)) {
    case 0:
      return random.Percent(50) ? "" : "   ";
    case 1:
      std::snprintf(line, sizeof line, "%d,%d,%d", random.Between(2000, 2037),
                    random.Between(1, 12), random.Between(1, 28));
      return line;
    case 2:
      std::snprintf(line, sizeof line, "%d,%d,%d,%d,%d,%d,+0900", random.Between(0, 3000),
                    random.Between(0, 13), random.Between(0, 32), random.Between(0, 25),
                    random.Between(0, 61), random.Between(0, 61));
      return line;
    default:
      std::snprintf(line, sizeof line, "%4d,%02d,%02d,%02d,%02d,%02d,-0800",
                    random.Between(2000, 2037), random.Between(1, 12), random.Between(1, 28),
                    random.Between(0, 23), random.Between(0, 59), random.Between(0, 59));
      return line;
  }
}

}  // namespace

CardFiles RandomCard(Random& random) {
  CardFiles card;
  if (random.Percent(90)) card.setupCfg = RandomFile(random);
  if (random.Percent(40)) card.timeDat = RandomClockLine(random);
  return card;
}

}  // namespace monkey

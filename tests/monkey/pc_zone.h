#pragma once
// The PC's time zone for a seed: mostly the one the test runs in, sometimes
// one the program's zone list leaves out, so that a record without a zone
// meets a PC zone it cannot list as it is.

#include <cstdint>
#include <string>

#include "random_card.h"

namespace monkey {

struct PcZone {
  const wchar_t* tz;         // the Unix TZ to run the program with; null: ours
  std::int32_t standardUtc;  // its standard offset, minutes east of UTC
};

PcZone RandomPcZone(Random& random);

// "the PC in ZONE", for the list of a seed's actions.
std::string Describe(const PcZone& zone);

}  // namespace monkey

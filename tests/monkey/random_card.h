#pragma once
// A card as a driver might bring it: a random settings record (valid
// values mostly, some out of range, older and damaged layouts, sometimes
// none) and sometimes a time.dat, odd ones included.

#include <cstdint>
#include <random>

#include "screen_view.h"

namespace monkey {

class Random {
 public:
  explicit Random(std::uint32_t seed) : engine_(seed) {}
  // 0 .. count-1; the same for a seed on every machine.
  int Below(int count) { return count <= 1 ? 0 : int(engine_() % std::uint32_t(count)); }
  int Between(int lowest, int highest) { return lowest + Below(highest - lowest + 1); }
  bool Percent(int chance) { return Below(100) < chance; }

 private:
  std::mt19937 engine_;
};

CardFiles RandomCard(Random& random);

}  // namespace monkey

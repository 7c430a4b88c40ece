#include "core/pages/partition_shares.h"

#include <cstdio>

#include "core/text/u16.h"

namespace pages::partition {
namespace {

constexpr Shares kTypeA = {0.606f, 0.2f, 0.05f, 0.03f, 0.1f};
constexpr Shares kTypeB = {0.363f, 0.15f, 0.05f, 0.03f, 0.4f};
constexpr Shares kTypeC = {0.536f, 0.15f, 0.15f, 0.05f, 0.1f};

}  // namespace

const Shares& SharesFor(std::int32_t memoryPartition) {
  switch (memoryPartition) {
    case 2:
      return kTypeB;
    case 3:
      return kTypeC;
    default:
      return kTypeA;
  }
}

// The single-precision share is widened before it is scaled, so 0.03f
// (slightly below 0.03) gives 8 pixels, not 9: bars match the camera's own.
int BarWidth(float share) {
  return static_cast<int>(static_cast<double>(share) * kFullBarWidth);
}

std::u16string PercentText(float share) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%3.1f%%", static_cast<double>(share * 100));
  return text::Ascii(buffer);
}

}  // namespace pages::partition

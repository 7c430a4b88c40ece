#include "pc_zone.h"

#include <windows.h>

#include <iterator>

namespace monkey {
namespace {

// Zones of Windows that the program does not offer the camera, by a Unix
// name that Wine maps to them: one whose offset listed zones share, one
// alone at its offset, and an offset no Windows zone has.
constexpr PcZone kLeftOut[] = {
    {L"America/Montevideo", -180},
    {L"Pacific/Pago_Pago", -660},
    {L"<+0203>-2:03", 123},
};

}  // namespace

PcZone RandomPcZone(Random& random) {
  if (random.Percent(50)) {
    TIME_ZONE_INFORMATION ours{};
    GetTimeZoneInformation(&ours);
    return {nullptr, -ours.Bias};
  }
  return kLeftOut[random.Below(std::size(kLeftOut))];
}

std::string Describe(const PcZone& zone) {
  if (!zone.tz) return "the PC in the test's own zone";
  std::string name = "the PC in ";
  for (const wchar_t* c = zone.tz; *c; ++c) name.push_back(char(*c));
  return name;
}

}  // namespace monkey

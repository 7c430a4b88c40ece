#pragma once
// What a slider position means on the Parking page, and the text its drag
// tooltip shows.

#include <span>
#include <string>

namespace pages {

enum class SliderValueType { kPosition = 0, kStopTimerHours = 1, kVoltage12 = 2, kVoltage24 = 3,
                             kMotionSensitivity = 4 };

// Hours of parking recording before it stops, by slider position 0..6.
inline constexpr int kStopTimerHours[] = {1, 2, 4, 6, 12, 24, 48};
// Cut-off voltages by slider position 0..7, single precision as stored.
inline constexpr float kVoltage12[] = {11.6f, 11.7f, 11.8f, 11.9f, 12.0f, 12.1f, 12.2f, 12.3f};
inline constexpr float kVoltage24[] = {23.2f, 23.4f, 23.6f, 23.8f, 24.0f, 24.2f, 24.4f, 24.6f};
// Motion sensitivity values by slider position 0..2.
inline constexpr int kMotionSensitivity[] = {1, 3, 5};

// The table entry at `position`; a position outside the table gives the
// nearest entry.
template <typename T, size_t N>
constexpr T NearestEntry(const T (&table)[N], int position) {
  if (position < 0) return table[0];
  if (position >= static_cast<int>(N)) return table[N - 1];
  return table[position];
}

// The tooltip text for a slider of `type` at `position`: "%d" of the
// integer tables or of the position itself, "%0.1f" of the voltages.
std::u16string SliderTooltipText(SliderValueType type, int position);

}  // namespace pages

#include "core/pages/parking_slider_values.h"

#include <algorithm>
#include <iterator>

namespace pages {
namespace {

template <size_t N>
int IndexOr(const int (&table)[N], int value, int missing) {
  const int* found = std::find(std::begin(table), std::end(table), value);
  return found == std::end(table) ? missing : static_cast<int>(found - std::begin(table));
}

}  // namespace

int StoredValueAt(SliderValueType type, int position) {
  switch (type) {
    case SliderValueType::kStopTimerHours:
      return NearestEntry(kStopTimerHours, position);
    case SliderValueType::kMotionSensitivity:
      return NearestEntry(kMotionSensitivity, position);
    case SliderValueType::kPosition:
    case SliderValueType::kVoltage12:
    case SliderValueType::kVoltage24:
      break;
  }
  return position;
}

int PositionOfStoredValue(SliderValueType type, int stored) {
  switch (type) {
    case SliderValueType::kStopTimerHours:
      return IndexOr(kStopTimerHours, stored, static_cast<int>(std::size(kStopTimerHours)) - 1);
    case SliderValueType::kMotionSensitivity:
      return IndexOr(kMotionSensitivity, stored, 0);
    case SliderValueType::kPosition:
    case SliderValueType::kVoltage12:
    case SliderValueType::kVoltage24:
      break;
  }
  return stored;
}

}  // namespace pages

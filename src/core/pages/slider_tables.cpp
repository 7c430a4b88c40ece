#include "core/pages/slider_tables.h"

#include <cstdio>

#include "core/text/u16.h"

namespace pages {
namespace {

std::u16string OneDecimal(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof(buffer), "%0.1f", static_cast<double>(value));
  return text::Ascii(buffer);
}

}  // namespace

std::u16string SliderTooltipText(SliderValueType type, int position) {
  switch (type) {
    case SliderValueType::kStopTimerHours:
      return text::Dec(NearestEntry(kStopTimerHours, position));
    case SliderValueType::kVoltage12:
      return OneDecimal(NearestEntry(kVoltage12, position));
    case SliderValueType::kVoltage24:
      return OneDecimal(NearestEntry(kVoltage24, position));
    case SliderValueType::kMotionSensitivity:
      return text::Dec(NearestEntry(kMotionSensitivity, position));
    case SliderValueType::kPosition:
      break;
  }
  return text::Dec(position);
}

}  // namespace pages

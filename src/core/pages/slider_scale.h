#pragma once
// The numbers under a slider (its scale) stand in a row of boxes this
// many design pixels high, right below the slider. The scale belongs to
// the slider's row: whatever shows the slider shows its scale too.

namespace pages {

inline constexpr int kSliderScaleHeight = 12;

}  // namespace pages

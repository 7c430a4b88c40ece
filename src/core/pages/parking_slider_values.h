#pragma once
// What the Parking page's sliders store for a position, and which position
// shows a stored value. A stored value that no position stands for (a camera
// that wrote 8 hours, a motion sensitivity of 2) is shown at a fixed end of
// the slider and stays in the record until the user moves that slider.

#include "core/pages/slider_tables.h"

namespace pages {

// The value that a slider of `type` at `position` stands for: the entry of
// its table (the nearest one outside the table), or the position itself for
// the sliders that store their position (impact sensitivity, voltages).
int StoredValueAt(SliderValueType type, int position);

// The position that shows `stored`: its index in the table; a value not in
// the table shows at the last position of the timer (48 hours) and at the
// first of the motion sensitivity (low). Position-storing sliders show the
// value itself.
int PositionOfStoredValue(SliderValueType type, int stored);

}  // namespace pages

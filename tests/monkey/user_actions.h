#pragma once
// The alphabet of what a driver does: clicks on tabs, options, check boxes
// and buttons, slider drags, wheel notches, keys, the time-zone list and
// the clock pickers, and answers to the program's questions. Each action is
// chosen by the random source from what is on screen at that moment, so a
// seed replays the same actions.

#include <string>

#include "random_card.h"
#include "running_program.h"

namespace monkey {

// Performs one action and says what it was.
std::string PerformRandomAction(const RunningProgram& program, Random& random);

// Closes whatever question or drop-down is open, answering No, so that the
// screen shows settled values and Save can be pressed. False when some
// window would not close.
bool CloseOpenWindows(const RunningProgram& program);

// The centre of a window on the screen.
POINT CentreOf(HWND window);

}  // namespace monkey

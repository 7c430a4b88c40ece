#pragma once
// The list a drop-down combo box opens. Windows opens it below the field,
// or above where there is no room below; a list taller than the room on
// either side is pushed up to the screen's top, over its own field. At
// high display scales the long time-zone list did so.

#include <windows.h>

// Limits the list `combo` is about to open (call it on CBN_DROPDOWN) to
// the items that fit in the larger room above or below its field, within
// the screen's work area, so it opens clear of the field. Never fewer than
// one item nor more than the system's usual thirty.
void FitDroppedListBesideField(HWND combo);

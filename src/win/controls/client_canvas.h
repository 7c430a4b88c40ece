#pragma once
// Canvases of a skinned control's client size.

#include <windows.h>

#include "win/controls/mem_canvas.h"

// Creates `canvas` at the client size of `window` unless it exists already;
// true when it exists afterwards.
bool EnsureClientCanvas(HWND window, CMemCanvas& canvas);

// Fills `canvas` (made at the client size when missing) from the owner's
// background picture: the rectangle that `window` occupies in its parent's
// client area, read from `parentBackground`.
void CopyParentBackground(HWND window, HDC parentBackground, CMemCanvas& canvas);

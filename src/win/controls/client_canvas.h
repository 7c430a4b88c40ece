#pragma once
// Canvases of a skinned control's client size.

#include <windows.h>

#include "win/controls/mem_canvas.h"

// Makes `canvas` the client size of `window`: kept as it is when it already
// has that size, made anew (transparent) when it is missing or the window
// changed size (a new display scale). True when it exists afterwards.
bool EnsureClientCanvas(HWND window, CMemCanvas& canvas);

// Fills `canvas` (made at the client size when missing) from the owner's
// background picture: the rectangle that `window` occupies in its parent's
// client area, read from `parentBackground`.
void CopyParentBackground(HWND window, HDC parentBackground, CMemCanvas& canvas);

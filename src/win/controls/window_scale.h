#pragma once
// The display scale a window is shown at, and system sizes at that scale.
// The program is aware of every monitor's own scale: Windows leaves the
// scaling to it, and each window asks for the scale of the monitor it is on.

#include <windows.h>

#include "core/skin/scale.h"

// The scale of `window` (null: the system's). Windows without per-monitor
// scales report the system's.
skin::Scale WindowScale(HWND window);

// GetSystemMetrics(index) at `scale` rather than at the system's scale.
int SystemMetric(int index, const skin::Scale& scale);

// A design rectangle in device pixels, as a RECT.
RECT DeviceRect(const skin::PixelRect& design, const skin::Scale& scale);

// Moves and sizes `window` (not its z-order) to the design rectangle,
// edge by edge at `scale`, in its parent's client coordinates.
void MoveToDesignRect(HWND window, const skin::PixelRect& design, const skin::Scale& scale);

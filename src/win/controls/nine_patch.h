#pragma once
// Draws PNG resources into canvases, keeping per-pixel alpha: plain
// pictures resampled to the canvas, or nine-patch pictures stretched to it
// (see core/skin/nine_patch_geometry.h for the frame marks).

#include <windows.h>

#include "core/skin/scale.h"
#include "win/controls/mem_canvas.h"

class CNinePatch {
 public:
  // Draws picture `id` over what the canvas holds, filling the canvas: an
  // exact copy when the picture has the canvas's size (a picture of the
  // set drawn for the scale in use), resampled smoothly otherwise. False,
  // with the canvas untouched, when the canvas is not created or the
  // picture cannot be loaded.
  static bool DrawPng(CMemCanvas& canvas, int id);

  // Replaces the canvas's pixels with nine-patch picture `id` stretched to
  // the canvas size, its fixed parts scaled by `fixed` (pixels the picture
  // does not reach become transparent). `content`, when given, receives
  // the content rectangle in canvas coordinates. False, with the canvas
  // untouched, when the canvas is not created, the picture cannot be
  // loaded or it has more than two stretch marks in a direction.
  static bool DrawNinePatch(CMemCanvas& canvas, int id, RECT* content = nullptr,
                            skin::FixedScale fixed = {});
  // The same for picture `designId` (of the 100 % set) at display scale
  // `scale`: from the set drawn nearest below it, its fixed parts scaled
  // to exactly `scale`.
  static bool DrawNinePatch(CMemCanvas& canvas, const skin::Scale& scale, int designId,
                            RECT* content = nullptr);
};

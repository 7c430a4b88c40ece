#pragma once
// The display scale of a window: its DPI over the 96 of the design.
//
// Every position, size and font height of the skin and the pages is given
// in design pixels, as at 96 DPI. A Scale turns them into device pixels
// where they meet the system, so the tables stay in design pixels and the
// program looks the same, enlarged, at every display scale.
//
// Rectangles scale by their edges, never by origin and size: two controls
// that share an edge in design pixels share it after scaling too, so
// neighbours never overlap nor open a gap. Lengths round to the nearest
// device pixel, halves away from zero.

#include "core/skin/nine_patch_geometry.h"

namespace skin {

class Scale {
 public:
  static constexpr int kDesignDpi = 96;

  constexpr Scale() = default;
  // Any DPI below 1 counts as the design's.
  explicit constexpr Scale(int dpi) : dpi_(dpi > 0 ? dpi : kDesignDpi) {}

  constexpr int dpi() const { return dpi_; }

  // A coordinate or length in device pixels.
  int Px(int design) const;
  // A rectangle in device pixels, edge by edge.
  PixelRect Px(const PixelRect& design) const;
  // A measured device length in design pixels, rounded up, so that room
  // laid out for it in design pixels never cuts it off.
  int ToDesign(int device) const;

  // The picture drawn for this scale: pictures come in sets drawn for 100,
  // 150 and 200 %. A nine-patch picture comes from the largest set not
  // above the scale: its fixed parts then always fit and its stretch
  // marks take the rest, pixel for pixel. A plain picture, shown at exactly
  // its scaled size, comes from the smallest set at or above the scale and
  // is shrunk, never blown up, except beyond 200 %.
  int NinePatchPicture(int id) const;
  int PlainPicture(int id) const;
  // How much the fixed parts of a nine-patch picture from
  // NinePatchPicture grow to reach exactly this scale: the title band of
  // the window's background is 40 pixels in the 100 % set and must be 50
  // at 125 %.
  FixedScale NinePatchFixedScale() const;

  friend constexpr bool operator==(const Scale&, const Scale&) = default;

 private:
  int dpi_ = kDesignDpi;
};

// The resource id of picture `id` in the set drawn for `percent` (100, 150
// or 200): the ids of a set are those of the 100 % set plus 1000 for 150 %
// and 2000 for 200 %.
int PictureInSet(int id, int percent);

}  // namespace skin

#pragma once
// The program's pictures, decoded by its own PNG decoder (core/skin/
// png_image.h) once, when first drawn, and kept for as long as the library
// lives. The newest live library serves the pictures, so a test can open
// one of its own.
//
// Pictures are drawn by the program's own code at the scales their sets
// were drawn for; only a plain picture shown between those scales is
// resampled by GDI+, which is loaded and started then, not at every start:
// under Wine, GDI+ and the COM libraries it brings cost more than a tenth
// of the window's whole start.

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "core/skin/png_image.h"

namespace skin {
// How many pictures this process has decoded so far. Skinned windows decode
// when they are given their skin, never while painting; tests and benchmarks
// watch this number to prove it.
int PictureDecodeCount();
}  // namespace skin

// One decoded picture: its straight pixels (0xAARRGGBB, as decoded) and the
// same premultiplied by their alpha, as 32-bit canvases hold them.
struct LoadedPicture {
  skin::PngImage image;
  std::vector<std::uint32_t> premultiplied;
};

class CPictureLibrary {
 public:
  CPictureLibrary();
  ~CPictureLibrary();
  CPictureLibrary(const CPictureLibrary&) = delete;
  CPictureLibrary& operator=(const CPictureLibrary&) = delete;

  // The program's PNG resource `id`, decoded on first use by the newest
  // live library; null when it is no picture, or no library lives.
  static const LoadedPicture* Picture(int id);

  // Starts GDI+ for the newest live library, once; false when no library
  // lives or GDI+ cannot start.
  static bool StartGdiPlus();

  // Decodes resource `id` of `type` in `module` (null: the program itself);
  // nothing when it is missing, empty or not a picture the decoder reads.
  static std::optional<LoadedPicture> Load(int id, const wchar_t* type = L"PNG",
                                           HMODULE module = nullptr);

 private:
  ULONG_PTR gdiPlusToken_ = 0;
  CPictureLibrary* previous_;
  // A picture that cannot be decoded is kept as nothing: it is not tried
  // again.
  std::map<int, std::optional<LoadedPicture>> pictures_;
};

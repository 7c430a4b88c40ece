#pragma once
// PNG pictures kept in the program's resources (type "PNG"), as GDI+
// bitmaps. GDI+ must be started (GdiplusStartup) before anything is loaded.

#include <windows.h>
// GDI+ needs the COM declarations that a lean <windows.h> leaves out, and
// needs them first.
// clang-format off
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <cstdint>
#include <memory>
#include <vector>

namespace skin {
// How many pictures this process has decoded so far. Skinned windows decode
// when they are given their skin, never while painting; tests and benchmarks
// watch this number to prove it.
int PictureDecodeCount();
}  // namespace skin

// Owns one decoded GDI+ bitmap.
class CGdiPlusBitmap {
 public:
  CGdiPlusBitmap() = default;
  virtual ~CGdiPlusBitmap() = default;
  CGdiPlusBitmap(const CGdiPlusBitmap&) = delete;
  CGdiPlusBitmap& operator=(const CGdiPlusBitmap&) = delete;

  // The picture, or null when nothing is loaded.
  Gdiplus::Bitmap* bitmap() const { return bitmap_.get(); }

 protected:
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
};

// A picture decoded from a resource by the program's own PNG decoder
// (core/skin/png_image.h) into a GDI+ bitmap of straight ARGB pixels, as
// GDI+'s decoder gave it: GDI+'s own decoding starts the system's imaging
// codecs, which under Wine cost more than the rest of the start together.
// The bitmap draws from the decoded pixels, which stay with it.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
 public:
  // Decodes resource `id` of `type` in `module` (null: the program itself),
  // replacing what was loaded before. False, with nothing loaded, when the
  // resource is missing, empty or not a picture the decoder reads.
  bool Load(int id, const wchar_t* type = L"PNG", HMODULE module = nullptr);
  // Drops the picture and its pixels.
  void Free();

 private:
  std::vector<std::uint32_t> pixels_;
};

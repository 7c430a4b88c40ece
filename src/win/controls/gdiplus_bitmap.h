#pragma once
// PNG pictures kept in the program's resources (type "PNG"), decoded by
// GDI+. GDI+ must be started (GdiplusStartup) before anything is loaded.

#include <windows.h>
// GDI+ needs the COM declarations that a lean <windows.h> leaves out, and
// needs them first.
// clang-format off
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <memory>

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

// A picture decoded from a resource. GDI+ keeps reading the encoded bytes
// for as long as the bitmap lives, so a private copy of them stays allocated
// and locked until the picture is dropped.
class CGdiPlusBitmapResource : public CGdiPlusBitmap {
 public:
  CGdiPlusBitmapResource() = default;
  ~CGdiPlusBitmapResource() override;

  // Decodes resource `id` of `type` in `module` (null: the program itself),
  // replacing what was loaded before. False, with nothing loaded, when the
  // resource is missing, empty or not a picture.
  bool Load(int id, const wchar_t* type = L"PNG", HMODULE module = nullptr);
  // Drops the picture, then the bytes it reads from.
  void Free();

 private:
  HGLOBAL memory_ = nullptr;
};

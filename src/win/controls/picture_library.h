#pragma once
// GDI+ for as long as a CPictureLibrary lives, and the program's pictures
// decoded through it: each picture is decoded once, when it is first drawn,
// and kept until the library ends, just before GDI+ shuts down. The newest
// live library serves the pictures, so a test can open one of its own.

#include <map>
#include <memory>

#include "win/controls/gdiplus_bitmap.h"

class CPictureLibrary {
 public:
  CPictureLibrary();
  ~CPictureLibrary();
  CPictureLibrary(const CPictureLibrary&) = delete;
  CPictureLibrary& operator=(const CPictureLibrary&) = delete;

  bool IsStarted() const { return token_ != 0; }

  // The program's PNG resource `id`, decoded on first use by the newest
  // live library; null when it is no picture, or no library lives.
  static Gdiplus::Bitmap* Picture(int id);

 private:
  ULONG_PTR token_ = 0;
  CPictureLibrary* previous_;
  // A picture that cannot be decoded is kept as null: it is not tried again.
  std::map<int, std::unique_ptr<CGdiPlusBitmapResource>> pictures_;
};

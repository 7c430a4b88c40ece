#include "win/controls/mem_canvas.h"

#include <algorithm>

bool CMemCanvas::Create(HDC reference, int width, int height) {
  if (IsCreated() || width <= 0 || height <= 0) return false;
  UniqueMemoryDc dc(CreateCompatibleDC(reference));
  if (!dc) return false;

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down: row 0 first, as pictures are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || bits == nullptr) return false;

  oldBitmap_ = SelectObject(dc.get(), bitmap.get());
  dc_ = std::move(dc);
  bitmap_ = std::move(bitmap);
  pixels_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void CMemCanvas::Clear() {
  if (!IsCreated()) return;
  GdiFlush();
  std::fill_n(pixels_, static_cast<std::size_t>(width_) * height_, 0u);
}

bool CMemCanvas::CopyTo(HDC target, int x, int y) const {
  return IsCreated() && BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

bool CMemCanvas::BlendOver(HDC target, int x, int y) const {
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  return IsCreated() &&
         GdiAlphaBlend(target, x, y, width_, height_, dc_.get(), 0, 0, width_, height_, blend);
}

void CMemCanvas::Release() {
  if (!IsCreated()) return;
  // The bitmap can only be deleted once it is no longer selected.
  SelectObject(dc_.get(), oldBitmap_);
  bitmap_.reset();
  dc_.reset();
  oldBitmap_ = nullptr;
  pixels_ = nullptr;
  width_ = 0;
  height_ = 0;
}

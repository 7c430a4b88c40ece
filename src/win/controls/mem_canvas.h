#pragma once
// An off-screen surface: a memory DC holding a 32-bit top-down DIB section.
// Pixels are 0xAARRGGBB words with premultiplied alpha, so pictures can be
// drawn into a canvas with their transparency kept and canvases combined by
// GdiAlphaBlend with per-pixel alpha.

#include <windows.h>

#include <cstdint>

#include "win/framework/handle.h"

class CMemCanvas {
 public:
  CMemCanvas() = default;
  ~CMemCanvas() { Release(); }
  CMemCanvas(const CMemCanvas&) = delete;
  CMemCanvas& operator=(const CMemCanvas&) = delete;

  // Makes a width x height surface, every pixel transparent, with a DC
  // compatible with `reference` (null: the screen). False when the canvas
  // already exists or the surface cannot be made.
  bool Create(HDC reference, int width, int height);
  bool IsCreated() const { return dc_.get() != nullptr; }
  // The memory DC; null when not created.
  HDC GetDC() const { return dc_.get(); }
  int GetWidth() const { return width_; }
  int GetHeight() const { return height_; }
  // Width x height pixels, top row first; null when not created. After GDI
  // drawing call GdiFlush before reading them.
  std::uint32_t* Pixels() const { return pixels_; }
  // Makes every pixel transparent.
  void Clear();
  // Copies the whole canvas, alpha included, onto `target` at (x, y).
  bool CopyTo(HDC target, int x = 0, int y = 0) const;
  // Blends the whole canvas over `target` at (x, y) by its per-pixel alpha.
  bool BlendOver(HDC target, int x = 0, int y = 0) const;
  // Frees the surface; the canvas can be created again.
  void Release();

 private:
  UniqueMemoryDc dc_;
  UniqueBitmap bitmap_;
  HGDIOBJ oldBitmap_ = nullptr;
  std::uint32_t* pixels_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

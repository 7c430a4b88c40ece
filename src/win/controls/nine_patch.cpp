#include "win/controls/nine_patch.h"

// GDI+ needs the COM declarations that a lean <windows.h> leaves out, and
// needs them first.
// clang-format off
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <cstdint>

#include "core/skin/alpha_blend.h"
#include "core/skin/nine_patch_geometry.h"
#include "core/skin/nine_patch_pixels.h"
#include "win/controls/picture_library.h"

namespace {

skin::NinePatchFrame ReadFrame(const skin::PngImage& picture) {
  const auto read = [&](int x, int y) {
    const std::uint32_t pixel = picture.pixels[y * picture.width + x];
    return skin::ClassifyFrameColor(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
  };
  skin::NinePatchFrame frame;
  for (int x = 0; x < picture.width; ++x) frame.top.push_back(read(x, 0));
  for (int y = 0; y < picture.height; ++y) frame.left.push_back(read(0, y));
  for (int y = 0; y < picture.height; ++y) frame.right.push_back(read(picture.width - 1, y));
  for (int x = 0; x < picture.width; ++x) frame.bottom.push_back(read(x, picture.height - 1));
  return frame;
}

// Between the sets' scales GDI+ resamples the picture: smooth, and the edges
// sample the picture itself rather than the transparency around it. It
// draws straight into the canvas's premultiplied pixels, keeping their
// transparency.
bool DrawResampled(CMemCanvas& canvas, const skin::PngImage& picture) {
  if (!CPictureLibrary::StartGdiPlus()) return false;
  GdiFlush();
  // GDI+ only reads the picture's pixels; its constructor takes them as
  // writable.
  Gdiplus::Bitmap source(
      picture.width, picture.height, picture.width * 4, PixelFormat32bppARGB,
      reinterpret_cast<BYTE*>(const_cast<std::uint32_t*>(picture.pixels.data())));
  Gdiplus::Bitmap surface(canvas.GetWidth(), canvas.GetHeight(), canvas.GetWidth() * 4,
                          PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(canvas.Pixels()));
  Gdiplus::Graphics graphics(&surface);
  graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  Gdiplus::ImageAttributes edges;
  edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  const Gdiplus::Rect target(0, 0, canvas.GetWidth(), canvas.GetHeight());
  graphics.DrawImage(&source, target, 0, 0, picture.width, picture.height, Gdiplus::UnitPixel,
                     &edges);
  graphics.Flush(Gdiplus::FlushIntentionSync);
  return true;
}

}  // namespace

bool CNinePatch::DrawPng(CMemCanvas& canvas, int id) {
  const LoadedPicture* picture = canvas.IsCreated() ? CPictureLibrary::Picture(id) : nullptr;
  if (picture == nullptr) return false;
  const skin::PngImage& image = picture->image;
  if (image.width != canvas.GetWidth() || image.height != canvas.GetHeight()) {
    return DrawResampled(canvas, image);
  }
  GdiFlush();
  skin::LayOver(
      picture->premultiplied,
      {canvas.Pixels(), static_cast<std::size_t>(canvas.GetWidth()) * canvas.GetHeight()});
  return true;
}

bool CNinePatch::DrawNinePatch(CMemCanvas& canvas, const skin::Scale& scale, int designId,
                               RECT* content) {
  return DrawNinePatch(canvas, scale.NinePatchPicture(designId), content,
                       scale.NinePatchFixedScale());
}

bool CNinePatch::DrawNinePatch(CMemCanvas& canvas, int id, RECT* content, skin::FixedScale fixed) {
  const LoadedPicture* picture = canvas.IsCreated() ? CPictureLibrary::Picture(id) : nullptr;
  if (picture == nullptr) return false;
  const skin::PngImage& image = picture->image;
  const skin::NinePatchLayout layout =
      skin::LayoutNinePatch(ReadFrame(image), canvas.GetWidth(), canvas.GetHeight(), fixed);
  if (!layout.drawable) return false;
  GdiFlush();
  canvas.Clear();
  skin::CopyNinePatch(layout,
                      {picture->premultiplied.data(), image.width, image.height, image.width},
                      {canvas.Pixels(), canvas.GetWidth(), canvas.GetHeight(), canvas.GetWidth()});
  if (content != nullptr) {
    *content = {layout.content.left, layout.content.top, layout.content.right,
                layout.content.bottom};
  }
  return true;
}

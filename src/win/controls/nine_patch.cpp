#include "win/controls/nine_patch.h"

#include <cstdint>
#include <optional>

#include "core/skin/nine_patch_geometry.h"
#include "core/skin/nine_patch_pixels.h"
#include "win/controls/picture_library.h"

namespace {

// The picture's one-pixel frame, read from its straight (not premultiplied)
// colours in one go: reading pixel by pixel cost more than all the rest of
// drawing a skin. None when the pixels cannot be read.
std::optional<skin::NinePatchFrame> ReadFrame(Gdiplus::Bitmap& picture) {
  const int width = static_cast<int>(picture.GetWidth());
  const int height = static_cast<int>(picture.GetHeight());
  const Gdiplus::Rect whole(0, 0, width, height);
  Gdiplus::BitmapData data{};
  if (picture.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) !=
      Gdiplus::Ok) {
    return std::nullopt;
  }
  skin::NinePatchFrame frame;
  const auto read = [&](int x, int y) {
    const auto* row = static_cast<const std::uint8_t*>(data.Scan0) + y * data.Stride;
    const std::uint8_t* pixel = row + 4 * x;  // blue, green, red, alpha
    return skin::ClassifyFrameColor(pixel[2], pixel[1], pixel[0]);
  };
  for (int x = 0; x < width; ++x) frame.top.push_back(read(x, 0));
  for (int y = 0; y < height; ++y) frame.left.push_back(read(0, y));
  for (int y = 0; y < height; ++y) frame.right.push_back(read(width - 1, y));
  for (int x = 0; x < width; ++x) frame.bottom.push_back(read(x, height - 1));
  picture.UnlockBits(&data);
  return frame;
}

}  // namespace

bool CNinePatch::DrawPng(CMemCanvas& canvas, int id) {
  Gdiplus::Bitmap* picture = canvas.IsCreated() ? CPictureLibrary::Picture(id) : nullptr;
  if (picture == nullptr) return false;
  // GDI+ draws straight into the canvas's pixels in their premultiplied
  // format, so the picture's transparency is kept.
  GdiFlush();
  Gdiplus::Bitmap surface(canvas.GetWidth(), canvas.GetHeight(), canvas.GetWidth() * 4,
                          PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(canvas.Pixels()));
  Gdiplus::Graphics graphics(&surface);
  const int width = static_cast<int>(picture->GetWidth());
  const int height = static_cast<int>(picture->GetHeight());
  const Gdiplus::Rect target(0, 0, canvas.GetWidth(), canvas.GetHeight());
  if (width == target.Width && height == target.Height) {
    graphics.DrawImage(picture, target, 0, 0, width, height, Gdiplus::UnitPixel);
  } else {
    // Between the sets' scales: smooth, and the edges sample the picture
    // itself rather than the transparency around it.
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    graphics.DrawImage(picture, target, 0, 0, width, height, Gdiplus::UnitPixel, &edges);
  }
  graphics.Flush(Gdiplus::FlushIntentionSync);
  return true;
}

// The stretching is done here, pixel by pixel, on the picture as GDI+ gives
// it in premultiplied form: GDI+'s own stretching rounds and, at some sizes,
// leaves the first row of a long stretch empty.
bool CNinePatch::DrawNinePatch(CMemCanvas& canvas, const skin::Scale& scale, int designId,
                               RECT* content) {
  return DrawNinePatch(canvas, scale.NinePatchPicture(designId), content,
                       scale.NinePatchFixedScale());
}

bool CNinePatch::DrawNinePatch(CMemCanvas& canvas, int id, RECT* content, skin::FixedScale fixed) {
  Gdiplus::Bitmap* picture = canvas.IsCreated() ? CPictureLibrary::Picture(id) : nullptr;
  if (picture == nullptr) return false;
  Gdiplus::Bitmap& bitmap = *picture;
  const std::optional<skin::NinePatchFrame> frame = ReadFrame(bitmap);
  if (!frame) return false;
  const skin::NinePatchLayout layout =
      skin::LayoutNinePatch(*frame, canvas.GetWidth(), canvas.GetHeight(), fixed);
  const int width = static_cast<int>(bitmap.GetWidth());
  const int height = static_cast<int>(bitmap.GetHeight());
  const Gdiplus::Rect whole(0, 0, width, height);
  Gdiplus::BitmapData data{};
  if (!layout.drawable || bitmap.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB,
                                          &data) != Gdiplus::Ok) {
    return false;
  }
  canvas.Clear();
  skin::CopyNinePatch(
      layout, {static_cast<const std::uint32_t*>(data.Scan0), width, height, data.Stride / 4},
      {canvas.Pixels(), canvas.GetWidth(), canvas.GetHeight(), canvas.GetWidth()});
  bitmap.UnlockBits(&data);
  if (content != nullptr) {
    *content = {layout.content.left, layout.content.top, layout.content.right,
                layout.content.bottom};
  }
  return true;
}

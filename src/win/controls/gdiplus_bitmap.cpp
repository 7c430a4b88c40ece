#include "win/controls/gdiplus_bitmap.h"

#include <atomic>
#include <optional>
#include <utility>

#include "core/skin/png_image.h"
#include "win/platform/resource_bytes.h"

namespace {

std::atomic<int> decodeCount{0};

}  // namespace

namespace skin {
int PictureDecodeCount() {
  return decodeCount.load();
}
}  // namespace skin

void CGdiPlusBitmapResource::Free() {
  bitmap_.reset();
  pixels_.clear();
}

bool CGdiPlusBitmapResource::Load(int id, const wchar_t* type, HMODULE module) {
  Free();
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  const std::span<const std::byte> file =
      platform::ResourceBytes(MAKEINTRESOURCEW(id), type, module);
  if (file.empty()) return false;
  ++decodeCount;
  std::optional<skin::PngImage> picture = skin::DecodePng(file);
  if (!picture) return false;
  pixels_ = std::move(picture->pixels);
  bitmap_ = std::make_unique<Gdiplus::Bitmap>(picture->width, picture->height, picture->width * 4,
                                              PixelFormat32bppARGB,
                                              reinterpret_cast<BYTE*>(pixels_.data()));
  if (bitmap_->GetLastStatus() == Gdiplus::Ok) return true;
  Free();
  return false;
}

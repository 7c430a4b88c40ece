#include "win/controls/picture_library.h"

// GDI+ needs the COM declarations that a lean <windows.h> leaves out, and
// needs them first.
// clang-format off
#include <objidl.h>
#include <gdiplus.h>
// clang-format on

#include <atomic>
#include <span>
#include <utility>

#include "core/skin/alpha_blend.h"
#include "win/platform/dll_loading.h"
#include "win/platform/resource_bytes.h"

namespace {

CPictureLibrary* newest = nullptr;
std::atomic<int> decodeCount{0};

}  // namespace

namespace skin {
int PictureDecodeCount() {
  return decodeCount.load();
}
}  // namespace skin

CPictureLibrary::CPictureLibrary() : previous_(newest) {
  newest = this;
}

CPictureLibrary::~CPictureLibrary() {
  newest = previous_;
  if (gdiPlusToken_ != 0) Gdiplus::GdiplusShutdown(gdiPlusToken_);
}

std::optional<LoadedPicture> CPictureLibrary::Load(int id, const wchar_t* type, HMODULE module) {
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  const std::span<const std::byte> file =
      platform::ResourceBytes(MAKEINTRESOURCEW(id), type, module);
  if (file.empty()) return std::nullopt;
  ++decodeCount;
  std::optional<skin::PngImage> image = skin::DecodePng(file);
  if (!image) return std::nullopt;
  LoadedPicture picture{std::move(*image), {}};
  picture.premultiplied.reserve(picture.image.pixels.size());
  for (std::uint32_t pixel : picture.image.pixels) {
    picture.premultiplied.push_back(skin::Premultiplied(pixel));
  }
  return picture;
}

const LoadedPicture* CPictureLibrary::Picture(int id) {
  if (newest == nullptr) return nullptr;
  auto [entry, added] = newest->pictures_.try_emplace(id);
  if (added) entry->second = Load(id);
  return entry->second ? &*entry->second : nullptr;
}

bool CPictureLibrary::StartGdiPlus() {
  if (newest == nullptr) return false;
  if (newest->gdiPlusToken_ != 0) return true;
  platform::BindGdiPlus();
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&newest->gdiPlusToken_, &input, nullptr) != Gdiplus::Ok) {
    newest->gdiPlusToken_ = 0;
  }
  return newest->gdiPlusToken_ != 0;
}

#include "win/controls/picture_library.h"

namespace {

CPictureLibrary* newest = nullptr;

}  // namespace

CPictureLibrary::CPictureLibrary() : previous_(newest) {
  Gdiplus::GdiplusStartupInput input;
  if (Gdiplus::GdiplusStartup(&token_, &input, nullptr) != Gdiplus::Ok) token_ = 0;
  newest = this;
}

CPictureLibrary::~CPictureLibrary() {
  newest = previous_;
  pictures_.clear();
  if (IsStarted()) Gdiplus::GdiplusShutdown(token_);
}

Gdiplus::Bitmap* CPictureLibrary::Picture(int id) {
  if (newest == nullptr || !newest->IsStarted()) return nullptr;
  auto [entry, added] = newest->pictures_.try_emplace(id);
  if (added) {
    auto picture = std::make_unique<CGdiPlusBitmapResource>();
    if (picture->Load(id)) entry->second = std::move(picture);
  }
  return entry->second ? entry->second->bitmap() : nullptr;
}

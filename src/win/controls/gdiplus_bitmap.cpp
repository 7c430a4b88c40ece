#include "win/controls/gdiplus_bitmap.h"

#include <atomic>
#include <cstring>

#include "win/platform/resource_bytes.h"

namespace {

std::atomic<int> decodeCount{0};

}  // namespace

namespace skin {
int PictureDecodeCount() {
  return decodeCount.load();
}
}  // namespace skin

CGdiPlusBitmapResource::~CGdiPlusBitmapResource() {
  Free();
}

void CGdiPlusBitmapResource::Free() {
  bitmap_.reset();
  if (memory_ != nullptr) {
    GlobalUnlock(memory_);
    GlobalFree(memory_);
    memory_ = nullptr;
  }
}

bool CGdiPlusBitmapResource::Load(int id, const wchar_t* type, HMODULE module) {
  Free();
  if (module == nullptr) module = GetModuleHandleW(nullptr);
  const std::span<const std::byte> bytes =
      platform::ResourceBytes(MAKEINTRESOURCEW(id), type, module);
  if (bytes.empty()) return false;

  memory_ = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (memory_ == nullptr) return false;
  void* copy = GlobalLock(memory_);
  if (copy == nullptr) {
    GlobalFree(memory_);
    memory_ = nullptr;
    return false;
  }
  std::memcpy(copy, bytes.data(), bytes.size());

  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(memory_, FALSE, &stream) == S_OK) {
    ++decodeCount;
    bitmap_.reset(Gdiplus::Bitmap::FromStream(stream, FALSE));
    stream->Release();
  }
  if (bitmap_ != nullptr && bitmap_->GetLastStatus() == Gdiplus::Ok) return true;
  Free();
  return false;
}

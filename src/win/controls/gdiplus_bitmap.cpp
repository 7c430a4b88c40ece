#include "win/controls/gdiplus_bitmap.h"

#include <atomic>
#include <cstring>

namespace {

std::atomic<int> decodeCount{0};

// A resource's bytes; null data when it is missing or empty.
struct ResourceBytes {
  const void* data = nullptr;
  DWORD size = 0;
};

ResourceBytes FindResourceBytes(int id, const wchar_t* type, HMODULE module) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(id), type);
  if (found == nullptr) return {};
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = size != 0 ? LoadResource(module, found) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return {};
  return {data, size};
}

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
  const ResourceBytes bytes = FindResourceBytes(id, type, module);
  if (bytes.data == nullptr) return false;

  memory_ = GlobalAlloc(GMEM_MOVEABLE, bytes.size);
  if (memory_ == nullptr) return false;
  void* copy = GlobalLock(memory_);
  if (copy == nullptr) {
    GlobalFree(memory_);
    memory_ = nullptr;
    return false;
  }
  std::memcpy(copy, bytes.data, bytes.size);

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

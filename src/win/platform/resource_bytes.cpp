#include "win/platform/resource_bytes.h"

namespace platform {

std::span<const std::byte> ResourceBytes(const wchar_t* name, const wchar_t* type,
                                         HMODULE module) {
  HRSRC found = FindResourceW(module, name, type);
  if (found == nullptr) return {};
  const DWORD size = SizeofResource(module, found);
  HGLOBAL loaded = size != 0 ? LoadResource(module, found) : nullptr;
  const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (data == nullptr) return {};
  return {static_cast<const std::byte*>(data), size};
}

}  // namespace platform

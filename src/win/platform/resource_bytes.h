#pragma once
// The bytes of one of a module's resources, where the loaded image holds
// them: valid while the module stays loaded, never to be written.

#include <windows.h>

#include <cstddef>
#include <span>

namespace platform {

// Empty when the module has no such resource, or an empty one.
std::span<const std::byte> ResourceBytes(const wchar_t* name, const wchar_t* type,
                                         HMODULE module = nullptr);

}  // namespace platform

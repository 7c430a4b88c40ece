#include "win/app/single_instance.h"

#include <cstdint>

namespace app {
namespace {

constexpr int kWindowWaitSteps = 50;
constexpr DWORD kWindowWaitStepMs = 100;

// A name of its own for each card folder, as Windows compares paths:
// whatever the letter case, however the folder was written.
std::wstring MappingName(const std::wstring& cardFolder) {
  std::wstring full(MAX_PATH, L'\0');
  DWORD length =
      GetFullPathNameW(cardFolder.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = GetFullPathNameW(cardFolder.c_str(), length, full.data(), nullptr);
  }
  full.resize(length < full.size() ? length : 0);
  if (full.empty()) full = cardFolder;
  if (full.back() != L'\\') full += L'\\';
  CharUpperBuffW(full.data(), static_cast<DWORD>(full.size()));
  // FNV-1a: object names may not hold the path's backslashes.
  std::uint64_t hash = 14695981039346656037ull;
  for (wchar_t c : full) hash = (hash ^ static_cast<std::uint16_t>(c)) * 1099511628211ull;
  wchar_t name[64];
  swprintf(name, 64, L"Local\\R470Setting-%016llx", static_cast<unsigned long long>(hash));
  return name;
}

}  // namespace

SingleInstance::SingleInstance(const std::wstring& cardFolder) {
  mapping_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(HWND),
                                    MappingName(cardFolder).c_str()));
  // Without the mapping (no resources) the program runs as it always did.
  if (!mapping_) return;
  heldElsewhere_ = GetLastError() == ERROR_ALREADY_EXISTS;
  if (heldElsewhere_) return;
  window_.reset(
      static_cast<HWND*>(MapViewOfFile(mapping_.get(), FILE_MAP_WRITE, 0, 0, sizeof(HWND))));
}

void SingleInstance::SetWindow(HWND window) {
  if (window_) *window_.get() = window;
}

bool ShowWindowHolding(const std::wstring& cardFolder) {
  UniqueKernelHandle mapping(
      OpenFileMappingW(FILE_MAP_READ, FALSE, MappingName(cardFolder).c_str()));
  if (!mapping) return false;
  SharedWindowView view(
      static_cast<HWND*>(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, sizeof(HWND))));
  if (!view) return false;
  for (int step = 0; step < kWindowWaitSteps; ++step) {
    const HWND window = *view.get();
    if (window != nullptr && IsWindow(window)) {
      if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
      SetForegroundWindow(window);
      return true;
    }
    Sleep(kWindowWaitStepMs);
  }
  return false;
}

}  // namespace app

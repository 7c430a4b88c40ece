#include "win/card/system_format_files.h"

#include <windows.h>

#include <algorithm>

#include "win/framework/handle.h"

namespace card {
namespace {

constexpr DWORD kChunkBytes = 1 << 20;

// A read-only, hidden or system file refuses to be replaced or deleted; and
// a copy's attributes must never reach the card.
void MakeOrdinary(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  constexpr DWORD kBlocking =
      FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kBlocking) != 0) {
    SetFileAttributesW(path.c_str(), attributes & ~kBlocking);
  }
}

}  // namespace

FileRead SystemFormatFiles::Read(const std::wstring& path, std::uint64_t maxBytes) {
  UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? FileRead::Result::kMissing : FileRead::Result::kUnreadable, {}};
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return {FileRead::Result::kUnreadable, {}};
  if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes)
    return {FileRead::Result::kTooLarge, {}};
  FileRead read{FileRead::Result::kRead, Bytes(static_cast<std::size_t>(size.QuadPart))};
  for (std::size_t done = 0; done < read.bytes.size();) {
    const DWORD wanted =
        static_cast<DWORD>(std::min<std::size_t>(kChunkBytes, read.bytes.size() - done));
    DWORD got = 0;
    if (!ReadFile(file.get(), read.bytes.data() + done, wanted, &got, nullptr) || got == 0) {
      return {FileRead::Result::kUnreadable, {}};
    }
    done += got;
  }
  return read;
}

void SystemFormatFiles::MakeFolders(const std::wstring& folder) {
  // Every level in turn, from the first below the drive's root ("E:\").
  for (size_t slash = folder.find(L'\\'); slash != std::wstring::npos;
       slash = folder.find(L'\\', slash + 1)) {
    const std::wstring level = folder.substr(0, slash + 1);
    if (level.size() > 3) CreateDirectoryW(level.c_str(), nullptr);
  }
}

bool SystemFormatFiles::Write(const std::wstring& path, std::span<const std::byte> bytes) {
  MakeOrdinary(path);
  UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  for (std::size_t done = 0; done < bytes.size();) {
    const DWORD wanted =
        static_cast<DWORD>(std::min<std::size_t>(kChunkBytes, bytes.size() - done));
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data() + done, wanted, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  // A full card may take the data into the cache and refuse it only here.
  return FlushFileBuffers(file.get()) && CloseHandle(file.release());
}

void SystemFormatFiles::Remove(const std::wstring& path) {
  MakeOrdinary(path);
  DeleteFileW(path.c_str());
}

}  // namespace card

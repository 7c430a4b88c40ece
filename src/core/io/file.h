#pragma once
// A C stdio file opened by a path in the platform's own characters. Move-
// only; every operation reports its failure as a value, including a failed
// flush or close, and nothing throws.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <span>
#include <string>

namespace io {

// A file name in the platform's own characters: UTF-16 on Windows, so
// folders with any characters work, bytes elsewhere; a std::filesystem::path
// converts to it. The program itself does without std::filesystem, which
// would bring the standard library's whole locale machinery into it.
#ifdef _WIN32
using PathString = std::wstring;
#else
using PathString = std::string;
#endif

// Deletes the file; false when it cannot be deleted or does not exist.
bool RemoveFile(const PathString& path);

class File {
 public:
  enum class Mode {
    kRead,     // existing file, read only
    kUpdate,   // read and write; created when missing, never truncated
    kReplace,  // write only; created when missing, emptied when present
  };

  // Opens path in mode; the result is closed (IsOpen() false) on failure.
  static File Open(const PathString& path, Mode mode);

  File() = default;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  // Closes a file still open; a failure here goes unreported, so writers call
  // Close() themselves.
  ~File();

  bool IsOpen() const { return file_ != nullptr; }

  // Length of the open file in bytes, taken from the file system without
  // reading the file; nullopt on error.
  std::optional<std::uint64_t> Size() const;

  // Reads from the current position until buffer is full or the file ends.
  // Returns the number of bytes read, nullopt on a read error.
  std::optional<std::size_t> Read(std::span<std::byte> buffer);

  // Writes all of bytes at the current position; false on any error.
  bool Write(std::span<const std::byte> bytes);

  // Flushes and closes; false when either fails. The file is closed afterwards
  // in every case.
  bool Close();

 private:
  explicit File(std::FILE* file) : file_(file) {}

  std::FILE* file_ = nullptr;
};

}  // namespace io

#include "core/io/file.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <utility>

namespace io {
namespace {

std::FILE* OpenPath(const PathString& path, const char* mode) {
#ifdef _WIN32
  std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
#else
  return std::fopen(path.c_str(), mode);
#endif
}

// stdio has no mode that creates a missing file without truncating an
// existing one, so a missing file is first created empty by appending to it
// (append never truncates, even if the file appeared meanwhile).
std::FILE* OpenForUpdate(const PathString& path) {
  std::FILE* file = OpenPath(path, "r+b");
  if (file != nullptr || errno != ENOENT) return file;
  std::FILE* created = OpenPath(path, "ab");
  if (created == nullptr || std::fclose(created) != 0) return nullptr;
  return OpenPath(path, "r+b");
}

}  // namespace

bool RemoveFile(const PathString& path) {
#ifdef _WIN32
  return _wremove(path.c_str()) == 0;
#else
  return std::remove(path.c_str()) == 0;
#endif
}

File File::Open(const PathString& path, Mode mode) {
  switch (mode) {
    case Mode::kRead:
      return File(OpenPath(path, "rb"));
    case Mode::kUpdate:
      return File(OpenForUpdate(path));
    case Mode::kReplace:
      return File(OpenPath(path, "wb"));
  }
  return File();
}

File::File(File&& other) noexcept : file_(std::exchange(other.file_, nullptr)) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    if (file_ != nullptr) std::fclose(file_);
    file_ = std::exchange(other.file_, nullptr);
  }
  return *this;
}

File::~File() {
  if (file_ != nullptr) std::fclose(file_);
}

std::optional<std::uint64_t> File::Size() const {
  if (file_ == nullptr) return std::nullopt;
#ifdef _WIN32
  struct _stat64 status;
  if (_fstat64(_fileno(file_), &status) != 0) return std::nullopt;
#else
  struct stat status;
  if (fstat(fileno(file_), &status) != 0) return std::nullopt;
#endif
  return static_cast<std::uint64_t>(status.st_size);
}

std::optional<std::size_t> File::Read(std::span<std::byte> buffer) {
  if (file_ == nullptr) return std::nullopt;
  std::size_t count = std::fread(buffer.data(), 1, buffer.size(), file_);
  if (count < buffer.size() && std::ferror(file_)) return std::nullopt;
  return count;
}

bool File::Write(std::span<const std::byte> bytes) {
  if (file_ == nullptr) return false;
  return std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool File::Close() {
  if (file_ == nullptr) return false;
  std::FILE* file = std::exchange(file_, nullptr);
  bool flushed = std::fflush(file) == 0;
  bool closed = std::fclose(file) == 0;
  return flushed && closed;
}

}  // namespace io

#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "core/io/file.h"

// Files by path, as the platform names and keeps them: the part of the file
// access that a platform without files of its own replaces.
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

}  // namespace io

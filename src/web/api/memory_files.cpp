// Files by path (core/io/file_paths.cpp on the PC) in the browser, which
// gives a page no file system: files are buffers in memory, named by path,
// and the core reads and writes them through ordinary stdio streams over
// those buffers, with the modes' meanings of the PC's files. The page's script
// copies the card's files in before the core opens them and out after a
// save (core_api.cpp).
#ifndef _GNU_SOURCE
#define _GNU_SOURCE  // fopencookie
#endif
#include <sys/types.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/io/file.h"

namespace io {
namespace {

using Bytes = std::vector<std::byte>;

std::map<PathString, Bytes>& Files() {
  static std::map<PathString, Bytes> files;
  return files;
}

// An open stream: its file's bytes and where it reads and writes next.
struct Stream {
  Bytes* bytes;
  std::size_t position = 0;
};

std::map<std::FILE*, Stream*>& Streams() {
  static std::map<std::FILE*, Stream*> streams;
  return streams;
}

ssize_t ReadStream(void* cookie, char* buffer, size_t size) {
  Stream& s = *static_cast<Stream*>(cookie);
  const std::size_t count = std::min(size, s.bytes->size() - std::min(s.position, s.bytes->size()));
  std::memcpy(buffer, s.bytes->data() + s.position, count);
  s.position += count;
  return static_cast<ssize_t>(count);
}

// Writes at the position, growing the file (with zeros over any gap).
ssize_t WriteStream(void* cookie, const char* buffer, size_t size) {
  Stream& s = *static_cast<Stream*>(cookie);
  if (s.bytes->size() < s.position + size) s.bytes->resize(s.position + size);
  std::memcpy(s.bytes->data() + s.position, buffer, size);
  s.position += size;
  return static_cast<ssize_t>(size);
}

int SeekStream(void* cookie, off_t* offset, int whence) {
  Stream& s = *static_cast<Stream*>(cookie);
  const off_t base = whence == SEEK_SET   ? 0
                     : whence == SEEK_CUR ? static_cast<off_t>(s.position)
                                          : static_cast<off_t>(s.bytes->size());
  if (base + *offset < 0) return -1;
  s.position = static_cast<std::size_t>(base + *offset);
  *offset = static_cast<off_t>(s.position);
  return 0;
}

int CloseStream(void* cookie) {
  auto* stream = static_cast<Stream*>(cookie);
  std::erase_if(Streams(), [stream](const auto& open) { return open.second == stream; });
  delete stream;
  return 0;
}

std::FILE* OpenStream(Bytes& bytes) {
  auto* stream = new Stream{&bytes};
  std::FILE* file = fopencookie(stream, "r+", {ReadStream, WriteStream, SeekStream, CloseStream});
  if (file == nullptr) {
    delete stream;
    return nullptr;
  }
  Streams()[file] = stream;
  return file;
}

}  // namespace

bool RemoveFile(const PathString& path) {
  return Files().erase(path) > 0;
}

File File::Open(const PathString& path, Mode mode) {
  auto found = Files().find(path);
  switch (mode) {
    case Mode::kRead:
      if (found == Files().end()) return File();
      break;
    case Mode::kUpdate:  // created when missing, never truncated
      break;
    case Mode::kReplace:
      Files()[path].clear();
      break;
  }
  return File(OpenStream(Files()[path]));
}

std::optional<std::uint64_t> File::Size() const {
  auto found = Streams().find(file_);
  if (found == Streams().end()) return std::nullopt;
  return found->second->bytes->size();
}

}  // namespace io

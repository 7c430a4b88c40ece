#include "core/io/file.h"

#include <utility>

namespace io {

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

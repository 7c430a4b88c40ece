#pragma once
// A zero-filled byte buffer aligned for unbuffered device writes: Windows
// rejects writes to a raw volume from buffers that are not sector-aligned,
// and 4096 bytes covers every sector size the formatter accepts.

#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <span>

namespace card {

inline constexpr std::size_t kSectorBufferAlignment = 4096;

class SectorBuffer {
 public:
  explicit SectorBuffer(std::size_t size)
      : data_(static_cast<std::byte*>(
            ::operator new(size, std::align_val_t{kSectorBufferAlignment}))),
        size_(size) {
    std::memset(data_.get(), 0, size_);
  }

  std::span<std::byte> Bytes() { return {data_.get(), size_}; }
  std::span<const std::byte> Bytes() const { return {data_.get(), size_}; }

 private:
  struct Free {
    void operator()(std::byte* p) const {
      ::operator delete(p, std::align_val_t{kSectorBufferAlignment});
    }
  };
  std::unique_ptr<std::byte, Free> data_;
  std::size_t size_;
};

}  // namespace card

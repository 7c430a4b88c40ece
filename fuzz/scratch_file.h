#pragma once
// The loaders under test take a path, so each input goes through a real
// file. One fixed name per process keeps parallel fuzzing jobs apart without
// creating a new file for every run; the file goes when the process ends.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "fuzz_require.h"

namespace fuzz {

class ScratchFile {
 public:
  explicit ScratchFile(const char* name)
      : path_(std::filesystem::temp_directory_path() /
              (std::string(name) + "." + std::to_string(getpid()))) {}
  ~ScratchFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
  }
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;

  const std::filesystem::path& path() const { return path_; }

  void Write(const std::uint8_t* data, std::size_t size) const {
    std::ofstream out(path_, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    FUZZ_REQUIRE(out.flush());
  }

  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::filesystem::path path_;
};

}  // namespace fuzz

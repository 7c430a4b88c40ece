#pragma once
// The files a card format reads and writes: the card's setup.cfg, the files
// the program carries (its program file and the web page, read on the PC
// and written to the card), and the copy of setup.cfg kept beside the
// program on the PC. On Windows they are the system's files; tests put a
// fake card in.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/card/kept_settings.h"
#include "core/io/file.h"

namespace card {

struct FileRead {
  enum class Result {
    kRead,        // bytes holds the whole file
    kMissing,     // there is no such file
    kUnreadable,  // it exists but could not be read in full
    kTooLarge,    // it exists but is larger than the reader asked for
  };
  Result result = Result::kMissing;
  Bytes bytes;
};

class FormatFiles {
 public:
  virtual ~FormatFiles() = default;

  // The whole file, when it holds at most maxBytes.
  virtual FileRead Read(const io::PathString& path, std::uint64_t maxBytes) = 0;

  // Makes folder (ending in a separator) and every missing folder above it,
  // as far as it can: a write into a folder that could not be made fails.
  virtual void MakeFolders(const io::PathString& folder) = 0;

  // Makes the file hold exactly bytes, whatever it held before and
  // whatever its attributes (a read-only file is replaced too; the new file
  // has ordinary attributes). False when that could not be done in full: the
  // file may then hold part of them.
  virtual bool Write(const io::PathString& path, std::span<const std::byte> bytes) = 0;

  // Deletes the file, as far as it can.
  virtual void Remove(const io::PathString& path) = 0;
};

}  // namespace card

#pragma once
// The files a card format reads and writes: the card's setup.cfg and
// program file, and the copy of setup.cfg kept beside the program on the
// PC. On Windows they are the system's files; tests put a fake card in.

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

  // Makes folder (ending in a separator) and every missing folder above it;
  // false when it does not exist afterwards.
  virtual bool MakeFolders(const io::PathString& folder) = 0;

  // Makes the file hold exactly bytes, whatever it held before and
  // whatever its attributes (a read-only file is replaced too; the new file
  // has ordinary attributes). False when that could not be done in full: the
  // file may then hold part of them.
  virtual bool Write(const io::PathString& path, std::span<const std::byte> bytes) = 0;

  // Deletes the file; false when it is still there.
  virtual bool Remove(const io::PathString& path) = 0;
};

}  // namespace card

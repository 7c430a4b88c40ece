#pragma once
// The files of a card format as the system's files: the card folder on the
// removable drive and the copy of setup.cfg beside the program.

#include "core/card/format_files.h"

namespace card {

class SystemFormatFiles final : public FormatFiles {
 public:
  FileRead Read(const std::wstring& path, std::uint64_t maxBytes) override;
  void MakeFolders(const std::wstring& folder) override;
  bool Write(const std::wstring& path, std::span<const std::byte> bytes) override;
  void Remove(const std::wstring& path) override;
};

}  // namespace card

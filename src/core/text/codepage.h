#pragma once
// The system ANSI code page, used for the text fields stored in setup.cfg and
// for language tables without a byte-order mark. Windows installs a CP_ACP
// implementation at start; the portable default is ISO-8859-1.

#include <string>
#include <string_view>

namespace text {

class CodePage {
 public:
  virtual ~CodePage() = default;
  // Bytes in the code page to UTF-16. Stops at nothing: callers cut at NUL.
  virtual std::u16string Decode(std::string_view bytes) const = 0;
  // UTF-16 to bytes in the code page; unmappable characters become '?'.
  virtual std::string Encode(std::u16string_view text) const = 0;
};

class Latin1CodePage : public CodePage {
 public:
  std::u16string Decode(std::string_view bytes) const override;
  std::string Encode(std::u16string_view text) const override;
};

// The code page in force (never null). SetCodePage(nullptr) restores Latin-1.
const CodePage& ActiveCodePage();
void SetCodePage(const CodePage* codePage);

}  // namespace text

#include "core/text/codepage.h"

namespace text {
namespace {
const Latin1CodePage kLatin1;
const CodePage* g_codePage = &kLatin1;
}  // namespace

std::u16string Latin1CodePage::Decode(std::string_view bytes) const {
  std::u16string out;
  out.reserve(bytes.size());
  for (char c : bytes) out.push_back(static_cast<unsigned char>(c));
  return out;
}

std::string Latin1CodePage::Encode(std::u16string_view textIn) const {
  std::string out;
  out.reserve(textIn.size());
  for (char16_t c : textIn) out.push_back(c < 0x100 ? static_cast<char>(c) : '?');
  return out;
}

const CodePage& ActiveCodePage() { return *g_codePage; }
void SetCodePage(const CodePage* codePage) { g_codePage = codePage ? codePage : &kLatin1; }

}  // namespace text

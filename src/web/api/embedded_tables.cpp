#include "web/api/embedded_tables.h"

#include "core/text/u16.h"

namespace web {
namespace {

// kEnglish, kFrench, kPageEnglish, kPageFrench: the tables' files, byte for byte.
#include "lang_images.inc"

template <std::size_t N>
std::span<const std::byte> Bytes(const unsigned char (&image)[N]) {
  return std::as_bytes(std::span(image));
}

}  // namespace

std::optional<std::span<const std::byte>> EmbeddedTables::Find(std::u16string_view name) const {
  const bool page = set_ == Set::kPage;
  if (text::EqualsIgnoringAsciiCase(name, u"english")) {
    return page ? Bytes(kPageEnglish) : Bytes(kEnglish);
  }
  if (text::EqualsIgnoringAsciiCase(name, u"french")) {
    return page ? Bytes(kPageFrench) : Bytes(kFrench);
  }
  return std::nullopt;
}

lang::CLangManager& PageLang() {
  static lang::CLangManager instance;
  return instance;
}

}  // namespace web

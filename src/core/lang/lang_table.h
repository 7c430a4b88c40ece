#pragma once
// One parsed language table: named sections of keyed texts, read from the
// INI-like image that the program carries as a resource.
//
// Image format: UTF-16LE behind the byte-order mark FF FE, or else text in
// the system ANSI code page (text::ActiveCodePage()). Lines end at LF; CR is
// dropped anywhere; a NUL or the end of the image ends the text. Each line
// is trimmed of white space, then read as the first that fits of:
//   [name]       opens section name (created once, re-opened by later headers
//                in any case); an empty name closes the section in force
//   ; remark     comment
//   key = value  entry; key and value may be in double quotes or apostrophes
//                (then kept exactly as written), otherwise they are trimmed and
//                an unquoted value ends at a ';'
//   anything     bare line: stored whole as a key with an empty text
// Entries outside any open section are ignored, and so are key lines without
// a key, or with anything but blanks between the key and '='. Backslashes are
// kept as they stand. Every entry stored from a key line writes the debug
// line [key] = "value" followed by LF.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "core/lang/case_insensitive_key.h"
#include "core/lang/lang_section.h"

namespace lang {

class CLangTable {
 public:
  // Adds the entries of a resource image to the table. False only for an
  // image shorter than two bytes; malformed lines are skipped silently. Reads
  // nothing outside image, whatever its bytes.
  bool Parse(std::span<const std::byte> image);

  struct Value {
    bool found;
    std::u16string text;
  };
  // The text of key in section (std::nullopt: the default section), or
  // {false, defaultText} when the section or the key does not exist.
  Value GetValue(std::optional<std::u16string_view> section, std::u16string_view key,
                 std::u16string_view defaultText) const;

  // The section called name (any case), or nullptr.
  const LangSection* FindSection(std::u16string_view name) const;
  // The section whose name is "text" in any case, or nullptr.
  const LangSection* DefaultSection() const;

  // Forgets every section.
  void Clear() { sections_.clear(); }

 private:
  void ParseLine(std::u16string_view line, LangSection*& open);

  std::unordered_map<std::u16string, LangSection, CaseInsensitiveHash, CaseInsensitiveEqual>
      sections_;
};

}  // namespace lang

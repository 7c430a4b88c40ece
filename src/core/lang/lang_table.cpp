#include "core/lang/lang_table.h"

#include "core/diag/diagnostics.h"
#include "core/text/codepage.h"

namespace lang {
namespace {

constexpr std::u16string_view kDefaultSectionName = u"text";

// The wide white-space class: the C set plus the Unicode spaces.
bool IsWideSpace(char16_t c) {
  return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
         (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F ||
         c == 0x3000;
}

bool IsBlank(char16_t c) {
  return c == u' ' || c == u'\t';
}
bool IsQuote(char16_t c) {
  return c == u'"' || c == u'\'';
}

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsWideSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsWideSpace(s.back())) s.remove_suffix(1);
  return s;
}

std::size_t SkipBlanks(std::u16string_view s, std::size_t pos) {
  while (pos < s.size() && IsBlank(s[pos])) ++pos;
  return pos;
}

// The text after an opening quote at s[0] up to the same quote, or nullopt
// when it is not closed.
std::optional<std::u16string_view> Quoted(std::u16string_view s) {
  std::size_t close = s.find(s[0], 1);
  if (close == std::u16string_view::npos) return std::nullopt;
  return s.substr(1, close - 1);
}

std::u16string DecodeImage(std::span<const std::byte> image) {
  if (image[0] == std::byte{0xFF} && image[1] == std::byte{0xFE}) {
    // An odd last byte is not a whole code unit and is left out.
    std::u16string text((image.size() - 2) / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
      text[i] = static_cast<char16_t>(std::to_integer<unsigned>(image[2 + 2 * i]) |
                                      std::to_integer<unsigned>(image[3 + 2 * i]) << 8);
    }
    return text;
  }
  // ANSI text ends at its NUL, or at the end of the image when it has none.
  std::string_view bytes(reinterpret_cast<const char*>(image.data()), image.size());
  return text::ActiveCodePage().Decode(bytes.substr(0, bytes.find('\0')));
}

struct KeyValue {
  std::u16string_view key;
  std::u16string_view value;
};

// Splits a trimmed line that holds '='; nullopt when the line is malformed.
std::optional<KeyValue> SplitKeyValue(std::u16string_view line) {
  KeyValue pair;
  std::size_t pos;
  if (IsQuote(line[0])) {
    std::optional<std::u16string_view> key = Quoted(line);
    if (!key) return std::nullopt;
    pair.key = *key;
    pos = key->size() + 2;
  } else {
    pos = line.find(u'=');
    pair.key = Trim(line.substr(0, pos));
  }
  if (pos >= line.size() || pair.key.empty()) return std::nullopt;
  pos = SkipBlanks(line, pos);
  if (pos >= line.size() || line[pos] != u'=') return std::nullopt;

  std::u16string_view rest = line.substr(SkipBlanks(line, pos + 1));
  if (!rest.empty() && IsQuote(rest[0])) {
    // Whatever follows the closing quote is ignored; without one the value
    // runs to the end of the line.
    pair.value = Quoted(rest).value_or(rest.substr(1));
  } else {
    pair.value = Trim(rest.substr(0, rest.find(u';')));
  }
  return pair;
}

}  // namespace

bool CLangTable::Parse(std::span<const std::byte> image) {
  if (image.size() < 2) return false;
  const std::u16string decoded = DecodeImage(image);
  std::u16string_view rest(decoded);
  rest = rest.substr(0, rest.find(u'\0'));

  LangSection* open = nullptr;
  std::u16string line;
  while (!rest.empty()) {
    std::size_t end = rest.find(u'\n');
    std::u16string_view raw = rest.substr(0, end);
    rest.remove_prefix(end == std::u16string_view::npos ? rest.size() : end + 1);
    line.clear();
    for (char16_t c : raw) {
      if (c != u'\r') line.push_back(c);
    }
    ParseLine(Trim(line), open);
  }
  return true;
}

void CLangTable::ParseLine(std::u16string_view line, LangSection*& open) {
  if (line.empty()) return;
  if (line.front() == u'[' && line.back() == u']') {
    std::u16string_view name = Trim(line.substr(1, line.size() - 2));
    // Section maps keep their elements in place, so the pointer stays valid.
    open = name.empty() ? nullptr : &sections_[std::u16string(name)];
    return;
  }
  if (line.front() == u';' || open == nullptr) return;
  if (line.find(u'=') == std::u16string_view::npos) {
    open->Set(line, u"");
    return;
  }
  if (std::optional<KeyValue> pair = SplitKeyValue(line)) {
    open->Set(pair->key, pair->value);
    std::u16string debugLine = u"[";
    debugLine.append(pair->key).append(u"] = \"").append(pair->value).append(u"\"\n");
    diag::Write(debugLine);
  }
}

CLangTable::Value CLangTable::GetValue(std::optional<std::u16string_view> section,
                                       std::u16string_view key,
                                       std::u16string_view defaultText) const {
  const LangSection* found = section ? FindSection(*section) : DefaultSection();
  const std::u16string* text = found ? found->Find(key) : nullptr;
  if (text == nullptr) return {false, std::u16string(defaultText)};
  return {true, *text};
}

const LangSection* CLangTable::FindSection(std::u16string_view name) const {
  auto it = sections_.find(name);
  return it == sections_.end() ? nullptr : &it->second;
}

const LangSection* CLangTable::DefaultSection() const {
  return FindSection(kDefaultSectionName);
}

}  // namespace lang

#include "web/api/json.h"

#include <cstdio>

#include "core/text/u16.h"

namespace web {

void Json::BeginValue() {
  if (!first_) out_ += ',';
  first_ = false;
}

Json& Json::Open(char bracket) {
  BeginValue();
  out_ += bracket;
  first_ = true;
  return *this;
}

Json& Json::Close(char bracket) {
  out_ += bracket;
  first_ = false;
  return *this;
}

Json& Json::Key(std::string_view name) {
  Ascii(name);
  out_ += ':';
  first_ = true;
  return *this;
}

Json& Json::Text(std::u16string_view text) {
  BeginValue();
  out_ += '"';
  for (char c : text::ToUtf8(text)) {
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out_ += escaped;
    } else {
      out_ += c;
    }
  }
  out_ += '"';
  return *this;
}

Json& Json::Ascii(std::string_view text) {
  return Text(text::Ascii(text));
}

Json& Json::Number(long long number) {
  BeginValue();
  out_ += std::to_string(number);
  return *this;
}

Json& Json::Flag(bool flag) {
  BeginValue();
  out_ += flag ? "true" : "false";
  return *this;
}

}  // namespace web

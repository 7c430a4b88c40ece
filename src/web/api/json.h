#pragma once
// A JSON text written piece by piece, for the page's script: commas go in
// by themselves, text is UTF-16 in and UTF-8 out.

#include <string>
#include <string_view>

namespace web {

class Json {
 public:
  Json& Open(char bracket);   // '{' or '['
  Json& Close(char bracket);  // '}' or ']'
  Json& Key(std::string_view name);
  Json& Text(std::u16string_view text);
  Json& Ascii(std::string_view text);
  Json& Number(long long number);
  Json& Flag(bool flag);

  const std::string& str() const { return out_; }

 private:
  void BeginValue();

  std::string out_;
  bool first_ = true;  // nothing written yet in the open object or array, or a key just was
};

}  // namespace web

#include "win/platform/platform_seams.h"

#include <windows.h>

#include "core/diag/diagnostics.h"
#include "core/text/codepage.h"
#include "win/platform/wide.h"

namespace platform {
namespace {

class DebugOutputSink : public diag::Sink {
 public:
  void Write(std::u16string_view line) override {
    std::u16string copy(line);
    OutputDebugStringW(Wide(copy));
  }
};

class AnsiCodePage : public text::CodePage {
 public:
  std::u16string Decode(std::string_view bytes) const override {
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()),
                                nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) {
      MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    }
    return ToU16(out);
  }

  std::string Encode(std::u16string_view in) const override {
    if (in.empty()) return {};
    std::wstring_view w = Wide(in);
    int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
      WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), out.data(), n,
                          nullptr, nullptr);
    }
    return out;
  }
};

}  // namespace

void InstallWindowsSeams() {
  static DebugOutputSink sink;
  static AnsiCodePage codePage;
  diag::SetSink(&sink);
  text::SetCodePage(&codePage);
}

}  // namespace platform

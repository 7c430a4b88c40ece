#include "win/platform/platform_seams.h"

#include <windows.h>

#include <atomic>

#include "core/diag/diagnostics.h"
#include "core/text/codepage.h"
#include "win/platform/wide.h"

namespace platform {
namespace {

// Windows hands each line to a debugger, or to a program that collects
// debug output through the DBWIN_BUFFER section, and drops it when neither
// is there; finding that out costs an exception and, under Wine, round trips
// to its server, for every line. A start writes hundreds of lines (one per
// language text, one per time zone), so the sink asks at most once a second
// whether a collector runs and meanwhile drops the lines nobody would get.
class DebugOutputSink : public diag::Sink {
 public:
  void Write(std::u16string_view line) override {
    if (!IsDebuggerPresent() && !CollectorRuns()) return;
    std::u16string copy(line);
    OutputDebugStringW(Wide(copy));
  }

 private:
  static constexpr ULONGLONG kRecheckMs = 1000;

  // Lines come from the worker thread of a card format too.
  bool CollectorRuns() {
    const ULONGLONG now = GetTickCount64();
    const ULONGLONG checked = checkedAt_.load();
    if (checked != 0 && now - checked < kRecheckMs) return collector_.load();
    bool found = false;
    for (const wchar_t* name : {L"DBWIN_BUFFER", L"Global\\DBWIN_BUFFER"}) {
      if (HANDLE section = OpenFileMappingW(FILE_MAP_READ, FALSE, name)) {
        CloseHandle(section);
        found = true;
      }
    }
    collector_.store(found);
    checkedAt_.store(now);
    return found;
  }

  std::atomic<ULONGLONG> checkedAt_{0};  // 0: never
  std::atomic<bool> collector_{false};
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

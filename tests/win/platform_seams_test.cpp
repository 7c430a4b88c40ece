#include <gtest/gtest.h>
#include <windows.h>

#include "core/diag/diagnostics.h"
#include "core/text/codepage.h"
#include "win/platform/platform_seams.h"

TEST(PlatformSeams, AnsiCodePageRoundTripsWesternText) {
  platform::InstallWindowsSeams();
  const std::u16string text = u"Caf\u00e9 R470";
  std::string bytes = text::ActiveCodePage().Encode(text);
  EXPECT_EQ(text::ActiveCodePage().Decode(bytes), text);
  diag::CollectingSink sink;
  diag::Write(u"line");
  ASSERT_EQ(sink.lines.size(), 1u);
}

// Lines reach a program that collects debug output, even one that starts
// after the program wrote lines nobody collected.
TEST(PlatformSeams, DebugLinesReachACollectorStartedLater) {
  platform::InstallWindowsSeams();
  diag::Write(u"nobody collects this one");
  HANDLE bufferReady = CreateEventW(nullptr, FALSE, TRUE, L"DBWIN_BUFFER_READY");
  HANDLE dataReady = CreateEventW(nullptr, FALSE, FALSE, L"DBWIN_DATA_READY");
  HANDLE section =
      CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, L"DBWIN_BUFFER");
  ASSERT_TRUE(bufferReady && dataReady && section);
  const auto* view = static_cast<const char*>(MapViewOfFile(section, FILE_MAP_READ, 0, 0, 4096));
  ASSERT_NE(view, nullptr);
  Sleep(1100);  // the sink looks for a collector at most once a second

  diag::Write(u"Setting Dialog Update");

  ASSERT_EQ(WaitForSingleObject(dataReady, 5000), WAIT_OBJECT_0) << "no line came";
  EXPECT_EQ(*reinterpret_cast<const DWORD*>(view), GetCurrentProcessId());
  EXPECT_STREQ(view + sizeof(DWORD), "Setting Dialog Update");
  UnmapViewOfFile(view);
  for (HANDLE h : {section, dataReady, bufferReady}) CloseHandle(h);
}

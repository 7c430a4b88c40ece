#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "core/diag/diagnostics.h"
#include "core/text/u16.h"
#include "core/timezone/time_zone_info_manager.h"
#include "core/timezone/zone_exclusion.h"
#include "win/platform/wide.h"
#include "win/timezone/pc_time_zone.h"
#include "win/timezone/registry_time_zone_source.h"

// Wine carries a full Windows time-zone database in its registry.
TEST(RegistryTimeZones, CatalogueIsTheDatabaseMinusExcludedZonesSortedEastToWest) {
  diag::CollectingSink sink;
  CTimeZoneInfoManager zones{tz::RegistryTimeZoneSource()};
  ASSERT_GT(zones.GetCount(), 100);
  EXPECT_EQ(sink.lines.size(), static_cast<size_t>(zones.GetCount()));

  std::set<std::u16string> kept;
  for (const std::u16string& name : tz::RegistryTimeZoneSource().ZoneKeyNames()) {
    if (!tz::IsExcludedZoneName(name)) kept.insert(name);
  }
  std::set<std::u16string> listed;
  for (int i = 0; i < zones.GetCount(); ++i) {
    const CRegTimeZoneInfo& zone = zones.GetAt(i);
    SCOPED_TRACE(text::ToUtf8(zone.keyName));
    listed.insert(zone.keyName);
    EXPECT_FALSE(zone.displayName.empty());
    if (i > 0) {
      const CRegTimeZoneInfo& previous = zones.GetAt(i - 1);
      EXPECT_GE(previous.bias, zone.bias);
      if (previous.bias == zone.bias) {
        EXPECT_LE(previous.standardName, zone.standardName);
      }
    }
  }
  EXPECT_EQ(listed, kept);
  EXPECT_EQ(listed.count(u"UTC"), 0u);
  EXPECT_EQ(listed.count(u"Central Standard Time (Mexico)"), 1u);

  int pacific = zones.FindZone(u"Pacific Standard Time", -480);
  ASSERT_GE(pacific, 0);
  EXPECT_EQ(zones.GetAt(pacific).standardName, u"Pacific Standard Time");
  EXPECT_EQ(zones.GetAt(pacific).daylightBias, 60);
  EXPECT_EQ(zones.GetAt(pacific).daylightDate[1], 3);  // daylight time from March
}

namespace {

constexpr wchar_t kProbeFileVariable[] = L"DASHCAM_TZ_PROBE_FILE";

struct ProbeReport {
  std::string pcKeyName;  // the zone that Windows itself names for the process
  std::string pcDisplayName;
  int index = -1;  // FindCurrentZone's answer
  std::string foundKeyName;
};

// Wine takes a process's time zone from the Unix TZ variable when the
// process starts, so the probe runs in a fresh process started through Unix
// env(1). Wine cannot wait on such a process; the probe's report appears,
// complete, by rename.
bool RunProbe(const std::wstring& tzName, ProbeReport& report, std::string& failure) {
  wchar_t exe[MAX_PATH];
  wchar_t temp[MAX_PATH];
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  GetTempPathW(MAX_PATH, temp);
  const std::wstring file =
      std::wstring(temp) + L"tz_probe_" + std::to_wstring(GetCurrentProcessId()) + L".txt";
  DeleteFileW(file.c_str());
  std::wstring command = L"/usr/bin/env TZ=" + tzName + L" " + kProbeFileVariable + L"=" + file +
                         L" wine \"" + exe +
                         L"\" --gtest_filter=PcTimeZoneProbe.* --gtest_also_run_disabled_tests";
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  HANDLE nul =
      CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = startup.hStdError = nul;
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      nullptr, &startup, &process);
  CloseHandle(nul);
  if (!started) {
    failure = "cannot start /usr/bin/env: not under Wine";
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  for (int waited = 0; waited < 300 && GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES;
       ++waited) {
    Sleep(100);
  }
  std::ifstream in(std::filesystem::path{file});
  const bool read = std::getline(in, report.pcKeyName) && std::getline(in, report.pcDisplayName) &&
                    in >> report.index && in.ignore() && std::getline(in, report.foundKeyName);
  in.close();
  DeleteFileW(file.c_str());
  if (!read) failure = "no complete probe report within 30 seconds";
  return read;
}

}  // namespace

// Run only by CurrentTimeZone.FollowsTheProcessTimeZone, in a child process.
TEST(PcTimeZoneProbe, DISABLED_ReportsCurrentZone) {
  const wchar_t* path = _wgetenv(kProbeFileVariable);
  ASSERT_NE(path, nullptr);
  const tz::PcTimeZone pc = tz::ReadPcTimeZone();
  CTimeZoneInfoManager zones{tz::RegistryTimeZoneSource()};
  const int index = zones.FindCurrentZone(pc);
  const std::wstring partial = std::wstring(path) + L".part";
  {
    std::ofstream out(std::filesystem::path{partial});
    out << text::ToUtf8(pc.keyName) << '\n'
        << text::ToUtf8(pc.displayName) << '\n'
        << index << '\n'
        << (index >= 0 ? text::ToUtf8(zones.GetAt(index).keyName) : "") << '\n';
  }
  ASSERT_TRUE(MoveFileW(partial.c_str(), path));
}

TEST(CurrentTimeZone, FollowsTheProcessTimeZone) {
  struct Case {
    const wchar_t* tz;
    const char* keyName;
    const char* displayName;
    bool listed;  // false: an excluded zone, which the catalogue cannot find
  } cases[] = {
      {L"America/Los_Angeles", "Pacific Standard Time", "(UTC-08:00) Pacific Time (US & Canada)",
       true},
      {L"Asia/Tokyo", "Tokyo Standard Time", "(UTC+09:00) Osaka, Sapporo, Tokyo", true},
      {L"Asia/Dhaka", "Bangladesh Standard Time", "(UTC+06:00) Dhaka", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(text::ToUtf8(U16(c.tz)));
    ProbeReport report;
    std::string failure;
    if (!RunProbe(c.tz, report, failure) && failure.starts_with("cannot start")) {
      GTEST_SKIP() << failure;
    }
    ASSERT_EQ(failure, "");
    EXPECT_EQ(report.pcKeyName, c.keyName);
    EXPECT_EQ(report.pcDisplayName, c.displayName);
    if (c.listed) {
      EXPECT_EQ(report.foundKeyName, c.keyName);
    } else {
      EXPECT_EQ(report.index, -1);
    }
  }
}

// Which files a card format touches, which drives it accepts, and how the
// system engine ends when it has nothing to format.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "core/diag/diagnostics.h"
#include "win/card/format_engine.h"
#include "win/card/format_paths.h"
#include "win/card/raw_volume_device.h"

namespace {

constexpr wchar_t kProgram[] = L"C:\\Users\\me\\AppData\\Local\\Vistapane\\R470_Setting.exe";

TEST(FormatPaths, FollowTheCardFolderAndTheProgram) {
  const struct {
    const wchar_t* cardFolder;
    card::CardFormatPaths expected;
  } cases[] = {
      {L"E:\\SETTING\\",
       {L"E:\\", L"E:\\SETTING\\setup.cfg", kProgram,
        L"C:\\Users\\me\\AppData\\Local\\Vistapane\\setup.cfg", L"E:\\SETTING\\R470_Setting.exe"}},
      {L"e:\\",
       {L"e:\\", L"e:\\setup.cfg", kProgram, L"C:\\Users\\me\\AppData\\Local\\Vistapane\\setup.cfg",
        L"e:\\R470_Setting.exe"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.cardFolder)));
    const card::CardFormatPaths paths = card::MakeCardFormatPaths(c.cardFolder, kProgram);
    EXPECT_EQ(paths.driveRoot, c.expected.driveRoot);
    EXPECT_EQ(paths.cardSettings, c.expected.cardSettings);
    EXPECT_EQ(paths.programPath, c.expected.programPath);
    EXPECT_EQ(paths.backupSettings, c.expected.backupSettings);
    EXPECT_EQ(paths.cardProgram, c.expected.cardProgram);
  }
}

TEST(FormatPaths, OnlyADriveLetterGivesADriveRoot) {
  for (const wchar_t* folder : {L"\\\\server\\share\\SETTING\\", L"SETTING\\", L"\\SETTING\\",
                                L"EE:\\SETTING\\", L"1:\\SETTING\\", L"", L"E:SETTING"}) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(folder)));
    EXPECT_EQ(card::MakeCardFormatPaths(folder, kProgram).driveRoot, L"");
  }
}

TEST(FormatPaths, KnowWhenTheProgramRunsFromTheCard) {
  const struct {
    const wchar_t* cardFolder;
    const wchar_t* program;
    bool fromCard;
  } cases[] = {
      {L"E:\\SETTING\\", L"E:\\SETTING\\R470_Setting.exe", true},
      {L"E:\\SETTING\\", L"e:\\other\\R470_Setting.exe", true},
      {L"E:\\SETTING\\", kProgram, false},
      {L"\\\\server\\SETTING\\", L"\\\\server\\SETTING\\R470_Setting.exe", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.program)));
    EXPECT_EQ(card::ProgramRunsFromCard(card::MakeCardFormatPaths(c.cardFolder, c.program)),
              c.fromCard);
  }
}

// A drive letter that names no drive on this machine.
std::wstring MissingDriveRoot() {
  const DWORD drives = GetLogicalDrives();
  for (wchar_t letter = L'Y'; letter > L'C'; --letter) {
    if ((drives & (1u << (letter - L'A'))) == 0 &&
        GetDriveTypeW((std::wstring(1, letter) + L":\\").c_str()) == DRIVE_NO_ROOT_DIR) {
      return std::wstring(1, letter) + L":\\";
    }
  }
  return {};
}

TEST(RawVolumeDevice, OpensNothingButARemovableDrivesRoot) {
  const std::wstring missing = MissingDriveRoot();
  ASSERT_FALSE(missing.empty());
  for (const std::wstring& root : {std::wstring(L"C:\\"), missing, std::wstring(L"C:"),
                                   std::wstring(L"C:\\windows\\"), std::wstring(L"\\\\.\\C:"),
                                   std::wstring()}) {
    SCOPED_TRACE(testing::PrintToString(root));
    EXPECT_FALSE(card::SystemFormatEngine().CanFormat(root));
    card::OpenedRawVolume opened = card::RawVolumeDevice::Open(root);
    EXPECT_EQ(opened.device, nullptr);
    EXPECT_EQ(opened.status.fault, card::DeviceFault::kOpenFailed);
    EXPECT_EQ(opened.status.systemCode, ERROR_INVALID_DRIVE);
  }
}

std::vector<std::pair<int, int>> reports;  // command, BOOLEAN flag for 11

BOOLEAN WINAPI RecordReport(int command, DWORD, PVOID actionInfo) {
  reports.emplace_back(command, command == 11 ? *static_cast<BOOLEAN*>(actionInfo) : -1);
  return TRUE;
}

TEST(SystemFormatEngine, WithoutWindowsFormatterEndsAsAFailureWhenTheVolumeIsRefused) {
  HMODULE fmifs = LoadLibraryExW(L"fmifs.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (fmifs != nullptr) {
    FreeLibrary(fmifs);
    GTEST_SKIP() << "Windows formats here itself";
  }
  const std::wstring missing = MissingDriveRoot();
  ASSERT_FALSE(missing.empty());
  diag::CollectingSink sink;
  reports.clear();

  EXPECT_EQ(card::SystemFormatEngine().Format(missing, RecordReport), card::FormatAttempt::kTried);

  EXPECT_EQ(reports, (std::vector<std::pair<int, int>>{{11, FALSE}}));
  EXPECT_EQ(sink.lines, std::vector<std::u16string>{u"LoadLibrary(fmifs.dll) failed"});
}

}  // namespace

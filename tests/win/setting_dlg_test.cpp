// The main window run for real (modal loop, skin, language) against a card
// folder on disk, driven from a timer on the window's own thread.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "core/settings/clock_time.h"
#include "core/settings/settings_record.h"
#include "main_window_support.h"
#include "resource_ids.h"
#include "win/framework/handle.h"

namespace {

using namespace main_window_test;

class MainWindowTest : public CardFolderTest {
 protected:
  // A setup.cfg of the older 420-byte layout with a few fields set.
  void WriteOldLayoutFile(int language) {
    SettingsRecord record{};
    record.checkSum = 420;
    record.configVersion = 0x00010003;
    record.frontBrightness = 2;
    record.timeZoneOffset = -480;
    record.language = language;  // beyond 420 bytes: not in the file
    std::string bytes(reinterpret_cast<const char*>(&record), 420);
    WriteAll(folder_ / "setup.cfg", bytes);
  }

  // Starts the window on a record of `language` and checks its title.
  void ExpectTitleForRecordLanguage(int language, const std::wstring& title) {
    SettingsRecord record{};
    record.checkSum = 432;
    record.language = language;
    WriteAll(folder_ / "setup.cfg",
             std::string(reinterpret_cast<const char*>(&record), sizeof(record)));
    RunMainWindow(folder_, {[&](HWND main) {
                              EXPECT_EQ(WindowText(main), title);
                              return true;
                            },
                            Command(IDC_MAIN_CANCEL)});
  }
};

TEST_F(MainWindowTest, SaveOnAnEmptyCardWritesTheWholeDefaultRecordAndNoClockFile) {
  RunMainWindow(folder_, {Command(IDC_MAIN_SAVE)});
  std::string saved = ReadAll(folder_ / "setup.cfg");
  ASSERT_EQ(saved.size(), 432u);
  SettingsRecord record;
  memcpy(&record, saved.data(), sizeof(record));
  EXPECT_EQ(record.checkSum, 432u);
  EXPECT_STREQ(record.productName, "R470");
  EXPECT_EQ(record.stopTimerHours, 48);
  EXPECT_FALSE(fs::exists(folder_ / "time.dat"));
  EXPECT_EQ(settingsRecord, nullptr) << "the record is freed when the window closes";
}

TEST_F(MainWindowTest, CancelAndTheCloseBoxWriteNothing) {
  for (int id : {IDC_MAIN_CANCEL, IDC_MAIN_CLOSE}) {
    SCOPED_TRACE(id);
    RunMainWindow(folder_, {Command(id)});
    EXPECT_FALSE(fs::exists(folder_ / "setup.cfg"));
  }
}

TEST_F(MainWindowTest, AClockFileLeftOnTheCardIsWrittenBackUnchanged) {
  WriteOldLayoutFile(0);
  const std::string line = "2026,12,08,03,59,07,-0800";
  WriteAll(folder_ / "time.dat", line);
  RunMainWindow(folder_, {Command(IDC_MAIN_SAVE)});
  EXPECT_EQ(ReadAll(folder_ / "time.dat"), line);
  std::string saved = ReadAll(folder_ / "setup.cfg");
  ASSERT_EQ(saved.size(), 420u) << "an older layout keeps its length";
}

TEST_F(MainWindowTest, InitializeRestoresDefaultsButKeepsTheCamerasOwnWords) {
  WriteOldLayoutFile(0);
  RunMainWindow(folder_, {Command(IDC_MAIN_INITIALIZE),
                          [](HWND) {
                            EXPECT_EQ(settingsRecord->frontBrightness, 1);
                            EXPECT_EQ(settingsRecord->configVersion, 0x00010003u);
                            EXPECT_EQ(settingsRecord->checkSum, 420u);
                            return true;
                          },
                          Command(IDC_MAIN_CANCEL)});
}

TEST_F(MainWindowTest, TheRecordsLanguageChoosesTheTexts) {
  struct Case {
    int language;
    const wchar_t* title;
  } cases[] = {{0, L"Dash cam setting"}, {1, L"Param\u00e9trage de la Dashcam"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    ExpectTitleForRecordLanguage(c.language, c.title);
  }
}

// A time.dat that cannot be written is reported the same way, and the
// retry still writes the older camera's setup.cfg at its own length.
TEST_F(MainWindowTest, AFailedClockFileIsReportedAndARetryKeepsTheLayoutLength) {
  WriteOldLayoutFile(0);
  fs::create_directory(folder_ / "time.dat");  // cannot be opened as a file
  bool sawMessage = false;
  RunMainWindow(folder_, {[](HWND) {
                            clockSet = 1;
                            clockTime = SystemTime{2026, 12, 2, 8, 3, 59, 7, 0};
                            return true;
                          },
                          Command(IDC_MAIN_SAVE),
                          [&](HWND) {
                            HWND box = FindThreadDialog(false);
                            if (box == nullptr) return false;
                            sawMessage = true;
                            PostMessageW(box, WM_COMMAND, IDOK, 0);
                            fs::remove(folder_ / "time.dat");
                            return true;
                          },
                          Command(IDC_MAIN_SAVE)});
  EXPECT_TRUE(sawMessage);
  EXPECT_EQ(ReadAll(folder_ / "setup.cfg").size(), 420u);
  EXPECT_EQ(ReadAll(folder_ / "time.dat"), "2026,12,08,03,59,07,-0800");
}

// The tabs show exactly the page they stand for; the others keep existing.
TEST_F(MainWindowTest, EachTabShowsItsPageOnly) {
  std::vector<Step> steps;
  const int tabs[] = {IDC_MAIN_TAB_PARKING, IDC_MAIN_TAB_CONTINUOUS, IDC_MAIN_TAB_COMMON};
  for (int tab : tabs) {
    steps.push_back(Command(tab));
    steps.push_back([tab](HWND main) {
      std::vector<HWND> pages = Pages(main);
      EXPECT_GE(pages.size(), 3u);
      int visible = 0;
      for (HWND page : pages) visible += IsWindowVisible(page) ? 1 : 0;
      EXPECT_EQ(visible, 1) << "tab " << tab;
      return true;
    });
  }
  steps.push_back(Command(IDC_MAIN_CANCEL));
  RunMainWindow(folder_, steps);
}

// What the driver clicks on the pages is what Save puts on the card.
TEST_F(MainWindowTest, ChoicesOnThePagesReachTheCard) {
  RunMainWindow(folder_, {[](HWND main) {
                            HWND check = PageControl(main, IDC_COMMON_CLOCK_SET_CHECK);
                            HWND vga = PageControl(main, IDC_CONTINUOUS_FRONT_RES_VGA);
                            EXPECT_TRUE(check && vga);
                            SendMessageW(check, BM_CLICK, 0, 0);
                            SendMessageW(vga, BM_CLICK, 0, 0);
                            return true;
                          },
                          Command(IDC_MAIN_SAVE)});
  std::string saved = ReadAll(folder_ / "setup.cfg");
  ASSERT_EQ(saved.size(), 432u);
  SettingsRecord record;
  memcpy(&record, saved.data(), sizeof(record));
  EXPECT_EQ(record.contFrontResolution, 1);
  std::string clock = ReadAll(folder_ / "time.dat");
  EXPECT_EQ(clock.size(), 25u) << clock;
  EXPECT_EQ(clock.substr(20), "-0800");
}

// The viewer program, while it runs, decides the language over the record.
TEST_F(MainWindowTest, TheRunningViewersLanguageWins) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\KORVANE", 0, nullptr, 0,
                            KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  HWND viewer = CreateWindowExW(0, L"STATIC", L"KORVANE DASHCAM PC VIEWER", WS_POPUP, 0, 0, 1, 1,
                                nullptr, nullptr, nullptr, nullptr);
  struct Case {
    const wchar_t* value;
    int recordLanguage;
    const wchar_t* title;
  } cases[] = {{L"FRENCH", 0, L"Param\u00e9trage de la Dashcam"},
               {L"german", 1, L"Dash cam setting"},
               {L"", 1, L"Param\u00e9trage de la Dashcam"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    RegSetValueExW(key, L"LANGUAGE", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.value),
                   static_cast<DWORD>((wcslen(c.value) + 1) * sizeof(wchar_t)));
    ExpectTitleForRecordLanguage(c.recordLanguage, c.title);
  }
  DestroyWindow(viewer);
  RegCloseKey(key);
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\KORVANE", KEY_WOW64_32KEY, 0);
}

// A card that cannot be written: the driver is told, the window and its
// edits stay, time.dat is not touched, and a later Save succeeds.
TEST_F(MainWindowTest, AFailedSaveKeepsTheWindowAndTheEdits) {
  WriteOldLayoutFile(0);
  const std::string before = ReadAll(folder_ / "setup.cfg");
  UniqueKernelHandle lock;
  bool sawMessage = false;
  RunMainWindow(
      folder_,
      {[&](HWND) {
         // Locked once loaded, as a card that stopped taking writes.
         lock.reset(CreateFileW((folder_ / "setup.cfg").c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr));
         EXPECT_TRUE(lock);
         settingsRecord->volume = 5;  // an edit
         clockSet = 1;
         clockTime = SystemTime{2026, 12, 2, 8, 3, 59, 7, 0};
         return true;
       },
       Command(IDC_MAIN_SAVE),
       [&](HWND) {
         HWND box = FindThreadDialog(false);
         if (box == nullptr) return false;
         sawMessage = true;
         PostMessageW(box, WM_COMMAND, IDOK, 0);
         return true;
       },
       [&](HWND main) {
         EXPECT_TRUE(IsWindowVisible(main));
         EXPECT_NE(settingsRecord, nullptr);
         EXPECT_FALSE(fs::exists(folder_ / "time.dat"));
         lock.reset();
         return true;
       },
       Command(IDC_MAIN_SAVE)});
  EXPECT_TRUE(sawMessage);
  std::string saved = ReadAll(folder_ / "setup.cfg");
  ASSERT_EQ(saved.size(), 420u);
  EXPECT_NE(saved, before);
  SettingsRecord record{};
  memcpy(&record, saved.data(), saved.size());
  EXPECT_EQ(record.volume, 5);
  EXPECT_EQ(ReadAll(folder_ / "time.dat"), "2026,12,08,03,59,07,-0800");
}

}  // namespace

// The card format run from start to final message with a fake engine: the
// popup, the bar, the worker, the backup and restore of setup.cfg and the
// program file. The card is a folder here; the fake engine empties it the
// way a format would.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it needs.
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "format_test_support.h"
#include "resource_ids.h"
#include "win/app/local_copy.h"
#include "win/app/setting_app.h"
#include "win/card/format_memory_card.h"
#include "win/lang/program_lang_resources.h"
#include "win/platform/platform_seams.h"

namespace {

namespace fs = std::filesystem;
using format_test::MessageBoxText;
using format_test::Ticker;
using format_test::VisibleDialogs;
using format_test::WindowText;

constexpr wchar_t kCaption[] = L"Formatting memory card";
constexpr wchar_t kSucceeded[] = L"Memory card formatted completely";
constexpr wchar_t kFailed[] =
    L"Cannot format the memory card.\r\nIt is currently being used by Vistapane or another "
    L"program.\r\n";

class FakeEngine : public card::FormatEngine {
 public:
  // What the fake does.
  bool removable = true;
  int structureSteps = 3;
  std::optional<bool> outcome = true;  // empty: the engine cannot run
  fs::path card;                       // the folder it empties

  // What it saw.
  int calls = 0;
  std::wstring driveRoot;
  bool popupUp = false;
  std::vector<int> barAfterSteps;
  DWORD threadId = 0;

  bool CanFormat(const std::wstring&) const override { return removable; }

  bool Format(const std::wstring& root, card::FormatCallbackProc callback) override {
    ++calls;
    driveRoot = root;
    threadId = GetCurrentThreadId();
    popupUp = progressPopup != nullptr && IsWindow(progressPopup->hwnd());
    if (!outcome) return false;
    for (const auto& entry : fs::directory_iterator(card)) fs::remove_all(entry.path());
    HWND bar = GetDlgItem(progressPopup->hwnd(), IDC_PROGRESS_POPUP_BAR);
    for (int i = 0; i < structureSteps; ++i) {
      DWORD percent = 99;  // a percentage report moves nothing
      callback(0, 0, &percent);
      callback(15, 0, nullptr);
      barAfterSteps.push_back(static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)));
    }
    BOOLEAN success = *outcome;
    callback(11, 0, &success);
    return true;
  }
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class FormatFlow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
  }

  void SetUp() override {
    platform::InstallWindowsSeams();
    ASSERT_TRUE(lang::LoadProgramLanguage(u"english"));
    card_ = fs::temp_directory_path() / L"format flow card";
    fs::remove_all(card_);
    fs::create_directories(card_ / L"SETTING");
    cardFolder = (card_ / L"SETTING").wstring() + L"\\";
    engine_.card = card_;
    program_ = app::ProgramPath();
    backup_ = fs::path(app::FolderOf(program_.wstring())) / L"setup.cfg";
    fs::remove(backup_);
    owner_ = CreateWindowExW(0, L"STATIC", L"format owner", WS_POPUP, 100, 100, 600, 500, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }

  void TearDown() override {
    DestroyWindow(owner_);
    cardFolder.clear();
    std::error_code ignored;
    fs::remove_all(card_, ignored);
    fs::remove(backup_, ignored);
  }

  // Formats with the fake engine while watching the screen: the bar's last
  // position while the popup was up, and every message box, answered OK.
  void Format() {
    Ticker watcher([this] {
      for (HWND dialog : VisibleDialogs()) {
        HWND bar = GetDlgItem(dialog, IDC_PROGRESS_POPUP_BAR);
        if (bar != nullptr) {
          popupCaption_ = WindowText(dialog);
          lastBar_ = static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0));
        } else {
          messages_.push_back(WindowText(dialog) + L"|" + MessageBoxText(dialog));
          PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
      }
    });
    FormatMemoryCardWith(owner_, engine_);
  }

  fs::path Settings() const { return card_ / L"SETTING" / L"setup.cfg"; }
  fs::path CardProgram() const { return card_ / L"SETTING" / program_.filename(); }
  std::wstring Message(const wchar_t* text) const { return std::wstring(kCaption) + L"|" + text; }

  FakeEngine engine_;
  fs::path card_;
  fs::path program_;
  fs::path backup_;
  HWND owner_ = nullptr;
  std::wstring popupCaption_;
  int lastBar_ = -1;
  std::vector<std::wstring> messages_;
};

TEST_F(FormatFlow, ShowsProgressAndResultAndPutsTheFilesBack) {
  const struct {
    const char* name;
    int steps;
    std::optional<bool> outcome;
    std::vector<int> bars;
    int finalBar;
    const wchar_t* message;
  } cases[] = {
      {"three steps, success", 3, true, {20, 40, 60}, 100, kSucceeded},
      {"more steps than the bar holds", 7, true, {20, 40, 60, 80, 100, 100, 100}, 100, kSucceeded},
      {"failure", 2, false, {20, 40}, 0, kFailed},
      {"engine cannot run", 0, std::nullopt, {}, 0, kFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    engine_ = FakeEngine{};
    engine_.card = card_;
    engine_.structureSteps = c.steps;
    engine_.outcome = c.outcome;
    messages_.clear();
    lastBar_ = -1;
    fs::create_directories(card_ / L"SETTING");
    WriteFile(Settings(), "settings of this card");

    Format();

    EXPECT_EQ(engine_.calls, 1);
    EXPECT_EQ(engine_.driveRoot, card_.root_name().wstring() + L"\\");
    EXPECT_TRUE(engine_.popupUp) << "the format started before the popup was up";
    EXPECT_EQ(engine_.barAfterSteps, c.bars);
    EXPECT_EQ(popupCaption_, kCaption);
    EXPECT_EQ(lastBar_, c.finalBar);
    EXPECT_EQ(messages_, std::vector<std::wstring>{Message(c.message)});
    EXPECT_EQ(progressPopup, nullptr);
    EXPECT_EQ(ReadFile(Settings()), "settings of this card");
    EXPECT_EQ(ReadFile(CardProgram()), ReadFile(program_));
  }
}

TEST_F(FormatFlow, NeverPutsBackASettingsFileFromAnotherRun) {
  const struct {
    const char* name;
    std::optional<std::string> cardSettings;
  } cases[] = {
      {"card without setup.cfg", std::nullopt},
      {"card with its own setup.cfg", "this card"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(backup_, "left by a format of another card");
    fs::create_directories(card_ / L"SETTING");
    if (c.cardSettings) WriteFile(Settings(), *c.cardSettings);

    Format();

    ASSERT_EQ(engine_.calls, 1);
    engine_.calls = 0;
    EXPECT_EQ(fs::exists(Settings()), c.cardSettings.has_value());
    if (c.cardSettings) {
      EXPECT_EQ(ReadFile(Settings()), *c.cardSettings);
    }
    EXPECT_TRUE(fs::exists(CardProgram()));
  }
}

TEST_F(FormatFlow, TheWorkerHasEndedAndIsReleasedWhenTheRunReturns) {
  Format();
  ASSERT_NE(engine_.threadId, 0u);
  // A thread object outlives its thread only while a handle to it is open.
  HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, engine_.threadId);
  EXPECT_EQ(thread, nullptr) << "the worker still runs or its handle was not closed";
  if (thread != nullptr) CloseHandle(thread);
}

TEST_F(FormatFlow, LeavesCardsItMayNotFormatAlone) {
  const struct {
    const char* name;
    bool removable;
    bool hasCardFolder;
  } cases[] = {
      {"no card folder", true, false},
      {"drive not removable", false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteFile(Settings(), "untouched");
    engine_.removable = c.removable;
    if (!c.hasCardFolder) cardFolder.clear();

    Format();

    EXPECT_EQ(engine_.calls, 0);
    EXPECT_TRUE(popupCaption_.empty()) << "a popup was shown";
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(ReadFile(Settings()), "untouched");
    EXPECT_FALSE(fs::exists(CardProgram()));
    EXPECT_FALSE(fs::exists(backup_));
  }
}

}  // namespace

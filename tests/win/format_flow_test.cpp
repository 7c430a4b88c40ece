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
#include "win/card/format_memory_card.h"
#include "win/card/system_format_files.h"
#include "win/lang/program_lang_resources.h"
#include "win/platform/platform_seams.h"
#include "win/platform/program_file.h"
#include "win/platform/resource_bytes.h"

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
constexpr wchar_t kNotEverything[] =
    L"The memory card was formatted, but not everything could be put back on it.\r\n";

// The lines that name what is not back on the card.
std::wstring Missing(const std::wstring& names) {
  return L"\r\nNot put back on the card: " + names +
         L"\r\nCheck that the card is inserted and not write-protected, then format the same "
         L"card again before closing this program to put them back.\r\n";
}

class FakeEngine : public card::FormatEngine {
 public:
  // What the fake does.
  bool removable = true;
  int structureSteps = 3;
  std::optional<bool> outcome = true;  // empty: the engine cannot run
  // A card the engine refuses by its size; kTried formats.
  card::FormatAttempt sizeVerdict = card::FormatAttempt::kTried;
  fs::path card;  // the folder it empties
  // What the card reads.
  card::CardIdentity identity{0xCA4D0001, std::uint64_t{8} << 30};
  // The serial number of the file system a format leaves; none: destroyed.
  std::optional<std::uint32_t> serialAfter = 0xCA4D0002;
  // A file left where the card folder belongs: nothing can be written back.
  bool restoreBlocked = false;

  // What it saw.
  int calls = 0;
  std::wstring driveRoot;
  bool popupUp = false;
  std::vector<int> barAfterSteps;
  DWORD threadId = 0;

  bool CanFormat(const std::wstring&) const override { return removable; }
  card::CardIdentity Identify(const std::wstring&) const override { return identity; }

  card::FormatAttempt Format(const std::wstring& root, card::FormatCallbackProc callback) override {
    ++calls;
    driveRoot = root;
    threadId = GetCurrentThreadId();
    popupUp = progressPopup != nullptr && IsWindow(progressPopup->hwnd());
    if (!outcome) return card::FormatAttempt::kUnavailable;
    if (sizeVerdict != card::FormatAttempt::kTried) return sizeVerdict;
    for (const auto& entry : fs::directory_iterator(card)) fs::remove_all(entry.path());
    if (restoreBlocked) std::ofstream(card / L"SETTING") << "not a folder";
    identity.volumeSerial = serialAfter;
    HWND bar = GetDlgItem(progressPopup->hwnd(), IDC_PROGRESS_POPUP_BAR);
    for (int i = 0; i < structureSteps; ++i) {
      DWORD percent = 99;  // a percentage report moves nothing
      callback(0, 0, &percent);
      callback(15, 0, nullptr);
      barAfterSteps.push_back(static_cast<int>(SendMessageW(bar, PBM_GETPOS, 0, 0)));
    }
    BOOLEAN success = *outcome;
    callback(11, 0, &success);
    return card::FormatAttempt::kTried;
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
    program_ = platform::ProgramPath();
    backup_ = fs::path(platform::FolderOf(program_.wstring())) / L"setup.cfg";
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
    FormatMemoryCardWith(owner_, engine_, files_, kept_);
  }

  fs::path Settings() const { return card_ / L"SETTING" / L"setup.cfg"; }
  fs::path CardProgram() const { return card_ / L"SETTING" / program_.filename(); }
  fs::path CardPage() const { return card_ / L"SETTING" / L"settings.html"; }
  // The web page as the program carries it.
  static std::string Page() {
    const auto bytes = platform::ResourceBytes(MAKEINTRESOURCEW(IDR_SETTINGS_PAGE), RT_RCDATA);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
  }
  std::wstring Message(const wchar_t* text) const { return std::wstring(kCaption) + L"|" + text; }

  FakeEngine engine_;
  card::SystemFormatFiles files_;
  card::KeptSettings kept_;
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
    ASSERT_FALSE(Page().empty());
    EXPECT_TRUE(ReadFile(CardPage()) == Page()) << "the web page did not go back";
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

// A setup.cfg as a camera writes it: binary, with NULs, of its own length.
std::string CameraSettings(int seed) {
  std::string bytes(472, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>((i * seed) % 251);
  return bytes;
}

TEST_F(FormatFlow, SettingsThatDidNotGoBackWaitForTheirOwnCard) {
  constexpr std::uint64_t k8G = std::uint64_t{8} << 30;
  constexpr std::uint64_t k16G = std::uint64_t{16} << 30;
  const std::string ofA = CameraSettings(7);
  const std::string ofB = CameraSettings(11);
  // A card that takes no writes gets neither file back.
  const std::wstring both =
      Missing(L"setup.cfg, " + program_.filename().wstring() + L", settings.html");
  const std::wstring failedLost = kFailed + both;
  const std::wstring succeededLost = kNotEverything + both;
  // One format: the card put in the drive, how its format ends, and what
  // the card holds afterwards.
  struct Step {
    const char* card;
    std::optional<std::uint32_t> serial;  // none: its file system was destroyed
    std::uint64_t bytes;
    std::optional<std::string> settings;
    bool formats;
    std::optional<std::uint32_t> serialAfter;
    bool restoreBlocked;
    std::optional<std::string> settingsAfter;
    std::wstring message;
  };
  const struct {
    const char* name;
    std::vector<Step> steps;
  } scenarios[] = {
      {"retried on the same card until its settings are back, and only then",
       {
           {"A", 0xA1, k8G, ofA, false, std::nullopt, true, std::nullopt, failedLost},
           {"A destroyed", std::nullopt, k8G, std::nullopt, false, std::nullopt, true, std::nullopt,
            failedLost},
           {"A destroyed", std::nullopt, k8G, std::nullopt, true, 0xA2, false, ofA, kSucceeded},
           {"A with setup.cfg deleted", 0xA2, k8G, std::nullopt, true, 0xA3, false, std::nullopt,
            kSucceeded},
       }},
      {"formatted, then not written back",
       {
           {"A", 0xA1, k8G, ofA, true, 0xA2, true, std::nullopt, succeededLost},
           {"A as formatted", 0xA2, k8G, std::nullopt, true, 0xA3, false, ofA, kSucceeded},
       }},
      {"other cards in between get none of them",
       {
           {"A", 0xA1, k8G, ofA, false, std::nullopt, true, std::nullopt, failedLost},
           {"B", 0xB1, k8G, std::nullopt, true, 0xB2, false, std::nullopt, kSucceeded},
           {"C, destroyed and larger", std::nullopt, k16G, std::nullopt, true, 0xC2, false,
            std::nullopt, kSucceeded},
           {"B with settings of its own", 0xB2, k8G, ofB, true, 0xB3, false, ofB, kSucceeded},
           {"A destroyed", std::nullopt, k8G, std::nullopt, true, 0xA2, false, ofA, kSucceeded},
       }},
  };
  for (const auto& scenario : scenarios) {
    SCOPED_TRACE(scenario.name);
    kept_ = card::KeptSettings{};
    for (const Step& step : scenario.steps) {
      SCOPED_TRACE(step.card);
      for (const auto& entry : fs::directory_iterator(card_)) fs::remove_all(entry.path());
      fs::create_directories(card_ / L"SETTING");
      if (step.settings) WriteFile(Settings(), *step.settings);
      engine_.identity = {step.serial, step.bytes};
      engine_.outcome = step.formats;
      engine_.serialAfter = step.serialAfter;
      engine_.restoreBlocked = step.restoreBlocked;
      messages_.clear();

      Format();

      EXPECT_EQ(fs::is_regular_file(Settings()), step.settingsAfter.has_value());
      if (step.settingsAfter && fs::is_regular_file(Settings())) {
        EXPECT_TRUE(ReadFile(Settings()) == *step.settingsAfter) << "not byte for byte";
      }
      EXPECT_EQ(messages_, std::vector<std::wstring>{Message(step.message.c_str())});
    }
  }
}

// The settings go back from memory, whole, into every level of their
// folder, with ordinary attributes, whatever the backup beside the program
// could be; a card no FAT32 volume fits is refused with the reason.
TEST_F(FormatFlow, PutsTheCardsOwnBytesBackWhateverTheirShapeAndPlace) {
  enum class Backup { kNone, kStaleReadOnly, kBlocked };
  const struct {
    const char* name;
    std::vector<std::wstring> folder;  // below the card's root
    std::size_t settingsBytes;
    Backup backup;
    card::FormatAttempt sizeVerdict;
    std::wstring message;
  } cases[] = {
      {"two levels, accented",
       {L"Cam Files", L"R\u00e9glages \u00c9"},
       472,
       Backup::kNone,
       card::FormatAttempt::kTried,
       kSucceeded},
      {"over 1 MiB",
       {L"SETTING"},
       (2 << 20) + 3,
       Backup::kNone,
       card::FormatAttempt::kTried,
       kSucceeded},
      {"a stale read-only backup",
       {L"SETTING"},
       500,
       Backup::kStaleReadOnly,
       card::FormatAttempt::kTried,
       kSucceeded},
      {"no backup can be written",
       {L"SETTING"},
       500,
       Backup::kBlocked,
       card::FormatAttempt::kTried,
       kSucceeded},
      {"card too small",
       {L"SETTING"},
       432,
       Backup::kNone,
       card::FormatAttempt::kCardTooSmall,
       L"This memory card is too small to be formatted as FAT32.\r\n"},
      {"card too large",
       {L"SETTING"},
       432,
       Backup::kNone,
       card::FormatAttempt::kCardTooLarge,
       L"This memory card is too large to be formatted as FAT32 (2 TB at most).\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (const auto& entry : fs::directory_iterator(card_)) fs::remove_all(entry.path());
    fs::path folder = card_;
    for (const std::wstring& level : c.folder) folder /= level;
    fs::create_directories(folder);
    cardFolder = folder.wstring() + L"\\";
    std::string settings = CameraSettings(5);
    settings.resize(c.settingsBytes, '\x5A');
    WriteFile(folder / L"setup.cfg", settings);
    SetFileAttributesW(backup_.c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(backup_);
    if (c.backup == Backup::kStaleReadOnly) {
      WriteFile(backup_, "an older card's");
      SetFileAttributesW(backup_.c_str(), FILE_ATTRIBUTE_READONLY);
    } else if (c.backup == Backup::kBlocked) {
      fs::create_directory(backup_);
    }
    engine_.sizeVerdict = c.sizeVerdict;
    messages_.clear();

    Format();

    EXPECT_EQ(messages_, std::vector<std::wstring>{Message(c.message.c_str())});
    EXPECT_TRUE(ReadFile(folder / L"setup.cfg") == settings) << "not byte for byte";
    EXPECT_EQ(GetFileAttributesW((folder / L"setup.cfg").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(ReadFile(folder / program_.filename()), ReadFile(program_));
  }
  SetFileAttributesW(backup_.c_str(), FILE_ATTRIBUTE_NORMAL);
  fs::remove_all(backup_);
}

TEST_F(FormatFlow, TheWorkerHasEndedAndIsReleasedWhenTheRunReturns) {
  Format();
  ASSERT_NE(engine_.threadId, 0u);
  // A thread object outlives its thread only while a handle to it is open.
  HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, engine_.threadId);
  EXPECT_EQ(thread, nullptr) << "the worker still runs or its handle was not closed";
  if (thread != nullptr) CloseHandle(thread);
}

TEST_F(FormatFlow, RefusesCardsItMayNotFormatAndSaysSo) {
  const fs::path besideProgram = program_.parent_path() / L"format flow card";
  const struct {
    const char* name;
    bool removable;
    std::optional<fs::path> card;  // none: no card folder
    std::vector<std::wstring> messages;
  } cases[] = {
      {"no card folder", true, std::nullopt, {}},
      {"drive not removable", false, card_, {Message(kFailed)}},
      {"the drive the program runs from", true, besideProgram, {Message(kFailed)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path folder = c.card.value_or(card_) / L"SETTING";
    fs::create_directories(folder);
    WriteFile(folder / L"setup.cfg", "untouched");
    cardFolder = c.card ? folder.wstring() + L"\\" : std::wstring();
    engine_.removable = c.removable;
    messages_.clear();

    Format();

    EXPECT_EQ(engine_.calls, 0);
    EXPECT_TRUE(popupCaption_.empty()) << "a popup was shown";
    EXPECT_EQ(messages_, c.messages);
    EXPECT_EQ(ReadFile(folder / L"setup.cfg"), "untouched");
    EXPECT_FALSE(fs::exists(folder / program_.filename()));
    EXPECT_FALSE(fs::exists(backup_));
  }
  std::error_code ignored;
  fs::remove_all(besideProgram, ignored);
}

}  // namespace

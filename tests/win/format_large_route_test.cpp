// The worker's side of formatting a large card: which formatter a card
// goes to, and the format by an elevated instance as the format callback
// hears it: one step per step the instance reports, then the result from
// its exit code. The instances here are real processes that end with the
// code the case asks for; a declined elevation ends like a failed format.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/diag/diagnostics.h"
#include "format_test_support.h"
#include "resource_ids.h"
#include "win/card/elevated_format.h"
#include "win/card/format_card_switch.h"
#include "win/card/format_engine.h"
#include "win/card/format_memory_card.h"
#include "win/card/format_route.h"
#include "win/card/system_format_files.h"
#include "win/card/test_hooks.h"
#include "win/lang/program_lang_resources.h"
#include "win/platform/platform_seams.h"
#include "win/platform/program_file.h"

namespace {

namespace fs = std::filesystem;
constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;

TEST(FormatRoute, WindowsFormatsUpTo32GiBAndOnlyWhereItCan) {
  const struct {
    const char* name;
    bool windowsFormatter;
    std::uint64_t bytes;
    card::FormatRoute route;
  } cases[] = {
      {"8 GB card", true, 8'000'000'000, card::FormatRoute::kWindowsFormatter},
      {"exactly 32 GiB", true, 32 * kGiB, card::FormatRoute::kWindowsFormatter},
      {"one sector more", true, 32 * kGiB + 512, card::FormatRoute::kOwnWriter},
      {"64 GB card", true, 64'000'000'000, card::FormatRoute::kOwnWriter},
      {"2 TB card", true, 2'000'000'000'000, card::FormatRoute::kOwnWriter},
      {"size unknown", true, 0, card::FormatRoute::kWindowsFormatter},
      {"no Windows formatter, small card", false, 8'000'000'000, card::FormatRoute::kOwnWriter},
      {"no Windows formatter, size unknown", false, 0, card::FormatRoute::kOwnWriter},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(card::ChooseFormatRoute(c.windowsFormatter, c.bytes), c.route);
  }
}

// What the engine told the format flow.
std::vector<int> heardCommands;
bool heardSuccess = false;

BOOLEAN WINAPI Record(int command, DWORD, PVOID actionInfo) {
  heardCommands.push_back(command);
  if (command == 11) heardSuccess = *static_cast<const BOOLEAN*>(actionInfo) != FALSE;
  return TRUE;
}

// What the stand-in for the elevated instance does: report its steps on
// the semaphore the parameters name, then be a process ending with
// exitCode; or, with a start error, fail to start.
struct InstanceScript {
  int steps;
  DWORD exitCode;
  DWORD startError;
};

struct FakeInstance {
  InstanceScript script;
  std::vector<std::wstring> parameters;  // of each start

  HANDLE Start(const std::wstring& commandLine, DWORD& error) {
    parameters.push_back(commandLine);
    if (script.startError != ERROR_SUCCESS) {
      error = script.startError;
      return nullptr;
    }
    const std::wstring stepsName = commandLine.substr(commandLine.rfind(L' ') + 1);
    HANDLE semaphore = OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, stepsName.c_str());
    EXPECT_NE(semaphore, nullptr) << "no steps semaphore named "
                                  << testing::PrintToString(stepsName);
    if (semaphore != nullptr) {
      for (int i = 0; i < script.steps; ++i) ReleaseSemaphore(semaphore, 1, nullptr);
      CloseHandle(semaphore);
    }
    std::wstring exit = L"cmd.exe /c exit " + std::to_wstring(script.exitCode);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, exit.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
      error = GetLastError();
      return nullptr;
    }
    CloseHandle(process.hThread);
    return process.hProcess;
  }
};

// The raw volume as this process finds it when it cannot open it: for
// lack of rights, or because another program uses the card.
card::OpenedRawVolume Unopened(bool forLackOfRights) {
  card::OpenedRawVolume unopened;
  unopened.status = {card::DeviceFault::kOpenFailed,
                     forLackOfRights ? ERROR_ACCESS_DENIED : ERROR_SHARING_VIOLATION};
  unopened.needsElevation = forLackOfRights;
  return unopened;
}

card::SystemFormatEngine EngineWithout(bool rightsToWrite, FakeInstance& instance) {
  return card::SystemFormatEngine(
      [rightsToWrite](const std::wstring&) { return Unopened(!rightsToWrite); },
      [&instance](const std::wstring& parameters, DWORD& error) {
        return instance.Start(parameters, error);
      });
}

TEST(ElevatedFormat, ReportsTheInstancesStepsAndResult) {
  const struct {
    const char* name;
    InstanceScript script;
    std::vector<int> commands;
    bool success;
    const char16_t* diagnostic;
  } cases[] = {
      {"formatted in four steps",
       {4, card::kFormatCardSucceeded, ERROR_SUCCESS},
       {15, 15, 15, 15, 11},
       true,
       u"Format: elevated instance started"},
      {"failed after two steps",
       {2, card::kFormatCardFailed, ERROR_SUCCESS},
       {15, 15, 11},
       false,
       u"Format: elevated instance started"},
      {"switch refused",
       {0, card::kFormatCardRefused, ERROR_SUCCESS},
       {11},
       false,
       u"Format: elevated instance started"},
      {"elevation declined",
       {3, card::kFormatCardSucceeded, ERROR_CANCELLED},
       {11},
       false,
       u"Format: administrator rights declined"},
      {"program not started",
       {3, card::kFormatCardSucceeded, ERROR_FILE_NOT_FOUND},
       {11},
       false,
       u"Format: elevated instance not started, error 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    diag::CollectingSink sink;
    FakeInstance instance{c.script, {}};
    card::SystemFormatEngine engine = EngineWithout(false, instance);
    heardCommands.clear();
    heardSuccess = !c.success;

    EXPECT_EQ(engine.Format(L"E:\\", Record), card::FormatAttempt::kTried);

    EXPECT_EQ(heardCommands, c.commands);
    EXPECT_EQ(heardSuccess, c.success);
    ASSERT_EQ(instance.parameters.size(), 1u);
    EXPECT_EQ(instance.parameters[0].rfind(L"--format-card E:\\ Local\\R470FormatSteps-", 0), 0u)
        << testing::PrintToString(instance.parameters[0]);
    EXPECT_NE(std::find(sink.lines.begin(), sink.lines.end(), c.diagnostic), sink.lines.end());
  }
}

TEST(ElevatedFormat, IsOnlyAskedForWhenRightsAreMissing) {
  FakeInstance instance{{0, card::kFormatCardSucceeded, ERROR_SUCCESS}, {}};
  card::SystemFormatEngine engine = EngineWithout(true, instance);
  heardCommands.clear();
  heardSuccess = true;

  engine.Format(L"E:\\", Record);

  EXPECT_TRUE(instance.parameters.empty());
  EXPECT_EQ(heardCommands, std::vector<int>{11});
  EXPECT_FALSE(heardSuccess);
}

// The whole helper route on a real card: tests/e2e/format_large_card.sh
// runs this with the program's path in R470_FORMAT_PROGRAM and a card image
// as the removable drive E:, and checks the image afterwards. The engine is
// the shipped one, told that this process may not write the card.
TEST(ElevatedFormatOnCard, FormatsDriveEThroughAnElevatedProgram) {
  const char* program = std::getenv("R470_FORMAT_PROGRAM");
  if (program == nullptr) GTEST_SKIP() << "run by the end-to-end script, with a card on E:";
  const std::wstring programPath(program, program + std::strlen(program));
  card::SystemFormatEngine engine([](const std::wstring&) { return Unopened(true); },
                                  [&programPath](const std::wstring& parameters, DWORD& error) {
                                    return card::StartElevated(programPath, parameters, error);
                                  });
  heardCommands.clear();
  heardSuccess = false;

  engine.Format(L"E:\\", Record);

  // Reserved area, both FATs and the root directory, then the result.
  EXPECT_EQ(heardCommands, (std::vector<int>{15, 15, 15, 15, 11}));
  EXPECT_TRUE(heardSuccess);
}

TEST(ElevatedFormat, TheShippedProgramIgnoresTheTestOnlyDenial) {
  SetEnvironmentVariableW(L"R470_TEST_DENY_RAW_VOLUME", L"E");
  EXPECT_FALSE(card::TestHookDeniesRawVolume(L"E:\\"));
  SetEnvironmentVariableW(L"R470_TEST_DENY_RAW_VOLUME", nullptr);
}

// The whole run with a declined elevation: the popup comes and goes, the
// card's files are put back and the message is the failure's.
TEST(ElevatedFormat, DeclinedElevationEndsLikeAFailedFormat) {
  platform::InstallWindowsSeams();
  ASSERT_TRUE(lang::LoadProgramLanguage(u"english"));
  const fs::path cardPath = fs::temp_directory_path() / L"large card declined";
  fs::remove_all(cardPath);
  fs::create_directories(cardPath / L"SETTING");
  std::ofstream(cardPath / L"SETTING" / L"setup.cfg", std::ios::binary) << "settings of this card";
  cardFolder = (cardPath / L"SETTING").wstring() + L"\\";
  const fs::path backup = fs::path(platform::FolderOf(platform::ProgramPath())) / L"setup.cfg";
  HWND owner = CreateWindowExW(0, L"STATIC", L"format owner", WS_POPUP, 100, 100, 600, 500, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(owner, nullptr);

  // Every drive passes for removable here; the rest is the shipped engine.
  struct AnyDrive : card::FormatEngine {
    card::SystemFormatEngine& inner;
    explicit AnyDrive(card::SystemFormatEngine& engine) : inner(engine) {}
    bool CanFormat(const std::wstring&) const override { return true; }
    card::CardIdentity Identify(const std::wstring& root) const override {
      return inner.Identify(root);
    }
    card::FormatAttempt Format(const std::wstring& root,
                               card::FormatCallbackProc callback) override {
      return inner.Format(root, callback);
    }
  };
  FakeInstance declined{{0, card::kFormatCardSucceeded, ERROR_CANCELLED}, {}};
  card::SystemFormatEngine engine = EngineWithout(false, declined);
  AnyDrive anyDrive(engine);
  std::vector<std::wstring> messages;
  bool popupSeen = false;
  {
    format_test::Ticker watcher([&] {
      for (HWND dialog : format_test::VisibleDialogs()) {
        if (GetDlgItem(dialog, IDC_PROGRESS_POPUP_BAR) != nullptr) {
          popupSeen = true;
          continue;
        }
        messages.push_back(format_test::MessageBoxText(dialog));
        PostMessageW(dialog, WM_COMMAND, IDOK, 0);
      }
    });
    card::KeptSettings kept;
    card::SystemFormatFiles files;
    FormatMemoryCardWith(owner, anyDrive, files, kept);
  }

  EXPECT_EQ(declined.parameters.size(), 1u);
  EXPECT_TRUE(popupSeen);
  EXPECT_EQ(messages,
            std::vector<std::wstring>{L"Cannot format the memory card.\r\nIt is currently being "
                                      L"used by Vistapane or another program.\r\n"});
  std::ifstream settings(cardPath / L"SETTING" / L"setup.cfg", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(settings), {}), "settings of this card");
  settings.close();
  DestroyWindow(owner);
  cardFolder.clear();
  std::error_code ignored;
  fs::remove_all(cardPath, ignored);
  fs::remove(backup, ignored);
}

}  // namespace

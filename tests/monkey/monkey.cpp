// Randomised input test: per seed, a random card, random real input on the
// running program, then Save; what Save wrote must be what the screen
// showed just before. Usage:
//   monkey PROGRAM.exe CARD_FOLDER FIRST_SEED COUNT ACTIONS
// CARD_FOLDER is the card's settings folder, ending in a backslash. Exits
// with 1 when any seed failed; each failure prints how to replay it.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "pc_zone.h"
#include "random_card.h"
#include "resource_ids.h"
#include "running_program.h"
#include "screen_promise.h"
#include "user_actions.h"
#include "user_input.h"

namespace monkey {
namespace {

std::optional<std::string> ReadFile(const std::wstring& path) {
  HANDLE file =
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content;
  char buffer[4096];
  DWORD got = 0;
  while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) content.append(buffer, got);
  CloseHandle(file);
  return content;
}

void WriteFile(const std::wstring& path, const std::optional<std::string>& content) {
  DeleteFileW(path.c_str());
  if (!content) return;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  ::WriteFile(file, content->data(), DWORD(content->size()), &written, nullptr);
  CloseHandle(file);
}

CardFiles ReadCard(const std::wstring& folder) {
  CardFiles card;
  if (auto bytes = ReadFile(folder + L"setup.cfg"))
    card.setupCfg.emplace(bytes->begin(), bytes->end());
  card.timeDat = ReadFile(folder + L"time.dat");
  return card;
}

void WriteCard(const std::wstring& folder, const CardFiles& card) {
  std::optional<std::string> settings;
  if (card.setupCfg) settings.emplace(card.setupCfg->begin(), card.setupCfg->end());
  WriteFile(folder + L"setup.cfg", settings);
  WriteFile(folder + L"time.dat", card.timeDat);
}

struct SeedRun {
  std::vector<std::string> actions;
  std::string failure;
};

// One seed from the card to the comparison. An empty failure means the
// saved files kept every promise of the screen.
SeedRun RunSeed(const std::wstring& programPath, const std::wstring& folder, unsigned seed,
                int actionCount, const std::vector<RegistryZone>& zones) {
  SeedRun run;
  Random random(seed);
  const CardFiles before = RandomCard(random);
  // Drawn apart, so that a seed's card and actions stay what they were.
  Random pcRandom(seed ^ 0x9e3779b9u);
  const PcZone pcZone = RandomPcZone(pcRandom);
  run.actions.push_back(Describe(pcZone));
  WriteCard(folder, before);
  RunningProgram program;
  if (!program.Start(programPath, folder, pcZone.tz, run.failure)) return run;
  if (auto broken = FirstBrokenStartPromise(before, program.ReadScreen(), pcZone.standardUtc)) {
    run.failure = *broken;
    return run;
  }
  for (int i = 0; i < actionCount; ++i) {
    run.actions.push_back(PerformRandomAction(program, random));
    if (program.WaitForExit(0)) {
      run.failure = "the program ended by itself";
      return run;
    }
    if (!IsWindow(program.MainWindow())) {
      run.failure = "the window closed without Save";
      return run;
    }
    if (!program.Settle()) {
      run.failure = "the window stopped answering (a hang)";
      return run;
    }
  }
  if (!CloseOpenWindows(program)) {
    run.failure = "a question or drop-down would not close, or the window stopped answering";
    return run;
  }
  const ScreenView screen = program.ReadScreen();
  run.actions.push_back("click Save");
  input::Click(CentreOf(GetDlgItem(program.MainWindow(), IDC_MAIN_SAVE)));
  if (!program.WaitForExit(10000)) {
    run.failure = "Save did not close the window";
    return run;
  }
  if (auto broken = FirstBrokenPromise(before, ReadCard(folder), screen, zones)) {
    run.failure = *broken;
  }
  return run;
}

}  // namespace
}  // namespace monkey

int wmain(int argc, wchar_t** argv) {
  if (argc != 6) {
    std::fprintf(stderr, "usage: monkey PROGRAM.exe CARD_FOLDER\\ FIRST_SEED COUNT ACTIONS\n");
    return 2;
  }
  SetProcessDPIAware();
  _setmode(_fileno(stdout), _O_BINARY);
  const std::wstring program = argv[1], folder = argv[2];
  const unsigned first = unsigned(_wtoi(argv[3]));
  const int count = _wtoi(argv[4]), actions = _wtoi(argv[5]);
  const std::vector<monkey::RegistryZone> zones = monkey::RegistryZones();
  // MONKEY_VERBOSE=1 lists the actions of every seed, not only of failed ones.
  const bool verbose = _wgetenv(L"MONKEY_VERBOSE") != nullptr;
  int failures = 0;
  for (unsigned seed = first; seed < first + unsigned(count); ++seed) {
    const monkey::SeedRun run = monkey::RunSeed(program, folder, seed, actions, zones);
    if (run.failure.empty()) {
      std::printf("seed %u: ok\n", seed);
    } else {
      ++failures;
      std::printf("seed %u: FAILED: %s\n", seed, run.failure.c_str());
    }
    if (!run.failure.empty() || verbose) {
      std::printf("  actions:");
      for (std::size_t i = 0; i < run.actions.size(); ++i) {
        std::printf("%s %zu. %s", i ? ";" : "", i + 1, run.actions[i].c_str());
      }
      std::printf("\n");
    }
    if (!run.failure.empty()) std::printf("  replay: scripts/monkey.sh %u 1 %d\n", seed, actions);
    std::fflush(stdout);
  }
  std::printf("%d of %d seeds failed\n", failures, count);
  return failures ? 1 : 0;
}

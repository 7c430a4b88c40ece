#include "win/card/format_memory_card.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/card/card_format_run.h"
#include "core/card/fat32_format.h"
#include "core/card/format_message.h"
#include "core/lang/lang_manager.h"
#include "resource_ids.h"
#include "win/card/format_paths.h"
#include "win/card/system_format_files.h"
#include "win/framework/handle.h"
#include "win/platform/program_file.h"
#include "win/platform/resource_bytes.h"
#include "win/platform/wide.h"

int formatSucceeded = 0;
CProgPopupDlg* progressPopup = nullptr;

namespace {

constexpr int kStepPercent = 20;
constexpr DWORD kResultShownMs = 1000;
constexpr int kPopupWidth = 400;
constexpr int kPopupHeight = 150;

std::wstring Text(std::u16string_view key) { return ToWide(lang::Lang().GetLangText(key)); }

// Two lines from key nnn and key nnn0, each ended by "\r\n".
std::wstring TwoLines(std::u16string_view first, std::u16string_view second) {
  return Text(first) + L"\r\n" + Text(second) + L"\r\n";
}

constexpr wchar_t kSettingsPage[] = L"settings.html";

// What the program puts back beside setup.cfg: itself and the web page it
// carries. A file it cannot read has no bytes, and the final message then
// names it.
std::vector<card::CarriedFile> CarriedFiles(card::FormatFiles& files,
                                            const card::CardFormatPaths& paths) {
  constexpr std::uint64_t kMaxProgramBytes = std::uint64_t{64} << 20;
  std::vector<card::CarriedFile> carried(2);
  card::FileRead program = files.Read(paths.programPath, kMaxProgramBytes);
  carried[0].cardPath = paths.cardProgram;
  carried[0].name = U16(paths.cardProgram.substr(paths.cardProgram.rfind(L'\\') + 1));
  if (program.result == card::FileRead::Result::kRead) carried[0].bytes = std::move(program.bytes);
  const std::span<const std::byte> page =
      platform::ResourceBytes(MAKEINTRESOURCEW(IDR_SETTINGS_PAGE), RT_RCDATA);
  carried[1].cardPath = cardFolder + kSettingsPage;
  carried[1].name = U16(kSettingsPage);
  if (!page.empty()) carried[1].bytes.emplace(page.begin(), page.end());
  return carried;
}

// Shows the popup while the worker formats.
card::FormatOutcome RunFormat(HWND owner, const std::wstring& driveRoot,
                              card::FormatEngine& engine) {
  FormatJob job{driveRoot, &engine};
  CProgPopupDlg popup;
  popup.SetContent(Text(u"IDS_STRING162"), TwoLines(u"IDS_STRING178", u"IDS_STRING1780"),
                   kPopupWidth, kPopupHeight);
  UniqueKernelHandle worker;
  popup.SetOnShown([&] {
    worker.reset(CreateThread(nullptr, 0, FormatThreadProc, &job, 0, nullptr));
    // Without a worker nothing else would ever close the popup.
    if (!worker) PostMessageW(popup.hwnd(), WM_CLOSE, 0, 0);
  });
  formatSucceeded = 0;
  progressPopup = &popup;
  popup.DoModal(owner);
  if (worker) WaitForSingleObject(worker.get(), INFINITE);
  progressPopup = nullptr;
  switch (job.attempt) {
    case card::FormatAttempt::kCardTooSmall:
      return card::FormatOutcome::kCardTooSmall;
    case card::FormatAttempt::kCardTooLarge:
      return card::FormatOutcome::kCardTooLarge;
    default:
      return formatSucceeded == 1 ? card::FormatOutcome::kSucceeded : card::FormatOutcome::kFailed;
  }
}

void ShowMessage(HWND owner, const std::u16string& message) {
  MessageBoxW(owner, ToWide(message).c_str(), Text(u"IDS_STRING162").c_str(), MB_OK);
}

}  // namespace

void FormatMemoryCard(HWND owner) {
  // Kept for the whole run, and only for it: the retry comes from this run
  // (a card that took no writes did not get the program back either), and
  // a backup found beside the program at start may be of any card the
  // program ever ran from.
  static card::KeptSettings kept;
  card::SystemFormatEngine engine;
  card::SystemFormatFiles files;
  FormatMemoryCardWith(owner, engine, files, kept);
}

void FormatMemoryCardWith(HWND owner, card::FormatEngine& engine, card::FormatFiles& files,
                          card::KeptSettings& kept) {
  if (cardFolder.empty()) return;
  const card::CardFormatPaths paths =
      card::MakeCardFormatPaths(cardFolder, platform::ProgramPath());
  // Refused, but never in silence after the driver confirmed: a drive that
  // is not removable may be the PC's own disk, and a card the program runs
  // from would lose the program and the backup beside it with the rest.
  if (!engine.CanFormat(paths.driveRoot) || card::ProgramRunsFromCard(paths)) {
    ShowMessage(owner, card::FormatResultMessage({card::FormatOutcome::kFailed, {}}));
    return;
  }
  const std::vector<card::CarriedFile> carried = CarriedFiles(files, paths);
  const card::CardFormatResult result = card::RunCardFormat({
      files,
      {cardFolder, paths.cardSettings, paths.backupSettings},
      kept,
      [&] { return engine.Identify(paths.driveRoot); },
      [&] { return RunFormat(owner, paths.driveRoot, engine); },
      carried,
  });
  ShowMessage(owner, card::FormatResultMessage(result));
}

DWORD WINAPI FormatThreadProc(LPVOID formatJob) {
  auto& job = *static_cast<FormatJob*>(formatJob);
  job.attempt = job.engine->Format(job.driveRoot, FormatCallback);
  progressPopup->SetProgress(formatSucceeded == 1 ? 100 : 0);
  Sleep(kResultShownMs);
  SendMessageW(progressPopup->hwnd(), WM_CLOSE, 0, 0);
  return 0;
}

BOOLEAN WINAPI FormatCallback(int command, DWORD, PVOID actionInfo) {
  switch (static_cast<card::FormatCommand>(command)) {
    case card::FormatCommand::kDone:
      formatSucceeded = actionInfo != nullptr && *static_cast<const BOOLEAN*>(actionInfo) == 1;
      break;
    case card::FormatCommand::kStructureProgress:
      progressPopup->SetProgress(progressPopup->GetProgress() + kStepPercent);
      break;
    default:
      break;
  }
  return TRUE;
}

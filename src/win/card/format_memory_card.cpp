#include "win/card/format_memory_card.h"

#include "core/card/fat32_format.h"
#include "core/lang/lang_manager.h"
#include "win/app/local_copy.h"
#include "win/app/setting_app.h"
#include "win/card/format_paths.h"
#include "win/framework/handle.h"
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

// Keeps the card's setup.cfg beside the program. A backup left by an
// earlier run is removed first: it belongs to another card, or to this
// card before later edits, and must never be put back on this one.
bool BackUpSettings(const card::CardFormatPaths& paths) {
  DeleteFileW(paths.backupSettings.c_str());
  return CopyFileW(paths.cardSettings.c_str(), paths.backupSettings.c_str(), FALSE) != FALSE;
}

// Runs whether or not the format succeeded; failures are ignored.
void RestoreCard(const std::wstring& cardFolder, const card::CardFormatPaths& paths,
                 bool settingsBackedUp) {
  CreateDirectoryW(cardFolder.c_str(), nullptr);
  if (settingsBackedUp) {
    CopyFileW(paths.backupSettings.c_str(), paths.cardSettings.c_str(), FALSE);
  }
  CopyFileW(paths.programPath.c_str(), paths.cardProgram.c_str(), FALSE);
}

void ShowResult(HWND owner, bool succeeded) {
  const std::wstring message = succeeded ? Text(u"IDS_STRING179")
                                         : TwoLines(u"IDS_STRING181", u"IDS_STRING1810");
  MessageBoxW(owner, message.c_str(), Text(u"IDS_STRING162").c_str(), MB_OK);
}

// Shows the popup while the worker formats; true when the format succeeded.
bool RunFormat(HWND owner, const std::wstring& driveRoot, card::FormatEngine& engine) {
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
  return formatSucceeded == 1;
}

}  // namespace

void FormatMemoryCard(HWND owner) {
  card::SystemFormatEngine engine;
  FormatMemoryCardWith(owner, engine);
}

void FormatMemoryCardWith(HWND owner, card::FormatEngine& engine) {
  if (cardFolder.empty()) return;
  const card::CardFormatPaths paths = card::MakeCardFormatPaths(cardFolder, app::ProgramPath());
  if (!engine.CanFormat(paths.driveRoot)) return;
  // The card is in use by this very program: formatting it would take the
  // program and the backup beside it away with everything else.
  if (card::ProgramRunsFromCard(paths)) {
    ShowResult(owner, false);
    return;
  }
  const bool settingsBackedUp = BackUpSettings(paths);
  const bool succeeded = RunFormat(owner, paths.driveRoot, engine);
  RestoreCard(cardFolder, paths, settingsBackedUp);
  ShowResult(owner, succeeded);
}

DWORD WINAPI FormatThreadProc(LPVOID formatJob) {
  const auto& job = *static_cast<const FormatJob*>(formatJob);
  const bool tried = job.engine->Format(job.driveRoot, FormatCallback);
  progressPopup->SetProgress(formatSucceeded == 1 ? 100 : 0);
  Sleep(kResultShownMs);
  SendMessageW(progressPopup->hwnd(), WM_CLOSE, 0, 0);
  return tried ? 1 : 0;
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

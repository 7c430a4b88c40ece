#include "win/card/format_memory_card.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "core/card/fat32_format.h"
#include "core/io/file.h"
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

using Bytes = std::vector<std::byte>;

// Far more than any camera's settings file; a larger file is not one.
constexpr std::uint64_t kMaxSettingsBytes = 1 << 20;

// The whole file; nothing when it is missing, unreadable or too large.
std::optional<Bytes> ReadSettingsFile(const std::wstring& path) {
  io::File file = io::File::Open(path, io::File::Mode::kRead);
  const std::optional<std::uint64_t> size = file.IsOpen() ? file.Size() : std::nullopt;
  if (!size || *size > kMaxSettingsBytes) return std::nullopt;
  Bytes bytes(*size);
  const std::optional<std::size_t> read = file.Read(bytes);
  if (!read || *read != bytes.size()) return std::nullopt;
  return bytes;
}

bool WriteSettingsFile(const std::wstring& path, const Bytes& bytes) {
  io::File file = io::File::Open(path, io::File::Mode::kReplace);
  return file.IsOpen() && file.Write(bytes) && file.Close();
}

// Runs whether or not the format succeeded; failures are ignored. True when
// setup.cfg is back on the card.
bool RestoreCard(const std::wstring& cardFolder, const card::CardFormatPaths& paths,
                 bool settingsBackedUp) {
  CreateDirectoryW(cardFolder.c_str(), nullptr);
  const bool settingsBack =
      settingsBackedUp &&
      CopyFileW(paths.backupSettings.c_str(), paths.cardSettings.c_str(), FALSE) != FALSE;
  CopyFileW(paths.programPath.c_str(), paths.cardProgram.c_str(), FALSE);
  return settingsBack;
}

// settingsLost: the card's settings did not go back on it. The driver is
// told so under either result: the card would otherwise go back into the
// camera without them, unnoticed.
void ShowResult(HWND owner, bool succeeded, bool settingsLost) {
  std::wstring message =
      succeeded ? Text(u"IDS_STRING179") : TwoLines(u"IDS_STRING181", u"IDS_STRING1810");
  if (settingsLost) {
    message += (succeeded ? L"\r\n" : L"") + TwoLines(u"IDS_STRING197", u"IDS_STRING1970");
  }
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
  // Kept for the whole run, and only for it: the retry comes from this run
  // (a card that took no writes did not get the program back either), and
  // a backup found beside the program at start may be of any card the
  // program ever ran from.
  static card::KeptSettings kept;
  card::SystemFormatEngine engine;
  FormatMemoryCardWith(owner, engine, kept);
}

void FormatMemoryCardWith(HWND owner, card::FormatEngine& engine, card::KeptSettings& kept) {
  if (cardFolder.empty()) return;
  const card::CardFormatPaths paths = card::MakeCardFormatPaths(cardFolder, app::ProgramPath());
  // Refused, but never in silence after the driver confirmed: a drive that
  // is not removable may be the PC's own disk, and a card the program runs
  // from would lose the program and the backup beside it with the rest.
  if (!engine.CanFormat(paths.driveRoot) || card::ProgramRunsFromCard(paths)) {
    ShowResult(owner, false, false);
    return;
  }
  // The settings to put back: those that an earlier format of this card
  // could not put back come first, since the card then holds none or a
  // partly written copy. A card with neither gets no setup.cfg: a backup
  // that this run did not write, of this card or of another, is never used.
  const card::CardIdentity before = engine.Identify(paths.driveRoot);
  const Bytes* waiting = kept.For(before);
  const bool fromKept = waiting != nullptr;
  std::optional<Bytes> settings =
      fromKept ? std::optional<Bytes>(*waiting) : ReadSettingsFile(paths.cardSettings);
  const bool backedUp = settings && WriteSettingsFile(paths.backupSettings, *settings);

  const bool succeeded = RunFormat(owner, paths.driveRoot, engine);
  const bool settingsBack = RestoreCard(cardFolder, paths, backedUp);
  const bool settingsLost = settings && !settingsBack;
  if (settingsLost) {
    kept.Keep(before, engine.Identify(paths.driveRoot), std::move(*settings));
  } else if (fromKept) {
    kept.Forget();
  }
  ShowResult(owner, succeeded, settingsLost);
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

#include "core/card/card_restore.h"

#include <algorithm>
#include <utility>

#include "core/diag/diagnostics.h"
#include "core/settings/settings_record.h"

namespace card {
namespace {

// Cut off: shorter than any camera ever wrote, or the start of the kept
// copy only (a restore that stopped part-way, a card pulled mid-write).
bool IsCutOff(const Bytes& onCard, const Bytes* kept) {
  if (onCard.size() < kOldestRecordSize) return true;
  return kept != nullptr && onCard.size() < kept->size() &&
         std::equal(onCard.begin(), onCard.end(), kept->begin());
}

}  // namespace

CardRestore::CardRestore(FormatFiles& files, RestorePaths paths, KeptSettings& kept,
                         const CardIdentity& before)
    : files_(files), paths_(std::move(paths)), kept_(kept), before_(before) {
  FileRead onCard = files_.Read(paths_.cardSettings, kMaxSettingsBytes);
  const KeptMatch match = kept_.For(before_);
  const bool read = onCard.result == FileRead::Result::kRead;
  unreadable_ = !read && onCard.result != FileRead::Result::kMissing;
  ambiguous_ = match.ambiguous;
  if (read && !IsCutOff(onCard.bytes, match.settings)) {
    settings_ = std::move(onCard.bytes);
  } else if (match.settings != nullptr) {
    settings_ = *match.settings;
  } else if (read) {
    settings_ = std::move(onCard.bytes);
  }
  if (settings_ && !files_.Write(paths_.backupSettings, *settings_)) {
    diag::Write(u"Format: the copy of setup.cfg beside the program could not be written");
  }
}

RestoreReport CardRestore::PutBack(const CardIdentity& after,
                                   std::span<const CarriedFile> carried) {
  // The later writes fail on their own when the folder could not be made.
  files_.MakeFolders(paths_.cardFolder);
  RestoreReport report;
  report.settingsUnreadable = unreadable_;
  const bool leftAsItWas =
      unreadable_ && files_.Read(paths_.cardSettings, 0).result != FileRead::Result::kMissing;
  const bool back = settings_ && !leftAsItWas && PutFile(paths_.cardSettings, *settings_);
  report.settingsMissing = (settings_ && !back && !leftAsItWas) || (!settings_ && ambiguous_);
  report.earlierCopyBack = unreadable_ && back;
  kept_.Update(before_, after, back ? std::nullopt : settings_);
  for (const CarriedFile& file : carried) {
    if (!file.bytes || !PutFile(file.cardPath, *file.bytes))
      report.missingFiles.push_back(file.name);
  }
  return report;
}

// A card that the format left as it was (write-protected, or a format that
// could not start) may hold the file already, and take no write.
bool CardRestore::PutFile(const io::PathString& path, const Bytes& bytes) {
  const FileRead there = files_.Read(path, bytes.size());
  if (there.result == FileRead::Result::kRead && there.bytes == bytes) return true;
  if (files_.Write(path, bytes)) return true;
  files_.Remove(path);
  return false;
}

}  // namespace card

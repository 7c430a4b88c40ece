#pragma once
// What a card format puts back on the card, by one rule.
//
// Before the format: the card's own setup.cfg, all of its bytes, when the
// card holds a complete one, for that is the newest truth (the camera or a
// Save may have written it since an earlier format). Only when the card
// holds none, or a cut-off one, the settings this run kept from an earlier
// format of the same card. The bytes stay in memory; the copy written
// beside the program on the PC is a safety net, never read back.
//
// After the format, whatever its result: the card folder with every level
// of it, those bytes as setup.cfg, and the files the program carries (its
// own program file and the web page). A file that could not be written in full is removed
// and named in the report, never left cut off for the camera to read; a
// setup.cfg that could not be read is never written over while it is still
// there (a format that did not start leaves it as it was). Settings that
// did not go back are kept for the next format of the card.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/card/format_files.h"
#include "core/card/kept_settings.h"

namespace card {

// A setup.cfg larger than this is no camera's (theirs are under 1 KiB); it
// is not read, and the report says it could not be put back.
inline constexpr std::uint64_t kMaxSettingsBytes = std::uint64_t{64} << 20;

struct RestorePaths {
  io::PathString cardFolder;      // ends with a separator
  io::PathString cardSettings;    // setup.cfg in the card folder
  io::PathString backupSettings;  // setup.cfg beside the program on the PC
};

// A file the program itself carries onto the card.
struct CarriedFile {
  io::PathString cardPath;
  std::u16string name;         // as the final message names it
  std::optional<Bytes> bytes;  // none: the program could not read it, so it is named as missing
};

struct RestoreReport {
  // setup.cfg that belongs on the card is not on it; it is kept for the
  // next format of the card.
  bool settingsMissing = false;
  // The card's setup.cfg could not be read (or was too large) before the
  // format, so its own bytes could not be put back.
  bool settingsUnreadable = false;
  // ... but the copy kept from an earlier format of the card went back.
  bool earlierCopyBack = false;
  std::vector<std::u16string> missingFiles;  // carried files not on the card

  bool Complete() const { return !settingsMissing && !settingsUnreadable && missingFiles.empty(); }
};

class CardRestore {
 public:
  // Takes the settings to put back from the card that reads `before`, and
  // writes the safety copy. Call before the format.
  CardRestore(FormatFiles& files, RestorePaths paths, KeptSettings& kept,
              const CardIdentity& before);

  // Puts the settings and the carried files back on the card, which reads
  // `after` now, and keeps or forgets the settings accordingly.
  RestoreReport PutBack(const CardIdentity& after, std::span<const CarriedFile> carried);

 private:
  bool PutFile(const io::PathString& path, const Bytes& bytes);

  FormatFiles& files_;
  RestorePaths paths_;
  KeptSettings& kept_;
  CardIdentity before_;
  std::optional<Bytes> settings_;
  bool unreadable_ = false;  // the card's own file could not be read
  bool ambiguous_ = false;   // kept settings may be this card's, or another's
};

}  // namespace card

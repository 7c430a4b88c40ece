#pragma once
// One format of the memory card from start to end, around whatever formats
// it: the settings are taken before, the format runs, and everything is put
// back after it, whatever its outcome (see card_restore.h).

#include <functional>
#include <span>

#include "core/card/card_restore.h"

namespace card {

enum class FormatOutcome {
  kSucceeded,
  kFailed,        // the card is in use, write-protected, pulled out, or could not be written
  kCardTooSmall,  // below the smallest FAT32 volume; nothing was written
  kCardTooLarge,  // beyond the largest FAT32 volume; nothing was written
};

struct CardFormatResult {
  FormatOutcome outcome = FormatOutcome::kFailed;
  RestoreReport restore;
};

struct CardFormatRun {
  FormatFiles& files;
  RestorePaths paths;
  KeptSettings& kept;
  std::function<CardIdentity()> identify;  // what the card in the drive reads now
  std::function<FormatOutcome()> format;   // formats the card, however it is done
  std::span<const CarriedFile> carried;    // put back beside setup.cfg
};

CardFormatResult RunCardFormat(const CardFormatRun& run);

}  // namespace card

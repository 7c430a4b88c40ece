#pragma once
// What formats the memory card. The format flow talks to an engine only
// through the progress callback of the Windows format routine, so Windows'
// own formatter and the program's FAT32 writer look the same to it.

#include <windows.h>

#include <functional>
#include <string>

#include "core/card/fat32_format.h"
#include "core/card/kept_settings.h"
#include "win/card/raw_volume_device.h"

namespace card {

// Called on the formatting thread with a command of card::FormatCommand:
// 15 after each finished structure step, 0 with a DWORD percentage behind
// actionInfo now and then, and 11 exactly once, last, with a BOOLEAN
// success flag behind actionInfo. Returns TRUE to go on.
using FormatCallbackProc = BOOLEAN(WINAPI*)(int command, DWORD subAction, PVOID actionInfo);

// How far a format came, as the engine can tell.
enum class FormatAttempt {
  kTried,         // the callback heard command 11 with the result
  kUnavailable,   // nothing could format the card
  kCardTooSmall,  // below the smallest FAT32 volume; nothing was written
  kCardTooLarge,  // beyond the largest FAT32 volume; nothing was written
};

class FormatEngine {
 public:
  virtual ~FormatEngine() = default;

  // Whether driveRoot ("E:\") is a volume this engine may format.
  virtual bool CanFormat(const std::wstring& driveRoot) const = 0;

  // What can be read of the card at driveRoot now, so that the card can be
  // recognised after a format (see card::KeptSettings).
  virtual CardIdentity Identify(const std::wstring& driveRoot) const = 0;

  // Quick-formats the volume at driveRoot with FAT32 and the label "R470",
  // reporting through callback on the calling thread. Unless the result is
  // kTried, no format was tried and callback never hears command 11.
  virtual FormatAttempt Format(const std::wstring& driveRoot, FormatCallbackProc callback) = 0;
};

// Opens the card's raw volume for the FAT32 writer.
using RawVolumeOpener = std::function<OpenedRawVolume(const std::wstring& driveRoot)>;
// Starts this program elevated with parameters: its process handle, or
// nullptr with error set (ERROR_CANCELLED when the user declined).
using ElevatedStarter = std::function<HANDLE(const std::wstring& parameters, DWORD& error)>;

// Removable drives only. Windows' own formatter (FormatEx of the system's
// fmifs.dll) for cards up to 32 GiB, else the program's FAT32 writer on the
// raw volume: Windows' formatter refuses FAT32 above that size, and Wine
// has none. When this process may not write the raw volume, an elevated
// instance of the program writes it (see format_card_switch.h).
class SystemFormatEngine final : public FormatEngine {
 public:
  SystemFormatEngine();
  // Tests put fakes in for the volume and the elevation.
  SystemFormatEngine(RawVolumeOpener openRawVolume, ElevatedStarter startElevated);

  bool CanFormat(const std::wstring& driveRoot) const override;
  // The serial number in the card's own boot sector (the system's volume
  // serial when the sector cannot be read) and the disk's size.
  CardIdentity Identify(const std::wstring& driveRoot) const override;
  // Refuses a card that no FAT32 volume fits before anything is written.
  FormatAttempt Format(const std::wstring& driveRoot, FormatCallbackProc callback) override;

 private:
  void FormatWithOwnWriter(const std::wstring& driveRoot, FormatCallbackProc callback);

  RawVolumeOpener openRawVolume_;
  ElevatedStarter startElevated_;
};

// Quick-formats an opened volume with the program's FAT32 writer, the
// largest clusters its size allows (up to 32 KiB) and the local time; true
// when the volume was written in full.
bool FormatOpenedVolume(RawVolumeDevice& volume, const FormatProgress& progress);

}  // namespace card

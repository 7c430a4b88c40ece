#pragma once
// What formats the memory card. The format flow talks to an engine only
// through the progress callback of the Windows format routine, so Windows'
// own formatter and the program's FAT32 writer look the same to it.

#include <windows.h>

#include <string>

namespace card {

// Called on the formatting thread with a command of card::FormatCommand:
// 15 after each finished structure step, 0 with a DWORD percentage behind
// actionInfo now and then, and 11 exactly once, last, with a BOOLEAN
// success flag behind actionInfo. Returns TRUE to go on.
using FormatCallbackProc = BOOLEAN(WINAPI*)(int command, DWORD subAction, PVOID actionInfo);

class FormatEngine {
 public:
  virtual ~FormatEngine() = default;

  // Whether driveRoot ("E:\") is a volume this engine may format.
  virtual bool CanFormat(const std::wstring& driveRoot) const = 0;

  // Quick-formats the volume at driveRoot with FAT32 and the label "R470",
  // reporting through callback on the calling thread. False when no format
  // could even be tried; callback then never hears command 11.
  virtual bool Format(const std::wstring& driveRoot, FormatCallbackProc callback) = 0;
};

// Removable drives only. Windows' own formatter (FormatEx of the system's
// fmifs.dll) where it exists, else the program's FAT32 writer on the raw
// volume: Wine has no fmifs.dll.
class SystemFormatEngine final : public FormatEngine {
 public:
  bool CanFormat(const std::wstring& driveRoot) const override;
  bool Format(const std::wstring& driveRoot, FormatCallbackProc callback) override;
};

}  // namespace card

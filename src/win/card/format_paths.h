#pragma once
// The files a card format touches, worked out from the card folder and the
// running program's path. Pure: no file is looked at.

#include <string>

namespace card {

struct CardFormatPaths {
  std::wstring driveRoot;       // "E:\" for "E:\SETTING\"; empty when the folder is not on a drive letter
  std::wstring cardSettings;    // the card's setup.cfg
  std::wstring programPath;     // the running program file
  std::wstring backupSettings;  // setup.cfg beside the program, where the card's is kept meanwhile
  std::wstring cardProgram;     // the program file's place in the card folder
};

// cardFolder ends with a backslash ("E:\SETTING\"); programPath is a full
// path ("C:\...\Vistapane\R470_Setting.exe").
CardFormatPaths MakeCardFormatPaths(const std::wstring& cardFolder, const std::wstring& programPath);

// "X:\" for a drive letter X; the only kind of root a card format accepts.
bool IsDriveLetterRoot(const std::wstring& root);

// Whether the program runs from the drive that is to be formatted: the
// format would then erase the program and the backup beside it.
bool ProgramRunsFromCard(const CardFormatPaths& paths);

}  // namespace card

#pragma once
// Where the running program file is, and the card folder it edits: what the
// main window and the card format both need.

#include <string>

// The settings folder on the memory card, with a trailing backslash; empty
// until the command line gives it (or the program runs from the card and
// cannot start its local copy).
extern std::wstring cardFolder;

namespace platform {

// Full path of the running program file.
std::wstring ProgramPath();
// The path cut after its last backslash (the folder with its separator).
std::wstring FolderOf(const std::wstring& path);

}  // namespace platform

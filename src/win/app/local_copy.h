#pragma once
// Running from the card: the program copies itself to the PC and starts the
// copy with the card folder, so the card can be formatted while it runs.

#include <string>

namespace app {

// Whether the drive holding `folder` is removable (a memory card).
bool IsOnRemovableDrive(const std::wstring& folder);
// Copies the running program into the local application-data folder under
// "Vistapane", overwriting an earlier copy. Returns the copy's path, or an
// empty text when the copy could not be made (for example while an earlier
// copy still runs).
std::wstring MakeLocalCopy(const std::wstring& programPath);
// Starts the copy with the card folder as its only argument. True when the
// copy was started.
bool Relaunch(const std::wstring& copyPath, const std::wstring& cardFolder);

}  // namespace app

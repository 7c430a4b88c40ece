#pragma once
// The waiting side of a format by an elevated instance of the program: the
// worker thread starts the instance, turns its steps into the format
// callback's structure-progress reports and its exit code into the final
// one, so the progress popup and the final message behave as for any
// other format.

#include <windows.h>

#include <string>

#include "win/card/format_engine.h"

namespace card {

// Starts program with the verb "runas", which asks the user for
// administrator rights; the process handle, or nullptr with error set
// (ERROR_CANCELLED when the user declined).
HANDLE StartElevated(const std::wstring& program, const std::wstring& parameters, DWORD& error);
// The same for this program file.
HANDLE StartElevatedInstance(const std::wstring& parameters, DWORD& error);

// Has driveRoot formatted by an instance that start() starts with the
// format-card switch and waits for it: callback hears command 15 once per
// step the instance reports and command 11 exactly once, last, with
// success only when the instance ended with kFormatCardSucceeded. A
// declined or failed start ends as a failed format.
void FormatThroughElevatedInstance(const std::wstring& driveRoot, FormatCallbackProc callback,
                                   const ElevatedStarter& start);

}  // namespace card

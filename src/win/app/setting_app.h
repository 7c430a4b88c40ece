#pragma once
// The application object: prepares the process (common controls, GDI+),
// takes the card folder from the command line and runs the main settings
// window modally.

#include <string>

// The settings folder on the memory card, with a trailing backslash; empty
// until the command line gives it (or the program runs from the card and
// cannot start its local copy).
extern std::wstring cardFolder;

class CSettingApp {
 public:
  // Runs the program; returns the process exit code.
  static int Run();
};

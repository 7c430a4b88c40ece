#pragma once
// The application object: prepares the process (DLLs, common controls,
// the picture library), takes the card folder from the command line and
// runs the main settings window modally.

class CSettingApp {
 public:
  // Runs the program; returns the process exit code.
  static int Run();
};

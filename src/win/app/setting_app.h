#pragma once

class CSettingApp {
 public:
  // Prepares the process, runs the main settings window modally and returns
  // the process exit code.
  static int Run();
};

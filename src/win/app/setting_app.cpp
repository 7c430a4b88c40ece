#include "win/app/setting_app.h"

#include <windows.h>

#include "win/platform/platform_seams.h"

int CSettingApp::Run() {
  platform::InstallWindowsSeams();
  return 0;
}

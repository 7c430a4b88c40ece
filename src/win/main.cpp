#include <windows.h>

#include "win/app/setting_app.h"
#include "win/app/start_phases.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  app::MarkStartPhase("entry");
  return CSettingApp::Run();
}

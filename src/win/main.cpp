#include <windows.h>

#include "win/app/setting_app.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return CSettingApp::Run(); }

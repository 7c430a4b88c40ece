#include "win/app/setting_app.h"

#include <windows.h>
#include <commctrl.h>

#include "core/app/command_line.h"
#include "win/app/setting_dlg.h"
#include "win/app/start_phases.h"
#include "win/card/format_card_switch.h"
#include "win/controls/picture_library.h"
#include "win/platform/dll_loading.h"
#include "win/platform/program_file.h"
#include "win/platform/platform_seams.h"
#include "win/platform/program_arguments.h"
#include "win/platform/wide.h"

namespace {

// The one argument besides the program name, or empty.
std::wstring SingleArgument() {
  const std::vector<std::wstring> arguments = platform::ProgramArguments();
  return arguments.size() == 1 ? arguments[0] : std::wstring();
}

}  // namespace

int CSettingApp::Run() {
  platform::RestrictDllSearchToSystemFolder();
  platform::BindDelayLoadedDlls();
  platform::InstallWindowsSeams();
  // An instance started elevated to format a large card does only that.
  if (const std::optional<int> exitCode = card::RunFormatCardSwitch()) return *exitCode;

  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&icc);

  CPictureLibrary pictures;
  app::MarkStartPhase("common controls and picture library");

  // A folder typed without its last backslash would otherwise make the
  // program read and write files beside the folder instead of inside it.
  cardFolder = ToWide(app::WithTrailingSeparator(U16(SingleArgument())));
  {
    CSettingDlg dialog;
    dialog.DoModal(nullptr);
  }
  return 0;
}

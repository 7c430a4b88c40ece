#include "win/app/local_copy.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "core/app/command_line.h"
#include "core/diag/diagnostics.h"
#include "win/platform/wide.h"

namespace app {
namespace {

// The drive root: the path cut after its first backslash (E:\).
std::wstring RootOf(const std::wstring& path) {
  size_t first = path.find(L'\\');
  return first == std::wstring::npos ? path : path.substr(0, first + 1);
}

}  // namespace

bool IsOnRemovableDrive(const std::wstring& folder) {
  if (folder.empty()) return false;
  const std::wstring root = RootOf(folder);
  // Windows' own drive, where the local copy runs, is a fixed disk; asking
  // the drive costs a start dearly under Wine (its mount manager answers).
  wchar_t windows[MAX_PATH] = {};
  const UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
  if (length >= root.size() && length < MAX_PATH &&
      _wcsnicmp(windows, root.c_str(), root.size()) == 0) {
    return false;
  }
  return GetDriveTypeW(root.c_str()) == DRIVE_REMOVABLE;
}

std::wstring MakeLocalCopy(const std::wstring& programPath) {
  wchar_t appData[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, appData, CSIDL_LOCAL_APPDATA, FALSE)) return {};
  std::wstring folder = std::wstring(appData) + L"\\Vistapane";
  CreateDirectoryW(folder.c_str(), nullptr);  // an existing folder is fine
  size_t last = programPath.rfind(L'\\');
  if (last == std::wstring::npos) return {};
  std::wstring target = folder + programPath.substr(last);
  if (!CopyFileW(programPath.c_str(), target.c_str(), FALSE)) return {};
  return target;
}

bool Relaunch(const std::wstring& copyPath, const std::wstring& cardFolder) {
  std::wstring workingFolder = RootOf(copyPath);
  // Quoted, so a folder with blanks arrives as one argument.
  std::wstring parameter = ToWide(QuoteArgument(U16(cardFolder)));
  auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(
      nullptr, L"open", copyPath.c_str(), parameter.c_str(), workingFolder.c_str(), SW_SHOW));
  diag::Write(U16(copyPath));
  diag::Write(U16(cardFolder));
  diag::Write(U16(workingFolder));
  return result > 32;
}

}  // namespace app

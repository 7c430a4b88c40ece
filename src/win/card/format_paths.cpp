#include "win/card/format_paths.h"

#include "win/platform/program_file.h"

namespace card {
namespace {

bool IsAsciiLetter(wchar_t c) { return (c | 0x20) >= L'a' && (c | 0x20) <= L'z'; }

std::wstring DriveRootOf(const std::wstring& path) {
  const size_t slash = path.find(L'\\');
  if (slash == std::wstring::npos) return {};
  std::wstring root = path.substr(0, slash + 1);
  return IsDriveLetterRoot(root) ? root : std::wstring();
}

}  // namespace

CardFormatPaths MakeCardFormatPaths(const std::wstring& cardFolder, const std::wstring& programPath) {
  const std::wstring programFolder = platform::FolderOf(programPath);
  const std::wstring programName = programPath.substr(programFolder.size());
  return {DriveRootOf(cardFolder), cardFolder + L"setup.cfg", programPath,
          programFolder + L"setup.cfg", cardFolder + programName};
}

bool IsDriveLetterRoot(const std::wstring& root) {
  return root.size() == 3 && IsAsciiLetter(root[0]) && root[1] == L':' && root[2] == L'\\';
}

bool ProgramRunsFromCard(const CardFormatPaths& paths) {
  const std::wstring programRoot = DriveRootOf(paths.programPath);
  return !programRoot.empty() && !paths.driveRoot.empty() &&
         (programRoot[0] | 0x20) == (paths.driveRoot[0] | 0x20);
}

}  // namespace card

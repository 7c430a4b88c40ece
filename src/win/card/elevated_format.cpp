#include "win/card/elevated_format.h"

#include <shellapi.h>

#include "core/diag/diagnostics.h"
#include "core/text/u16.h"
#include "win/platform/program_file.h"
#include "win/card/format_card_switch.h"
#include "win/framework/handle.h"

namespace card {
namespace {

constexpr LONG kMaxPendingSteps = 1000;

void Report(FormatCallbackProc callback, FormatCommand command, PVOID actionInfo) {
  callback(static_cast<int>(command), 0, actionInfo);
}

// A name no other format run uses at the same time.
std::wstring NewStepsName() {
  return kFormatStepsPrefix + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount64());
}

// Passes each step on until the instance ends; true when it formatted.
bool FollowInstance(HANDLE instance, HANDLE steps, FormatCallbackProc callback) {
  // Steps first: a step released just before the instance ended is still
  // reported before the end.
  const HANDLE waits[] = {steps, instance};
  while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0) {
    Report(callback, FormatCommand::kStructureProgress, nullptr);
  }
  while (WaitForSingleObject(steps, 0) == WAIT_OBJECT_0) {
    Report(callback, FormatCommand::kStructureProgress, nullptr);
  }
  DWORD exitCode = kFormatCardFailed;
  return GetExitCodeProcess(instance, &exitCode) && exitCode == kFormatCardSucceeded;
}

}  // namespace

HANDLE StartElevated(const std::wstring& program, const std::wstring& parameters, DWORD& error) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = L"runas";
  info.lpFile = program.c_str();
  info.lpParameters = parameters.c_str();
  info.nShow = SW_HIDE;
  if (!ShellExecuteExW(&info)) {
    error = GetLastError();
    return nullptr;
  }
  if (info.hProcess == nullptr) error = ERROR_INVALID_HANDLE;
  return info.hProcess;
}

HANDLE StartElevatedInstance(const std::wstring& parameters, DWORD& error) {
  return StartElevated(platform::ProgramPath(), parameters, error);
}

void FormatThroughElevatedInstance(const std::wstring& driveRoot, FormatCallbackProc callback,
                                   const ElevatedStarter& start) {
  BOOLEAN success = FALSE;
  const std::wstring stepsName = NewStepsName();
  UniqueKernelHandle steps(CreateSemaphoreW(nullptr, 0, kMaxPendingSteps, stepsName.c_str()));
  if (steps) {
    DWORD error = ERROR_SUCCESS;
    UniqueKernelHandle instance(
        start(std::wstring(kFormatCardSwitch) + L" " + driveRoot + L" " + stepsName, error));
    if (instance) {
      diag::Write(u"Format: elevated instance started");
      success = FollowInstance(instance.get(), steps.get(), callback);
    } else if (error == ERROR_CANCELLED) {
      diag::Write(u"Format: administrator rights declined");
    } else {
      diag::Write(u"Format: elevated instance not started, error " + text::Dec(error));
    }
  }
  Report(callback, FormatCommand::kDone, &success);
}

}  // namespace card

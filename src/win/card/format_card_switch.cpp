#include "win/card/format_card_switch.h"

#include "win/card/format_engine.h"
#include "win/card/raw_volume_device.h"
#include "win/framework/handle.h"
#include "win/platform/program_arguments.h"

namespace card {
namespace {

constexpr size_t kMaxStepsNameLength = 64;

bool IsStepsName(const std::wstring& name) {
  const std::wstring prefix = kFormatStepsPrefix;
  return name.size() > prefix.size() && name.size() <= kMaxStepsNameLength &&
         name.compare(0, prefix.size(), prefix) == 0 &&
         name.find_first_of(L"\\/", prefix.size()) == std::wstring::npos;
}

DWORD FormatCard(const FormatCardRequest& request) {
  // Without the semaphore (another user's credentials, for one) the format
  // still runs; only the bar stays where it is.
  UniqueKernelHandle steps(
      OpenSemaphoreW(SEMAPHORE_MODIFY_STATE, FALSE, request.stepsName.c_str()));
  OpenedRawVolume opened = RawVolumeDevice::Open(request.driveRoot);
  if (!opened.device) return kFormatCardFailed;
  const bool formatted = FormatOpenedVolume(*opened.device, [&steps](const FormatEvent& event) {
    if (event.command == FormatCommand::kStructureProgress && steps) {
      ReleaseSemaphore(steps.get(), 1, nullptr);
    }
  });
  return formatted ? kFormatCardSucceeded : kFormatCardFailed;
}

}  // namespace

std::optional<FormatCardRequest> ParseFormatCardSwitch(const std::vector<std::wstring>& arguments) {
  if (arguments.size() != 3 || arguments[0] != kFormatCardSwitch) return std::nullopt;
  if (!IsRemovableDriveRoot(arguments[1]) || !IsStepsName(arguments[2])) return std::nullopt;
  return FormatCardRequest{arguments[1], arguments[2]};
}

std::optional<int> RunFormatCardSwitch(const std::vector<std::wstring>& arguments) {
  if (arguments.empty() || arguments[0] != kFormatCardSwitch) return std::nullopt;
  const std::optional<FormatCardRequest> request = ParseFormatCardSwitch(arguments);
  if (!request) return kFormatCardRefused;
  return static_cast<int>(FormatCard(*request));
}

std::optional<int> RunFormatCardSwitch() {
  return RunFormatCardSwitch(platform::ProgramArguments());
}

}  // namespace card

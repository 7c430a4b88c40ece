#include "win/card/format_engine.h"

#include "core/card/fat32_format.h"
#include "core/diag/diagnostics.h"
#include "win/card/raw_volume_device.h"
#include "win/framework/handle.h"

namespace card {
namespace {

constexpr int kRemovableMedia = 11;

using FormatExProc = void(WINAPI*)(PWCHAR driveRoot, int mediaFlag, PWCHAR fileSystem,
                                   PWCHAR label, BOOL quickFormat, ULONG clusterBytes,
                                   FormatCallbackProc callback);

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Invalid() { return nullptr; }
  static bool IsValid(Handle h) { return h != nullptr; }
  static void Close(Handle h) { FreeLibrary(h); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;

void Report(FormatCallbackProc callback, FormatCommand command, PVOID actionInfo) {
  callback(static_cast<int>(command), 0, actionInfo);
}

DateTime LocalNow() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return {now.wYear,
          static_cast<std::uint8_t>(now.wMonth),
          static_cast<std::uint8_t>(now.wDay),
          static_cast<std::uint8_t>(now.wHour),
          static_cast<std::uint8_t>(now.wMinute),
          static_cast<std::uint8_t>(now.wSecond),
          now.wMilliseconds};
}

// False when Windows has no formatter to offer.
bool FormatWithWindows(const std::wstring& driveRoot, FormatCallbackProc callback) {
  // Only the system's own copy: a fmifs.dll put beside the program on the
  // card must never run.
  UniqueModule fmifs(LoadLibraryExW(L"fmifs.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!fmifs) {
    diag::Write(u"LoadLibrary(fmifs.dll) failed");
    return false;
  }
  auto formatEx = reinterpret_cast<FormatExProc>(
      reinterpret_cast<void*>(GetProcAddress(fmifs.get(), "FormatEx")));
  if (formatEx == nullptr) {
    diag::Write(u"GetProcAddress(fmifs) failed");
    return false;
  }
  std::wstring root = driveRoot;
  std::wstring fileSystem = L"FAT32";
  std::wstring label(kVolumeLabel.begin(), kVolumeLabel.end());
  formatEx(root.data(), kRemovableMedia, fileSystem.data(), label.data(), TRUE, 0, callback);
  return true;
}

void FormatWithOwnWriter(const std::wstring& driveRoot, FormatCallbackProc callback) {
  BOOLEAN success = FALSE;
  {
    OpenedRawVolume opened = RawVolumeDevice::Open(driveRoot);
    if (opened.device) {
      FormatRequest request;
      request.hiddenSectors = opened.device->HiddenSectors();
      request.time = LocalNow();
      success = FormatFat32(*opened.device, request, [callback](const FormatEvent& event) {
                  DWORD percent = event.percent;
                  if (event.command == FormatCommand::kStructureProgress) {
                    Report(callback, event.command, nullptr);
                  } else if (event.command == FormatCommand::kProgress) {
                    Report(callback, event.command, &percent);
                  }
                }).ok();
    }
  }
  // Reported only now that the volume is unlocked: the card is usable again.
  Report(callback, FormatCommand::kDone, &success);
}

}  // namespace

bool SystemFormatEngine::CanFormat(const std::wstring& driveRoot) const {
  return IsRemovableDriveRoot(driveRoot);
}

bool SystemFormatEngine::Format(const std::wstring& driveRoot, FormatCallbackProc callback) {
  if (!FormatWithWindows(driveRoot, callback)) FormatWithOwnWriter(driveRoot, callback);
  return true;
}

}  // namespace card

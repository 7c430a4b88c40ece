#include "win/card/format_engine.h"

#include <winioctl.h>

#include <optional>

#include "core/card/boot_serial.h"
#include "core/card/sector_buffer.h"
#include "core/diag/diagnostics.h"
#include "win/card/elevated_format.h"
#include "win/card/format_route.h"
#include "win/card/test_hooks.h"
#include "win/framework/handle.h"

namespace card {
namespace {

constexpr int kRemovableMedia = 11;

using FormatExProc = void(WINAPI*)(PWCHAR driveRoot, int mediaFlag, PWCHAR fileSystem, PWCHAR label,
                                   BOOL quickFormat, ULONG clusterBytes,
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

// The size of the disk behind driveRoot, 0 when it cannot be read. A
// handle without read or write access is enough for the question, so this
// needs no administrator rights.
std::uint64_t VolumeBytes(const std::wstring& driveRoot) {
  UniqueKernelHandle volume(CreateFileW(RawVolumePath(driveRoot).c_str(), 0,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
  if (!volume) return 0;
  // The extended answer carries partition and detection data behind its
  // fixed part; a buffer of only the fixed size may be refused.
  struct {
    DISK_GEOMETRY_EX geometry;
    BYTE trailer[256];
  } disk{};
  DWORD bytes = 0;
  if (DeviceIoControl(volume.get(), IOCTL_DISK_GET_DRIVE_GEOMETRY_EX, nullptr, 0, &disk,
                      sizeof disk, &bytes, nullptr)) {
    return static_cast<std::uint64_t>(disk.geometry.DiskSize.QuadPart);
  }
  // Wine opens a drive that is mapped to an image file as that plain file,
  // which answers no disk query but has a size.
  LARGE_INTEGER size{};
  if (GetLastError() != ERROR_NOT_SUPPORTED || !GetFileSizeEx(volume.get(), &size)) return 0;
  return static_cast<std::uint64_t>(size.QuadPart);
}

// The volume's first 4096 bytes, a whole number of sectors of any size.
// Reading a raw volume may need administrator rights, so this may fail.
bool ReadFirstSector(const std::wstring& driveRoot, SectorBuffer& sector) {
  UniqueKernelHandle volume(CreateFileW(RawVolumePath(driveRoot).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                        0, nullptr));
  DWORD read = 0;
  const auto bytes = sector.Bytes();
  return volume &&
         ReadFile(volume.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) &&
         read == bytes.size();
}

// A card that no FAT32 volume fits, at any cluster size, is refused before
// anything is written, with the reason.
std::optional<FormatAttempt> RefuseBySize(std::uint64_t bytes) {
  switch (FitOfCard(bytes)) {
    case CardSizeFit::kTooSmall:
      return FormatAttempt::kCardTooSmall;
    case CardSizeFit::kTooLarge:
      return FormatAttempt::kCardTooLarge;
    case CardSizeFit::kFits:
      break;
  }
  return std::nullopt;
}

// Only the system's own copy: a fmifs.dll put beside the program on the
// card must never run.
UniqueModule LoadWindowsFormatter() {
  UniqueModule fmifs(LoadLibraryExW(L"fmifs.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!fmifs) diag::Write(u"LoadLibrary(fmifs.dll) failed");
  return fmifs;
}

FormatExProc FindFormatEx(HMODULE fmifs) {
  if (fmifs == nullptr) return nullptr;
  auto formatEx =
      reinterpret_cast<FormatExProc>(reinterpret_cast<void*>(GetProcAddress(fmifs, "FormatEx")));
  if (formatEx == nullptr) diag::Write(u"GetProcAddress(fmifs) failed");
  return formatEx;
}

void FormatWithWindows(FormatExProc formatEx, const std::wstring& driveRoot,
                       FormatCallbackProc callback) {
  std::wstring root = driveRoot;
  std::wstring fileSystem = L"FAT32";
  std::wstring label(kVolumeLabel.begin(), kVolumeLabel.end());
  formatEx(root.data(), kRemovableMedia, fileSystem.data(), label.data(), TRUE, 0, callback);
}

// The raw volume as this process may open it.
OpenedRawVolume OpenRawVolume(const std::wstring& driveRoot) {
  if (TestHookDeniesRawVolume(driveRoot)) {
    return {nullptr, {DeviceFault::kOpenFailed, ERROR_ACCESS_DENIED}, true};
  }
  return RawVolumeDevice::Open(driveRoot);
}

}  // namespace

SystemFormatEngine::SystemFormatEngine()
    : SystemFormatEngine(OpenRawVolume, StartElevatedInstance) {}

SystemFormatEngine::SystemFormatEngine(RawVolumeOpener openRawVolume, ElevatedStarter startElevated)
    : openRawVolume_(std::move(openRawVolume)), startElevated_(std::move(startElevated)) {}

bool SystemFormatEngine::CanFormat(const std::wstring& driveRoot) const {
  return IsRemovableDriveRoot(driveRoot);
}

CardIdentity SystemFormatEngine::Identify(const std::wstring& driveRoot) const {
  CardIdentity card;
  card.bytes = VolumeBytes(driveRoot);
  // Read from the card itself where this process may: Wine reports one
  // serial number per drive, whatever card is in it, so only the boot
  // sector tells cards apart there. A card whose boot sector is gone has
  // none, whatever the system still reports.
  SectorBuffer sector(kSectorBufferAlignment);
  if (ReadFirstSector(driveRoot, sector)) {
    card.volumeSerial = BootSectorSerial(sector.Bytes());
    return card;
  }
  DWORD serial = 0;
  if (GetVolumeInformationW(driveRoot.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) {
    card.volumeSerial = serial;
  }
  return card;
}

FormatAttempt SystemFormatEngine::Format(const std::wstring& driveRoot,
                                         FormatCallbackProc callback) {
  const std::uint64_t bytes = VolumeBytes(driveRoot);
  if (const std::optional<FormatAttempt> refused = RefuseBySize(bytes)) return *refused;
  UniqueModule fmifs = LoadWindowsFormatter();
  const FormatExProc formatEx = FindFormatEx(fmifs.get());
  if (ChooseFormatRoute(formatEx != nullptr, bytes) == FormatRoute::kWindowsFormatter) {
    FormatWithWindows(formatEx, driveRoot, callback);
  } else {
    FormatWithOwnWriter(driveRoot, callback);
  }
  return FormatAttempt::kTried;
}

void SystemFormatEngine::FormatWithOwnWriter(const std::wstring& driveRoot,
                                             FormatCallbackProc callback) {
  BOOLEAN success = FALSE;
  {
    OpenedRawVolume opened = openRawVolume_(driveRoot);
    if (opened.needsElevation) {
      FormatThroughElevatedInstance(driveRoot, callback, startElevated_);
      return;
    }
    if (opened.device) {
      success = FormatOpenedVolume(*opened.device, [callback](const FormatEvent& event) {
        DWORD percent = event.percent;
        if (event.command == FormatCommand::kStructureProgress) {
          Report(callback, event.command, nullptr);
        } else if (event.command == FormatCommand::kProgress) {
          Report(callback, event.command, &percent);
        }
      });
    }
  }
  // Reported only now that the volume is unlocked: the card is usable again.
  Report(callback, FormatCommand::kDone, &success);
}

bool FormatOpenedVolume(RawVolumeDevice& volume, const FormatProgress& progress) {
  FormatRequest request;
  request.hiddenSectors = volume.HiddenSectors();
  const LayoutResult fitted = ComputeLargestClusterLayout(
      {volume.SectorCount(), volume.SectorSize(), request.hiddenSectors});
  if (fitted.ok()) request.clusterBytes = fitted.layout.sectorsPerCluster * volume.SectorSize();
  request.time = LocalNow();
  return FormatFat32(volume, request, progress).ok();
}

}  // namespace card

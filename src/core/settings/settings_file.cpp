#include "core/settings/settings_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "core/diag/diagnostics.h"
#include "core/io/file.h"
#include "core/settings/line_format.h"
#include "core/settings/settings_dump.h"

namespace {

std::int32_t VersionMajor(const SettingsRecord& record) {
  return static_cast<std::int32_t>(record.configVersion >> 16);
}
std::int32_t VersionMinor(const SettingsRecord& record) {
  return static_cast<std::int32_t>(record.configVersion & 0xFFFF);
}

}  // namespace

int SettingsFile::LoadSettings(const io::PathString& path) {
  io::File file = io::File::Open(path, io::File::Mode::kRead);
  if (!file.IsOpen()) {
    diag::Write(u"Warning BlackBox Setting not found !\n");
    return 0;
  }
  // Only the record's worth is read, so a damaged card with a huge file
  // costs nothing; its real length still drives the warnings.
  std::optional<std::uint64_t> length = file.Size();
  // No camera writes less than the first layout: a shorter file was cut
  // off (a card pulled while writing) and holds no settings worth
  // showing, so the caller starts from the factory settings instead of
  // from zeros the driver never chose.
  if (length && *length < kOldestRecordSize) {
    diag::Write(u"Warning BlackBox Setting too short, factory settings used !\n");
    return 0;
  }
  SettingsRecord loaded{};
  std::optional<std::size_t> count;
  if (length) count = file.Read(std::as_writable_bytes(std::span(&loaded, 1)));
  if (!count) {
    diag::Write(u"Warning BlackBox Setting read failed !\n");
    return 0;
  }

  if (settingsRecord == nullptr) settingsRecord = new SettingsRecord{};
  *settingsRecord = loaded;

  diag::Write(u"\n\nBlackBox Setting loading...\n");
  diag::Write(u"config version : 1.0 , checksum = 356\n");
  diag::Write(u"config version : 1.1 , checksum = 372\n");
  diag::Write(u"config version : 1.2 , checksum = 412\n");
  diag::Write(u"config version : 1.3 , checksum = 420\n");
  diag::Write(settings::FormatLine(
      u"Read Product:[%s], Config Ver.:[%d.%d], CheckSum:[%d], Read Size:[%d]\n",
      {VersionMajor(loaded), VersionMinor(loaded), static_cast<std::int32_t>(loaded.checkSum),
       static_cast<std::int32_t>(static_cast<std::uint32_t>(*length))},
      settings::ProductName(loaded)));
  if (*length > kSettingsRecordSize) {
    diag::Write(u"Warning config version seems to be higher than 1.2 or invalid !\n");
  }
  if (*length != loaded.checkSum) {
    diag::Write(u"Warning file length differs  from the checksum !\n");
  }
  return 1;
}

int SettingsFile::SaveSettings(const io::PathString& path) {
  io::File file;
  if (settingsRecord != nullptr) file = io::File::Open(path, io::File::Mode::kUpdate);
  if (!file.IsOpen()) {
    diag::Write(u"\n\nBlackBox Setting fail to save\n");
    return 0;
  }
  diag::Write(u"\n\nBlackBox Setting saving...\n");
  diag::Write(u"config version : 1.5 , checksum = 432\n");

  // An older camera's file keeps its own length. A record that was never
  // loaded has checkSum 0 and is written whole, as the current version, so
  // that a fresh card gets its settings at all.
  SettingsRecord image = *settingsRecord;
  const std::size_t size = settings::SavedLength(image.checkSum);
  if (image.checkSum < kOldestRecordSize && image.configVersion == 0) {
    image.configVersion = kConfigVersion15;
  }
  image.checkSum = kSettingsRecordSize;
  std::span<const std::byte> bytes = std::as_bytes(std::span(&image, 1)).first(size);
  if (!file.Write(bytes) || !file.Close()) {
    diag::Write(u"Warning BlackBox Setting write failed !\n");
    return 0;
  }
  // Only a write that reached the card changes the record, so a retry after
  // a failure writes the same length again.
  *settingsRecord = image;

  diag::Write(settings::FormatLine(
      u"Write Product:[%s]  Config Ver.:[%d.%d], CheckSum:[%d], Written Size [%d] \n",
      {VersionMajor(image), VersionMinor(image), static_cast<std::int32_t>(image.checkSum),
       static_cast<std::int32_t>(size)},
      settings::ProductName(image)));
  settings::WriteSettingsDump(image);
  return 1;
}

#include "core/settings/settings_record.h"

#include <algorithm>
#include <string_view>

#include "core/text/codepage.h"

SettingsRecord* settingsRecord = nullptr;

namespace settings {

std::u16string ProductName(const SettingsRecord& record) {
  std::string_view bytes(record.productName, sizeof record.productName);
  return text::ActiveCodePage().Decode(bytes.substr(0, bytes.find('\0')));
}

std::size_t SavedLength(std::uint32_t checkSum) {
  if (checkSum < kOldestRecordSize) return kSettingsRecordSize;
  return std::min(checkSum, kSettingsRecordSize);
}

bool IsSaved(const SettingsRecord& record, std::size_t offset, std::size_t size) {
  return offset + size <= SavedLength(record.checkSum);
}

}  // namespace settings

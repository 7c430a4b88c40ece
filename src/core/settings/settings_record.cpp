#include "core/settings/settings_record.h"

#include <string_view>

#include "core/text/codepage.h"

SettingsRecord* settingsRecord = nullptr;

namespace settings {

std::u16string ProductName(const SettingsRecord& record) {
  std::string_view bytes(record.productName, sizeof record.productName);
  return text::ActiveCodePage().Decode(bytes.substr(0, bytes.find('\0')));
}

}  // namespace settings

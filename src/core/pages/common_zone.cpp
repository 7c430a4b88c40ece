#include "core/pages/common_zone.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "core/diag/diagnostics.h"
#include "core/text/codepage.h"
#include "core/text/u16.h"

namespace pages::common {

namespace {

constexpr std::size_t kZoneNameBytes = sizeof(SettingsRecord::timeZoneName);

bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// The longest encoding of a leading part of `name`, ending on a whole
// character, that leaves room for the terminator. Cutting the bytes instead
// could split a double-byte character of the code page.
std::string EncodeToFit(std::u16string_view name) {
  const text::CodePage& codePage = text::ActiveCodePage();
  std::string bytes = codePage.Encode(name);
  while (bytes.size() > kZoneNameBytes - 1 && !name.empty()) {
    name.remove_suffix(1);
    if (!name.empty() && IsLowSurrogate(name.back())) name.remove_suffix(1);
    bytes = codePage.Encode(name);
  }
  return bytes;
}

void WriteZoneLine(std::u16string_view lead, std::u16string_view name, std::int32_t offset) {
  std::u16string line(lead);
  line.append(u"[").append(name).append(u"] Bias[").append(text::Dec(offset)).append(u"]\n");
  diag::Write(line);
}

}  // namespace

std::u16string StoredZoneName(const SettingsRecord& record) {
  const std::string_view field(record.timeZoneName, kZoneNameBytes);
  return text::ActiveCodePage().Decode(field.substr(0, field.find('\0')));
}

void StoreZone(SettingsRecord& record, const CRegTimeZoneInfo& zone) {
  const std::string bytes = EncodeToFit(zone.keyName);
  std::memset(record.timeZoneName, 0, kZoneNameBytes);
  std::memcpy(record.timeZoneName, bytes.data(), std::min(bytes.size(), kZoneNameBytes - 1));
  record.timeZoneOffset = zone.bias;
}

int SelectStoredZone(const CTimeZoneInfoManager& catalogue,
                     const std::function<tz::PcTimeZone()>& readPcZone, SettingsRecord& record) {
  const std::u16string name = StoredZoneName(record);
  WriteZoneLine(u"TimeZone Read  ", name, record.timeZoneOffset);
  if (catalogue.GetCount() == 0) return -1;
  if (!name.empty() || record.timeZoneOffset != 0) {
    // A zone this PC does not know (or knows at another offset) is shown
    // by a zone of the same offset, so the list never shows an offset
    // other than the one Save keeps and time.dat carries.
    int stored = catalogue.FindZone(name, record.timeZoneOffset);
    if (stored < 0) stored = catalogue.FindZone(u"", record.timeZoneOffset);
    return stored >= 0 ? stored : catalogue.FindCurrentZone(readPcZone());
  }
  const int current = catalogue.FindCurrentZone(readPcZone());
  StoreZone(record, catalogue.GetAt(current));
  return current;
}

bool ChooseZone(const CTimeZoneInfoManager& catalogue, int index, SettingsRecord& record) {
  if (index < 0 || index >= catalogue.GetCount()) return false;
  const CRegTimeZoneInfo& zone = catalogue.GetAt(index);
  StoreZone(record, zone);
  WriteZoneLine(u"TimeZone ", zone.keyName, zone.bias);
  return true;
}

}  // namespace pages::common

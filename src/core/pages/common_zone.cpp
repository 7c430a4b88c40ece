#include "core/pages/common_zone.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "core/diag/diagnostics.h"
#include "core/text/codepage.h"
#include "core/text/u16.h"
#include "core/timezone/utc_offset_label.h"

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

// Display names come from the PC's database, and some lag behind its
// offsets; the label must name the offset that Save writes.
ZoneEntry CatalogueEntry(const CRegTimeZoneInfo& zone) {
  return {tz::WithUtcOffsetLabel(zone.displayName, zone.bias), zone.keyName,
          EncodeZoneName(zone.keyName), zone.bias};
}

// A zone the catalogue has no entry for, shown in the catalogue's style.
std::u16string OwnDisplayName(std::int32_t offset, std::u16string_view name) {
  std::u16string display = tz::UtcOffsetLabel(offset);
  if (!name.empty()) display.append(u" ").append(name);
  return display;
}

// Chosen again after another zone, it puts back the field byte for byte.
ZoneEntry StoredEntry(const SettingsRecord& record) {
  const std::u16string name = StoredZoneName(record);
  ZoneEntry entry{OwnDisplayName(record.timeZoneOffset, name), name, {}, record.timeZoneOffset};
  std::copy_n(record.timeZoneName, kZoneNameBytes, entry.nameField.begin());
  return entry;
}

ZoneEntry PcEntry(const tz::PcTimeZone& pc) {
  std::u16string display = pc.displayName.empty() ? OwnDisplayName(pc.bias, pc.keyName)
                                                  : tz::WithUtcOffsetLabel(pc.displayName, pc.bias);
  return {std::move(display), pc.keyName, EncodeZoneName(pc.keyName), pc.bias};
}

// Sorts `entry` in east to west, after the entries of its own offset; its
// index in the list.
int AddOwnEntry(ZoneList& list, ZoneEntry entry) {
  const auto west = std::find_if(list.entries.begin(), list.entries.end(),
                                 [&](const ZoneEntry& e) { return e.offset < entry.offset; });
  return static_cast<int>(list.entries.insert(west, std::move(entry)) - list.entries.begin());
}

void Store(const ZoneEntry& entry, SettingsRecord& record) {
  std::copy(entry.nameField.begin(), entry.nameField.end(), record.timeZoneName);
  record.timeZoneOffset = entry.offset;
}

}  // namespace

std::u16string StoredZoneName(const SettingsRecord& record) {
  const std::string_view field(record.timeZoneName, kZoneNameBytes);
  return text::ActiveCodePage().Decode(field.substr(0, field.find('\0')));
}

ZoneNameField EncodeZoneName(std::u16string_view keyName) {
  const std::string bytes = EncodeToFit(keyName);
  ZoneNameField field{};
  std::copy_n(bytes.begin(), std::min(bytes.size(), kZoneNameBytes - 1), field.begin());
  return field;
}

ZoneList BuildZoneList(const CTimeZoneInfoManager& catalogue,
                       const std::function<tz::PcTimeZone()>& readPcZone, SettingsRecord& record) {
  const std::u16string name = StoredZoneName(record);
  WriteZoneLine(u"TimeZone Read  ", name, record.timeZoneOffset);
  ZoneList list;
  if (catalogue.GetCount() == 0) return list;
  for (int i = 0; i < catalogue.GetCount(); ++i) {
    list.entries.push_back(CatalogueEntry(catalogue.GetAt(i)));
  }
  // The list never shows an offset other than the one Save writes and
  // time.dat carries: a zone this PC does not know, or knows at another
  // offset, is shown by a zone of its offset, or else as it is stored.
  if (!name.empty() || record.timeZoneOffset != 0) {
    int stored = catalogue.FindZone(name, record.timeZoneOffset);
    if (stored < 0) stored = catalogue.FindZone(u"", record.timeZoneOffset);
    list.selected = stored >= 0 ? stored : AddOwnEntry(list, StoredEntry(record));
    return list;
  }
  // The camera takes the PC's zone, which may be one the catalogue leaves
  // out; a zone of the PC's offset then stands in for it.
  const tz::PcTimeZone pc = readPcZone();
  int current = catalogue.FindCurrentZone(pc);
  if (current < 0) current = catalogue.FindZone(u"", pc.bias);
  list.selected = current >= 0 ? current : AddOwnEntry(list, PcEntry(pc));
  Store(list.entries[static_cast<std::size_t>(list.selected)], record);
  return list;
}

bool ChooseZone(const ZoneList& list, int index, SettingsRecord& record) {
  if (index < 0 || index >= static_cast<int>(list.entries.size())) return false;
  const ZoneEntry& entry = list.entries[static_cast<std::size_t>(index)];
  Store(entry, record);
  WriteZoneLine(u"TimeZone ", entry.name, entry.offset);
  return true;
}

}  // namespace pages::common

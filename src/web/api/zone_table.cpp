#include "web/api/zone_table.h"

#include <algorithm>
#include <iterator>

#include "core/text/u16.h"
#include "core/timezone/zone_values.h"

namespace web {
namespace {

struct WindowsZone {
  const char* keyName;
  const char* display;
  const char* standardName;
  unsigned char tzi[tz::kTziQueryBytes];
};

struct IanaZone {
  const char* name;
  int windowsZone;  // index in kWindowsZones
};

// kWindowsZones and kIanaZones, made at build time by make_zone_source.py.
#include "zone_data.inc"

// A registry string value: UTF-16LE with its terminating NUL.
std::vector<std::byte> RegistryString(const char* utf8) {
  std::vector<std::byte> bytes;
  for (char16_t unit : text::FromUtf8(utf8) + u'\0') {
    bytes.push_back(static_cast<std::byte>(unit & 0xFF));
    bytes.push_back(static_cast<std::byte>(unit >> 8));
  }
  return bytes;
}

std::vector<tz::ZoneValue> ValuesOf(const WindowsZone& zone) {
  const auto* tzi = reinterpret_cast<const std::byte*>(zone.tzi);
  return {{u"Display", RegistryString(zone.display)},
          {u"Std", RegistryString(zone.standardName)},
          {u"TZI", std::vector<std::byte>(tzi, tzi + sizeof zone.tzi)}};
}

}  // namespace

std::vector<std::u16string> ZoneTable::ZoneKeyNames() const {
  std::vector<std::u16string> names;
  for (const WindowsZone& zone : kWindowsZones) names.push_back(text::FromUtf8(zone.keyName));
  return names;
}

std::vector<tz::ZoneValue> ZoneTable::ZoneValues(std::u16string_view keyName) const {
  const std::string name = text::ToUtf8(keyName);
  for (const WindowsZone& zone : kWindowsZones) {
    if (name == zone.keyName) return ValuesOf(zone);
  }
  return {};
}

tz::PcTimeZone PcZoneOf(std::string_view ianaName) {
  const auto* found = std::find_if(std::begin(kIanaZones), std::end(kIanaZones),
                                   [&](const IanaZone& zone) { return ianaName == zone.name; });
  if (found == std::end(kIanaZones)) return {};
  const WindowsZone& windows = kWindowsZones[found->windowsZone];
  CRegTimeZoneInfo zone;
  for (const tz::ZoneValue& value : ValuesOf(windows)) {
    tz::ApplyZoneValue(zone, value.name, value.data);
  }
  return {zone.bias, zone.standardBias, zone.standardName, text::FromUtf8(windows.keyName),
          zone.displayName};
}

}  // namespace web

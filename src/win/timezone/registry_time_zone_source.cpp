#include "win/timezone/registry_time_zone_source.h"

#include "win/app/registry_manager.h"
#include "win/platform/wide.h"

namespace tz {
namespace {

constexpr std::u16string_view kTimeZonesKey =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

// The value's bytes, whatever their length; nothing when it cannot be read.
bool ReadValue(CRegistryManager& registry, HKEY key, const std::u16string& name,
               std::vector<std::byte>& data) {
  DWORD bytes = 0;
  if (registry.QueryValue(key, Wide(name), nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
    return false;
  }
  data.resize(bytes);
  if (registry.QueryValue(key, Wide(name), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                          &bytes) != ERROR_SUCCESS) {
    return false;
  }
  data.resize(bytes);
  return true;
}

}  // namespace

std::vector<std::u16string> RegistryTimeZoneSource::ZoneKeyNames() const {
  CRegistryManager registry;
  RegKey key;
  std::vector<std::u16string> names;
  const std::u16string path(kTimeZonesKey);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, Wide(path), 0, KEY_READ, key) == ERROR_SUCCESS) {
    registry.EnumSubKeyNames(key.get(), names);
  }
  return names;
}

std::vector<ZoneValue> RegistryTimeZoneSource::ZoneValues(std::u16string_view keyName) const {
  CRegistryManager registry;
  RegKey key;
  std::vector<ZoneValue> values;
  const std::u16string path = std::u16string(kTimeZonesKey) + u"\\" + std::u16string(keyName);
  if (registry.OpenKey(HKEY_LOCAL_MACHINE, Wide(path), 0, KEY_READ, key) != ERROR_SUCCESS) {
    return values;
  }
  // Only these values make a zone: asking for them by name takes a few
  // registry calls per zone where listing every value took dozens.
  for (const char16_t* name : {u"Display", u"Std", u"TZI"}) {
    std::vector<std::byte> data;
    if (ReadValue(registry, key.get(), name, data)) values.push_back({name, std::move(data)});
  }
  return values;
}

}  // namespace tz

#include "win/timezone/registry_time_zone_source.h"

#include "win/app/registry_manager.h"
#include "win/platform/wide.h"

namespace tz {
namespace {

constexpr std::u16string_view kTimeZonesKey =
    u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";

// The value's bytes, whatever their length; nothing when it cannot be read.
// One query usually does: the buffer fits every value a zone has.
bool ReadValue(CRegistryManager& registry, HKEY key, const std::u16string& name,
               std::vector<std::byte>& data) {
  constexpr DWORD kUsualBytes = 512;
  DWORD bytes = kUsualBytes;
  data.resize(bytes);
  LSTATUS status = registry.QueryValue(key, Wide(name), nullptr, nullptr,
                                       reinterpret_cast<BYTE*>(data.data()), &bytes);
  if (status == ERROR_MORE_DATA) {
    data.resize(bytes);
    status = registry.QueryValue(key, Wide(name), nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(data.data()), &bytes);
  }
  if (status != ERROR_SUCCESS) return false;
  data.resize(bytes);
  return true;
}

}  // namespace

RegistryTimeZoneSource::RegistryTimeZoneSource() {
  CRegistryManager registry;
  const std::u16string path(kTimeZonesKey);
  registry.OpenKey(HKEY_LOCAL_MACHINE, Wide(path), 0, KEY_READ, zones_);
}

std::vector<std::u16string> RegistryTimeZoneSource::ZoneKeyNames() const {
  CRegistryManager registry;
  std::vector<std::u16string> names;
  if (zones_) registry.EnumSubKeyNames(zones_.get(), names);
  return names;
}

std::vector<ZoneValue> RegistryTimeZoneSource::ZoneValues(std::u16string_view keyName) const {
  CRegistryManager registry;
  RegKey key;
  std::vector<ZoneValue> values;
  const std::u16string name(keyName);
  if (!zones_ || registry.OpenKey(zones_.get(), Wide(name), 0, KEY_READ, key) != ERROR_SUCCESS) {
    return values;
  }
  // Only these values make a zone: asking for them by name takes a few
  // registry calls per zone where listing every value took dozens.
  for (const char16_t* value : {u"Display", u"Std", u"TZI"}) {
    std::vector<std::byte> data;
    if (ReadValue(registry, key.get(), value, data)) values.push_back({value, std::move(data)});
  }
  return values;
}

}  // namespace tz

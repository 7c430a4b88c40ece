#pragma once
// Registry-shaped zone data for the catalogue's native tests.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "core/timezone/time_zone_source.h"

namespace tztest {

inline void PutLe(std::vector<std::byte>& out, uint32_t value, int width) {
  for (int i = 0; i < width; ++i) out.push_back(static_cast<std::byte>(value >> (8 * i)));
}

// A "TZI" value as Windows stores it, with the registry's signs (Pacific
// time: bias 480, daylight bias -60). Dates get recognisable fillers.
inline std::vector<std::byte> Tzi(int32_t bias, int32_t standardBias, int32_t daylightBias) {
  std::vector<std::byte> out;
  for (int32_t v : {bias, standardBias, daylightBias}) PutLe(out, static_cast<uint32_t>(v), 4);
  for (uint16_t unit = 1; unit <= 16; ++unit) PutLe(out, unit, 2);
  return out;
}

// A registry string value: UTF-16LE, with its terminator unless told not to.
inline std::vector<std::byte> Sz(const std::u16string& s, bool terminated = true) {
  std::vector<std::byte> out;
  for (char16_t c : s) PutLe(out, c, 2);
  if (terminated) PutLe(out, 0, 2);
  return out;
}

// The values of an ordinary zone subkey, in the order Windows lists them.
inline std::vector<tz::ZoneValue> ZoneSubkey(const std::u16string& display,
                                             const std::u16string& standardName,
                                             int32_t registryBias) {
  return {{u"Display", Sz(display)},
          {u"Dlt", Sz(u"Daylight Time")},
          {u"MUI_Std", Sz(u"@tzres.dll,-2")},
          {u"Std", Sz(standardName)},
          {u"TZI", Tzi(registryBias, 0, -60)}};
}

class FakeZones : public tz::TimeZoneSource {
 public:
  FakeZones& Add(const std::u16string& keyName, std::vector<tz::ZoneValue> values) {
    names_.push_back(keyName);
    values_[keyName] = std::move(values);
    return *this;
  }
  // A zone whose standard name is its key name, as on English Windows.
  FakeZones& Add(const std::u16string& keyName, int32_t registryBias) {
    return Add(keyName, ZoneSubkey(u"(" + keyName + u")", keyName, registryBias));
  }

  std::vector<std::u16string> ZoneKeyNames() const override { return names_; }
  std::vector<tz::ZoneValue> ZoneValues(std::u16string_view keyName) const override {
    auto it = values_.find(std::u16string(keyName));
    return it == values_.end() ? std::vector<tz::ZoneValue>{} : it->second;
  }

 private:
  std::vector<std::u16string> names_;
  std::map<std::u16string, std::vector<tz::ZoneValue>> values_;
};

}  // namespace tztest

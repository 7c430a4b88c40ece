#pragma once
// Where the catalogue's zones come from: the Windows time-zone database in
// the registry on the PC, plain data in tests.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tz {

struct ZoneValue {
  std::u16string name;
  std::vector<std::byte> data;  // the value's bytes as stored, any length
};

class TimeZoneSource {
 public:
  virtual ~TimeZoneSource() = default;
  // The subkey names of the database, in enumeration order; names that
  // could not be read are left out.
  virtual std::vector<std::u16string> ZoneKeyNames() const = 0;
  // The values of one zone's subkey in enumeration order; values that could
  // not be read are left out, and a subkey that cannot be opened has none.
  virtual std::vector<ZoneValue> ZoneValues(std::u16string_view keyName) const = 0;
};

}  // namespace tz

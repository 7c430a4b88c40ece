#include "core/timezone/zone_exclusion.h"

#include <algorithm>

#include "core/text/u16.h"

namespace tz {
namespace {

constexpr std::u16string_view kExcludedWords[] = {
    u"Argentina", u"Armenian", u"Bahia",     u"Bangladesh", u"Jordan",      u"Kaliningrad",
    u"Kamchatka", u"Magadan",  u"Mauritius", u"Mexico",     u"Middle East", u"Montevideo",
    u"Morocco",   u"Syria",    u"Turkey",    u"UTC",        u"Venezuela",
};

}  // namespace

bool IsExcludedZoneName(std::u16string_view keyName) {
  return std::any_of(std::begin(kExcludedWords), std::end(kExcludedWords),
                     [keyName](std::u16string_view word) {
                       return keyName.size() >= word.size() &&
                              text::EqualsIgnoringAsciiCase(keyName.substr(0, word.size()), word);
                     });
}

void RemoveExcludedZoneNames(std::vector<std::u16string>& keyNames) {
  std::erase_if(keyNames, [](const std::u16string& name) { return IsExcludedZoneName(name); });
}

}  // namespace tz

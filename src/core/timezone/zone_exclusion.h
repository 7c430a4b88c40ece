#pragma once
// The time zones that the camera is not offered: every registry key name that
// begins with one of a fixed set of words, ignoring letter case.

#include <string>
#include <string_view>
#include <vector>

namespace tz {

// True when `keyName` begins with an excluded word. Only the beginning
// counts: "Mexico Standard Time" is excluded, "Central Standard Time
// (Mexico)" is not.
bool IsExcludedZoneName(std::u16string_view keyName);

// Removes the excluded names, keeping the order of the others.
void RemoveExcludedZoneNames(std::vector<std::u16string>& keyNames);

}  // namespace tz

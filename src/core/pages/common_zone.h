#pragma once
// The camera's time zone on the Common page: the entries of the zone list,
// the one that shows the zone stored in the record, and how a chosen entry
// is stored. The record keeps the zone's key name in the ANSI code page
// (text::ActiveCodePage()) and its offset in minutes east of UTC.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/settings_record.h"
#include "core/timezone/time_zone_info_manager.h"

namespace pages::common {

using ZoneNameField = std::array<char, sizeof(SettingsRecord::timeZoneName)>;

// One entry of the zone list: its text and what choosing it stores.
struct ZoneEntry {
  // The text shown; a "(UTC+hh:mm)" label at its start names `offset`.
  std::u16string displayName;
  // The zone's name for the debugger: its key name, or the name the record
  // held for a zone kept from the record.
  std::u16string name;
  ZoneNameField nameField{};  // the record's name field once it is chosen
  std::int32_t offset = 0;    // minutes east of UTC
};

// The zone list as the page shows it: every catalogue zone, east to west,
// and at most one entry of its own, sorted in among them, for a zone that
// no catalogue zone stands for.
struct ZoneList {
  std::vector<ZoneEntry> entries;
  int selected = -1;  // -1 only for an empty catalogue
};

// The record's zone name as text: its bytes up to the first NUL (all 32
// when there is none), decoded from the ANSI code page.
std::u16string StoredZoneName(const SettingsRecord& record);

// `keyName` as the record's name field holds it: encoded, cut after the
// last whole character that fits in 31 bytes so the field always ends in a
// NUL, the rest of the field zero.
ZoneNameField EncodeZoneName(std::u16string_view keyName);

// The list that shows the record's zone, after writing the line
// "TimeZone Read  [name] Bias[offset]". A stored name or offset selects the
// matching zone, else the first zone of that offset, else an entry of its
// own with the stored name and offset; the record is left alone. A record
// without a zone (empty name, offset 0) gets the PC's zone written: the
// matching catalogue zone, else the first of the PC's offset, else the PC's
// zone as an entry of its own. `readPcZone` is called only then: reading
// it costs as much as the whole catalogue. An empty catalogue gives an
// empty list and leaves the record untouched.
ZoneList BuildZoneList(const CTimeZoneInfoManager& catalogue,
                       const std::function<tz::PcTimeZone()>& readPcZone, SettingsRecord& record);

// The user chose entry `index` of `list`: stores its name field and offset
// and writes the line "TimeZone [name] Bias[offset]". False, with nothing
// changed, for an index outside the list (no selection).
bool ChooseZone(const ZoneList& list, int index, SettingsRecord& record);

}  // namespace pages::common

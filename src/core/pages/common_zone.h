#pragma once
// The camera's time zone on the Common page: which catalogue entry shows
// the zone stored in the record, and how a chosen zone is stored.
// The record keeps the zone's key name in the ANSI code page
// (text::ActiveCodePage()) and its offset in minutes east of UTC.

#include <functional>
#include <string>

#include "core/settings/settings_record.h"
#include "core/timezone/time_zone_info_manager.h"

namespace pages::common {

// The record's zone name as text: its bytes up to the first NUL (all 32
// when there is none), decoded from the ANSI code page.
std::u16string StoredZoneName(const SettingsRecord& record);

// Stores `zone` in the record: its key name in the ANSI code page, cut
// after the last whole character that fits in 31 bytes so the field always
// ends in a NUL, the rest of the field zero; and its bias.
void StoreZone(SettingsRecord& record, const CRegTimeZoneInfo& zone);

// The catalogue index that shows the record's zone, after writing the line
// "TimeZone Read  [name] Bias[offset]". A stored name or offset selects the
// matching zone, or else the first zone of that offset, or else the PC's
// zone, and leaves the record alone; a record without a zone (empty name,
// offset 0) gets the PC's zone written. `readPcZone` is called only when
// the PC's zone is needed: reading it costs as much as the whole catalogue.
// -1, with the record untouched, when the catalogue is empty.
int SelectStoredZone(const CTimeZoneInfoManager& catalogue,
                     const std::function<tz::PcTimeZone()>& readPcZone, SettingsRecord& record);

// The user chose catalogue zone `index`: stores it and writes the line
// "TimeZone [key name] Bias[offset]". False, with nothing changed, for an
// index outside the catalogue (no selection).
bool ChooseZone(const CTimeZoneInfoManager& catalogue, int index, SettingsRecord& record);

}  // namespace pages::common

#pragma once
// The four settings pages as the web page shows them, walked from the same
// tables as the program's pages: which sections, rows and options each page
// has, their texts in the chosen language, what the record shows in them and
// which are enabled; and the driver's actions on them, which go into the
// record (or the clock setting) the moment they are made.

#include <string>

#include "core/pages/common_date_example.h"
#include "core/pages/common_zone.h"
#include "core/settings/clock_time.h"
#include "core/timezone/time_zone_info_manager.h"

namespace web {

enum class Page { kCommon, kContinuous, kParking, kAdditional };

// What the driver did to the clock setting's controls.
enum class ClockEdit {
  kTick,  // ticked or cleared the check box; a tick takes the date and time shown
  kDate,  // changed the date
  kTime,  // changed the time of day
  kNow,   // pressed "Get current time"
};

class SettingsPages {
 public:
  // `zones` outlives the pages; `pcZone` is the PC's zone as Windows would
  // report it.
  SettingsPages(const CTimeZoneInfoManager& zones, tz::PcTimeZone pcZone);

  // Shows the record (after it was loaded or put back to the factory
  // settings) as the program's pages do: the radio pairs that click on the
  // driver's behalf when shown do so, and the zone list selects the
  // record's zone, writing the PC's zone into a record that has none.
  void ShowRecord();

  // Every page as JSON, in the language loaded into lang::Lang() and the
  // page's own table; `today` dates the date-format examples.
  std::string View(const pages::common::CalendarDate& today) const;

  // A click on radio or check box `id` of `page` (a check box is now
  // `checked`), a slider moved to `position`, a zone chosen from the list,
  // an edit of the clock setting with the date and time the controls show.
  // Ids the page does not have change nothing.
  void Click(Page page, int id, bool checked);
  void Slide(Page page, int id, int position);
  void ChooseZone(int index);
  void EditClock(ClockEdit edit, bool ticked, const SystemTime& shown);

 private:
  const CTimeZoneInfoManager& zones_;
  tz::PcTimeZone pcZone_;
  pages::common::ZoneList zoneList_;
};

}  // namespace web

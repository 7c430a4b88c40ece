#pragma once
// The Common page: brightness, voice recording and guidance, the camera
// clock setting, time zone, daylight saving, video date format, speed unit
// and the camera's language. Every change the user makes goes into the
// settings record (the clock setting into clockSet / clockTime) at once;
// ShowRecord lays the page out in the program's language and shows the
// record. Created by the main window from its template as a modeless child.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/pages/common_fields.h"
#include "core/pages/common_layout.h"
#include "core/pages/common_zone.h"
#include "core/timezone/time_zone_info_manager.h"
#include "win/controls/sub_slider.h"
#include "win/framework/handle.h"
#include "win/pages/base_dialog.h"

class CCommonDlg : public CBaseDialog {
 public:
  using PcZoneReader = std::function<tz::PcTimeZone()>;

  // Reads the catalogue from the PC's Windows time-zone database when
  // ShowZoneList is first called: the list sits below the page's first
  // screenful, so the window can open before the catalogue is read.
  CCommonDlg();
  // Reads the catalogue from `zones` now; `readPcZone` tells the PC's own
  // zone whenever the page needs it.
  CCommonDlg(const tz::TimeZoneSource& zones, PcZoneReader readPcZone);
  ~CCommonDlg() override;

  // Shows the record; the zone list once the catalogue is read.
  void ShowRecord() override;
  // Reads the catalogue if the page has none yet and shows the record's
  // zone in the list.
  void ShowZoneList();

 protected:
  BOOL OnInitDialog() override;
  void CreateSkin() override;
  void LayOut() override;
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  std::u16string AccessibleName(int id) const override;
  std::u16string AccessibleValue(int id) const override;

 private:
  HFONT FontFor(pages::common::Font font) const;
  void PlaceRow(const pages::common::Row& row, const pages::common::TextLookup& lookup,
                const pages::common::CalendarDate& today);
  void FillZoneList();
  void ShowFields();
  void ShowClock();
  void EnableClockControls(bool enable);

  bool OnCommand(int id, int code);
  void OnSlider(HWND slider);
  void OnRadio(const pages::common::RadioPair& pair, int id);
  void OnClockSetClicked();
  void OnGetCurrentTime();
  void OnPickerChanged(int id);
  void OnZoneSelected();
  void OnZoneListOpened();
  void OnZoneListClosed();
  void PaintContent(HDC dc);

  // The record's zone as it was when the list dropped down.
  struct ZoneBeforeList {
    int index;
    std::int32_t offset;
    pages::common::ZoneNameField name;
  };

  std::optional<CTimeZoneInfoManager> catalogue_;
  // Entry n is item n of the zone list.
  pages::common::ZoneList zoneList_;
  PcZoneReader readPcZone_;
  UniqueFont titleFont_;
  UniqueFont boldFont_;
  UniqueFont normalFont_;
  std::array<CSubSlider, std::size(pages::common::kSliders)> sliders_;
  std::optional<ZoneBeforeList> zoneBeforeList_;
};

#pragma once
// The Parking-mode page: whether parking mode is used, the front camera's
// parking resolution, frame rate and quality, impact and motion sensitivity,
// the stop-recording timer and cut-off voltages. Every control is a row of
// pages::parking::kRows; on top of the rows the page confirms switching
// parking mode off and enables the motion-sensitivity slider only while
// motion detection is on.
//
// The motion-area editor (CMotionDlg) is the page's to own once it exists:
// created in OnInitDialog with all cells selected, loaded from
// motionAreaFront / motionAreaRear in OnRecordShown, run from OnRowClicked
// for IDC_PARKING_MOTION_AREA_BUTTON, with the masks written back when it
// ends with IDOK. The button and its label are hidden by the page's layout,
// so until then no action on this page changes the two masks.

#include "win/pages/mode_page_dlg.h"

class CParkingDlg : public CModePageDlg {
 public:
  CParkingDlg();

 protected:
  void OnRowClicked(const pages::rows::PageRow& row) override;
  void OnRecordShown() override;

 private:
  // Asks before parking mode goes off; a No puts "Enabled" back.
  void ConfirmParkingModeOff(const pages::rows::PageRow& offRow);
  void EnableMotionSensitivity();
};

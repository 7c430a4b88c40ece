#pragma once
// The Parking-mode page: whether parking mode is used, the front camera's
// parking resolution, frame rate and quality, impact and motion sensitivity,
// the stop-recording timer and cut-off voltages. Every control is a row of
// pages::parking::kRows; on top of the rows the page confirms switching
// parking mode off and enables the motion-sensitivity slider only while
// motion detection is on.
//
// The page owns the motion-area editor: loaded from motionAreaFront /
// motionAreaRear whenever the record is shown, run from the motion-area
// button, and written back only when the driver confirms. The button and
// its label are hidden by the page's layout, so the masks pass through.

#include "win/pages/mode_page_dlg.h"
#include "win/pages/motion_dlg.h"

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
  void EditMotionArea();

  CMotionDlg motionEditor_;
};

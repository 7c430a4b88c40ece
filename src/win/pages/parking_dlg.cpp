#include "win/pages/parking_dlg.h"

#include "core/lang/lang_manager.h"
#include "core/pages/motion_cells.h"
#include "core/pages/parking_rows.h"
#include "win/pages/msg_popup_dlg.h"
#include "win/platform/wide.h"

namespace {

constexpr int kPopupWidth = 330;
constexpr int kPopupHeight = 150;

std::wstring Text(const char16_t* key) {
  return ToWide(lang::Lang().GetLangText(key));
}

}  // namespace

CParkingDlg::CParkingDlg()
    : CModePageDlg(IDD_PARKING, pages::parking::kRows, pages::parking::kScales,
                   pages::parking::kScrollMax) {
  motionEditor_.SelectAllCells();
}

void CParkingDlg::OnRowClicked(const pages::rows::PageRow& row) {
  if (row.id == IDC_PARKING_MODE_OFF) {
    ConfirmParkingModeOff(row);
    return;
  }
  if (row.id == IDC_PARKING_MOTION_AREA_BUTTON) {
    EditMotionArea();
    return;
  }
  CModePageDlg::OnRowClicked(row);
  if (row.id == IDC_PARKING_MOTION_ON || row.id == IDC_PARKING_MOTION_OFF) {
    EnableMotionSensitivity();
  }
}

void CParkingDlg::OnRecordShown() {
  EnableMotionSensitivity();
  motionEditor_.frontCells = pages::motion::UnpackCells(settingsRecord->motionAreaFront);
  motionEditor_.rearCells = pages::motion::UnpackCells(settingsRecord->motionAreaRear);
}

void CParkingDlg::EditMotionArea() {
  if (motionEditor_.DoModal(hwnd()) != IDOK) return;
  settingsRecord->motionAreaFront = pages::motion::PackCells(motionEditor_.frontCells);
  settingsRecord->motionAreaRear = pages::motion::PackCells(motionEditor_.rearCells);
}

void CParkingDlg::EnableMotionSensitivity() {
  EnableWindow(GetDlgItem(hwnd(), IDC_PARKING_MOTION_SENSITIVITY_SLIDER),
               settingsRecord->motionDetection == 1);
}

void CParkingDlg::ConfirmParkingModeOff(const pages::rows::PageRow& offRow) {
  if (IsDlgButtonChecked(hwnd(), IDC_PARKING_MODE_OFF) != BST_CHECKED ||
      settingsRecord->parkingMode == 0) {
    return;
  }
  CMsgPopupDlg popup;
  popup.SetContent(Text(u"IDS_STRING104"),
                   Text(u"IDS_STRING177") + L"\r\n" + Text(u"IDS_STRING1770") + L"\r\n",
                   kPopupWidth, kPopupHeight);
  if (popup.DoModal(hwnd()) == IDOK) {
    CModePageDlg::OnRowClicked(offRow);
    return;
  }
  ShowTick(IDC_PARKING_MODE_ON, true);
  SetFocus(GetDlgItem(hwnd(), IDC_PARKING_MODE_ON));
  ShowTick(IDC_PARKING_MODE_OFF, false);
}

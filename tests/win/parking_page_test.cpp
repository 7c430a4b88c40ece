// The Parking-mode page created from its template and driven with the
// messages a user's clicks and drags produce, including its Yes/No question.
#include <cstring>

#include "core/pages/parking_rows.h"
#include "mode_page_fixture.h"
#include "win/pages/parking_dlg.h"

namespace {

using namespace page_test;
using ParkingPage = PageTest<CParkingDlg>;
using R = SettingsRecord;

class ParkingPageWithRecord : public ParkingPage {
 protected:
  void SetUp() override {
    ParkingPage::SetUp();
    record_.parkingMode = 1;
    record_.motionDetection = 1;
    record_.motionSensitivity = 3;
    record_.stopTimerHours = 48;
    record_.motionAreaFront = 0x5A5;
    record_.motionAreaRear = 0x0F0;
  }
};

TEST_F(ParkingPageWithRecord, ShowsOddValuesAndKeepsThemUntilTheUserActs) {
  record_.parkFrontResolution = 3;
  record_.parkFrontFrameRate = 1;
  record_.stopTimerHours = 8;
  record_.motionSensitivity = 2;
  record_.motionDetection = 2;
  record_.parkingMode = 0;
  SettingsRecord before = record_;
  page_.ShowRecord();
  EXPECT_EQ(memcmp(&before, &record_, sizeof before), 0) << "showing wrote the record";
  for (int id : {IDC_PARKING_FRONT_RES_HD, IDC_PARKING_FRONT_FPS_30, IDC_PARKING_MODE_OFF,
                 IDC_PARKING_MOTION_OFF}) {
    EXPECT_TRUE(Checked(id)) << id;
  }
  EXPECT_FALSE(Checked(IDC_PARKING_FRONT_RES_FHD));
  EXPECT_EQ(SliderPos(IDC_PARKING_TIMER_SLIDER), 6) << "8 hours shows at 48";
  EXPECT_EQ(SliderPos(IDC_PARKING_MOTION_SENSITIVITY_SLIDER), 0) << "2 shows at LOW";

  const struct {
    int slider;
    int position;
    int32_t R::*field;
    int stored;
  } moves[] = {
      {IDC_PARKING_TIMER_SLIDER, 3, &R::stopTimerHours, 6},
      {IDC_PARKING_TIMER_SLIDER, 6, &R::stopTimerHours, 48},
      {IDC_PARKING_MOTION_SENSITIVITY_SLIDER, 0, &R::motionSensitivity, 1},
      {IDC_PARKING_MOTION_SENSITIVITY_SLIDER, 2, &R::motionSensitivity, 5},
      {IDC_PARKING_IMPACT_SLIDER, 9, &R::parkImpactSensitivity, 9},
      {IDC_PARKING_VOLTAGE_12V_SLIDER, 0, &R::stopVoltage12, 0},
      {IDC_PARKING_VOLTAGE_24V_SLIDER, 3, &R::stopVoltage24, 3},
  };
  for (const auto& m : moves) {
    SCOPED_TRACE(testing::Message() << m.slider << " at " << m.position);
    MoveSlider(m.slider, m.position);
    EXPECT_EQ(record_.*m.field, m.stored);
  }
}

TEST_F(ParkingPageWithRecord, FrameRateAndHiddenChoicesWriteTheirFields) {
  page_.ShowRecord();
  Click(IDC_PARKING_FRONT_FPS_15);
  EXPECT_EQ(record_.parkFrontFrameRate, 2);
  EXPECT_EQ(record_.parkRearFrameRate, 2);
  Click(IDC_PARKING_REAR_FPS_30);  // only shows the record
  EXPECT_EQ(record_.parkRearFrameRate, 2);
  Click(IDC_PARKING_FRONT_RES_FHD);
  EXPECT_EQ(record_.parkFrontResolution, 3);
  Click(IDC_PARKING_REAR_QUALITY_MID);
  EXPECT_EQ(record_.parkRearQuality, 2);
}

TEST_F(ParkingPageWithRecord, MotionDetectionOffDisablesOnlyItsSlider) {
  page_.ShowRecord();
  Click(IDC_PARKING_MOTION_OFF);
  EXPECT_EQ(record_.motionDetection, 0);
  for (const auto& row : pages::parking::kRows) {
    if (!Shown(row.id)) continue;
    EXPECT_EQ(Enabled(row.id), row.id != IDC_PARKING_MOTION_SENSITIVITY_SLIDER) << row.id;
  }
  Click(IDC_PARKING_MOTION_ON);
  EXPECT_EQ(record_.motionDetection, 1);
  EXPECT_TRUE(Enabled(IDC_PARKING_MOTION_SENSITIVITY_SLIDER));
}

TEST_F(ParkingPageWithRecord, SwitchingParkingModeOffAsksFirst) {
  const struct {
    const char* name;
    PopupStep answer;
    int parkingMode;
  } cases[] = {
      {"Yes button", ClickButton(IDC_MSG_POPUP_YES), 0},
      {"Y key", PressKey('Y'), 0},
      {"No button", ClickButton(IDC_MSG_POPUP_NO), 1},
      {"N key", PressKey('N'), 1},
      {"close box", CloseBox(), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    record_.parkingMode = 1;
    page_.ShowRecord();
    std::wstring message;
    PopupScript::Start(L"Parking Mode", {[&message](HWND popup) {
                                           message =
                                               WindowText(GetDlgItem(popup, IDC_MSG_POPUP_TEXT));
                                           return true;
                                         },
                                         c.answer});
    Click(IDC_PARKING_MODE_OFF);
    EXPECT_EQ(PopupScript::Finish(), 2);
    EXPECT_EQ(message,
              L"If Parking Mode is disabled,\r\nthe dash cam stops recording when the "
              L"vehicle is turned off.\r\n");
    EXPECT_EQ(record_.parkingMode, c.parkingMode);
    EXPECT_EQ(Checked(IDC_PARKING_MODE_ON), c.parkingMode == 1);
    EXPECT_EQ(Checked(IDC_PARKING_MODE_OFF), c.parkingMode == 0);
  }

  // Already off, "Disabled" asks nothing; "Enabled" never asks.
  record_.parkingMode = 0;
  page_.ShowRecord();
  PopupScript::Start(L"Parking Mode", {ClickButton(IDC_MSG_POPUP_NO)});
  Click(IDC_PARKING_MODE_OFF);
  Click(IDC_PARKING_MODE_ON);
  EXPECT_EQ(record_.parkingMode, 1);
  EXPECT_EQ(PopupScript::Finish(), 0) << "a popup was shown";
}

// The motion-area editor writes the masks back only when confirmed; a
// confirmed mask keeps only the twelve cell bits.
TEST_F(ParkingPageWithRecord, TheMotionAreaEditorWritesTheMasksOnlyWhenConfirmed) {
  struct Case {
    int button;
    std::int32_t front, rear;
  } cases[] = {{IDC_MOTION_CANCEL, 0xF5A5, 0x10F0}, {IDC_MOTION_CONFIRM, 0x5A5, 0x0F0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    record_.motionAreaFront = 0xF5A5;
    record_.motionAreaRear = 0x10F0;
    page_.ShowRecord();
    PopupScript::Start(L"Motion detection area", {[&c](HWND editor) {
                         PostMessageW(editor, WM_COMMAND, c.button, 0);
                         return true;
                       }});
    SendMessageW(page_.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PARKING_MOTION_AREA_BUTTON, BN_CLICKED),
                 0);
    EXPECT_EQ(PopupScript::Finish(), 1);
    EXPECT_EQ(record_.motionAreaFront, c.front);
    EXPECT_EQ(record_.motionAreaRear, c.rear);
  }
}

TEST_F(ParkingPageWithRecord, HiddenRowsStayHiddenAndTheMasksUntouched) {
  page_.ShowRecord();
  for (int id :
       {IDC_PARKING_REAR_RES_VGA, IDC_PARKING_REAR_FPS_30, IDC_PARKING_REAR_QUALITY_MID,
        IDC_PARKING_FRONT_RES_FHD, IDC_PARKING_FRONT_FPS_10, IDC_PARKING_MOTION_AREA_BUTTON,
        IDC_PARKING_MOTION_AREA_LABEL, IDC_PARKING_SPARE_OPTION_1, IDC_PARKING_SPARE_OPTION_2}) {
    EXPECT_FALSE(Shown(id)) << id;
  }
  for (const auto& row : pages::parking::kRows) {
    if (row.kind == pages::rows::RowKind::kSlider) {
      MoveSlider(row.id, 1);
    } else if (row.id != IDC_PARKING_MODE_OFF && row.id != IDC_PARKING_MOTION_AREA_BUTTON) {
      Click(row.id);  // the questions these two ask are tested on their own
    }
  }
  EXPECT_EQ(record_.motionAreaFront, 0x5A5);
  EXPECT_EQ(record_.motionAreaRear, 0x0F0);
}

TEST_F(ParkingPageWithRecord, ScrollsAndShowRecordReturnsToTheTop) {
  // A window scrolls its content only while it can be seen.
  ShowWindow(parent_, SW_SHOWNOACTIVATE);
  ShowWindow(page_.hwnd(), SW_SHOWNOACTIVATE);
  page_.ShowRecord();
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(page_.hwnd(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, 530 + 437);
  EXPECT_EQ(static_cast<int>(si.nPage), 437);
  SendMessageW(page_.hwnd(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(Rect(IDC_PARKING_MODE_TITLE).top, 20 - 80);
  page_.ShowRecord();
  EXPECT_EQ(Rect(IDC_PARKING_MODE_TITLE).top, 20);
  EXPECT_EQ(GetScrollPos(page_.hwnd(), SB_VERT), 0);
}

TEST_F(ParkingPageWithRecord, FitsItsTextsInEveryLanguage) {
  ExpectLayoutFitsInEveryLanguage(pages::parking::kRows);
}

}  // namespace

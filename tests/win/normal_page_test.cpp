// The Continuous-mode page created from its template and driven with the
// messages a user's clicks and drags produce.
#include <cstring>

#include "core/pages/normal_rows.h"
#include "mode_page_fixture.h"
#include "win/pages/normal_dlg.h"

namespace {

using NormalPage = page_test::PageTest<CNormalDlg>;
using R = SettingsRecord;

// Showing ticks the radio that stands for the record's value (the last
// visible one of the group for a value none stands for), hidden rear rows
// included, and never writes the record.
TEST_F(NormalPage, ShowsTheRecordWithoutWritingIt) {
  const struct {
    int32_t R::*field;
    int stored;
    int ticked;  // the one radio of the field's group that shows a tick; 0 for none
  } cases[] = {
      {&R::contFrontResolution, 1, IDC_CONTINUOUS_FRONT_RES_VGA},
      {&R::contFrontResolution, 3, IDC_CONTINUOUS_FRONT_RES_HD},
      {&R::contFrontFrameRate, 2, IDC_CONTINUOUS_FRONT_FPS_15},
      {&R::contFrontFrameRate, 1, IDC_CONTINUOUS_FRONT_FPS_30},  // 10 fps has no visible radio
      {&R::contFrontQuality, 2, IDC_CONTINUOUS_FRONT_QUALITY_MID},
      {&R::contFrontQuality, 0, IDC_CONTINUOUS_FRONT_QUALITY_HIGH},
      {&R::contFrontQuality, 7, IDC_CONTINUOUS_FRONT_QUALITY_HIGH},
      {&R::contRearResolution, 2, IDC_CONTINUOUS_REAR_RES_HD},
      {&R::contRearFrameRate, 1, IDC_CONTINUOUS_REAR_FPS_10},
      {&R::contRearQuality, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "ticking " << c.ticked << " for " << c.stored);
    record_ = SettingsRecord{};
    record_.*c.field = c.stored;
    record_.contImpactSensitivity = 15;
    SettingsRecord before = record_;
    page_.ShowRecord();
    for (const auto& row : pages::normal::kRows) {
      if (row.binding.field == c.field && row.kind != pages::rows::RowKind::kSlider) {
        EXPECT_EQ(Checked(row.id), row.id == c.ticked) << row.id;
      }
    }
    EXPECT_EQ(SliderPos(IDC_CONTINUOUS_IMPACT_SLIDER), 10);
    EXPECT_EQ(memcmp(&before, &record_, sizeof before), 0);
  }
  for (int id : {IDC_CONTINUOUS_REAR_RESOLUTION_LABEL, IDC_CONTINUOUS_REAR_RES_HD,
                 IDC_CONTINUOUS_FRONT_FPS_10, IDC_CONTINUOUS_REAR_FPS_15,
                 IDC_CONTINUOUS_REAR_QUALITY_LOW}) {
    EXPECT_FALSE(Shown(id)) << id;
  }
}

TEST_F(NormalPage, ClicksAndDragsWriteTheirFields) {
  page_.ShowRecord();
  const struct {
    int control;
    int32_t R::*field;
    int want;
    int32_t R::*alsoField;
  } cases[] = {
      {IDC_CONTINUOUS_FRONT_RES_VGA, &R::contFrontResolution, 1, nullptr},
      {IDC_CONTINUOUS_REAR_RES_HD, &R::contRearResolution, 2, nullptr},
      {IDC_CONTINUOUS_FRONT_QUALITY_MID, &R::contFrontQuality, 2, nullptr},
      {IDC_CONTINUOUS_REAR_QUALITY_LOW, &R::contRearQuality, 1, nullptr},
      {IDC_CONTINUOUS_FRONT_FPS_15, &R::contFrontFrameRate, 2, &R::contRearFrameRate},
      {IDC_CONTINUOUS_FRONT_FPS_30, &R::contFrontFrameRate, 3, &R::contRearFrameRate},
      // The rear camera's frame-rate radios only show the record.
      {IDC_CONTINUOUS_REAR_FPS_10, &R::contRearFrameRate, 3, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.control);
    Click(c.control);
    EXPECT_EQ(record_.*c.field, c.want);
    if (c.alsoField != nullptr) {
      EXPECT_EQ(record_.*c.alsoField, c.want);
    }
  }
  MoveSlider(IDC_CONTINUOUS_IMPACT_SLIDER, 9);
  EXPECT_EQ(record_.contImpactSensitivity, 9);
}

TEST_F(NormalPage, FillsThePageAreaAndFitsItsTexts) {
  RECT rc{};
  GetWindowRect(page_.hwnd(), &rc);
  EXPECT_EQ(rc.right - rc.left, 600);
  EXPECT_EQ(rc.bottom - rc.top, 437);
  ExpectLayoutFitsInEveryLanguage(pages::normal::kRows);
}

}  // namespace

// The slider's drag tooltip shows what its position means.

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "win/controls/sub_slider.h"

namespace {

std::wstring TooltipText(CSubSlider& slider) {
  NMTTDISPINFOW info{};
  info.hdr.hwndFrom = nullptr;
  info.hdr.idFrom = 0;
  info.hdr.code = TTN_NEEDTEXTW;
  SendMessageW(slider.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
  return info.szText;
}

TEST(SubSlider, TooltipShowsTheStoredMeaningOfThePosition) {
  using T = pages::SliderValueType;
  HWND trackbar = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_POPUP | TBS_TOOLTIPS, 0, 0, 200, 40,
                                  nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(trackbar, nullptr);
  CSubSlider slider;
  ASSERT_TRUE(slider.Attach(trackbar));
  slider.SetRange(0, 7);
  struct Case {
    T type;
    int position;
    const wchar_t* want;
  } cases[] = {{T::kStopTimerHours, 6, L"48"},
               {T::kVoltage12, 0, L"11.6"},
               {T::kVoltage24, 7, L"24.6"},
               {T::kMotionSensitivity, 2, L"5"},
               {T::kPosition, 5, L"5"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.want);
    slider.SetValueType(c.type);
    slider.SetPos(c.position);
    EXPECT_EQ(slider.GetPos(), c.position);
    EXPECT_EQ(TooltipText(slider), c.want);
  }
  DestroyWindow(trackbar);
  EXPECT_EQ(slider.hwnd(), nullptr) << "the object lets go of a destroyed window";
}

}  // namespace

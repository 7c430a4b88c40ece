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

// What the driver sees while dragging is the text the tooltip window shows,
// not only the text it would ask for.
TEST(SubSlider, TooltipShowsTheMeaningWhileTheThumbIsDragged) {
  HWND trackbar = CreateWindowExW(0, TRACKBAR_CLASSW, L"", WS_POPUP | WS_VISIBLE | TBS_TOOLTIPS, 0,
                                  0, 200, 40, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(trackbar, nullptr);
  CSubSlider slider;
  ASSERT_TRUE(slider.Attach(trackbar));
  slider.SetRange(0, 7);
  slider.SetValueType(pages::SliderValueType::kVoltage12);
  slider.SetPos(6);
  RECT thumb{};
  SendMessageW(trackbar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const int y = (thumb.top + thumb.bottom) / 2;
  SendMessageW(trackbar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM((thumb.left + thumb.right) / 2, y));
  SendMessageW(trackbar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(0, y));
  ASSERT_EQ(slider.GetPos(), 0);

  auto tooltip = reinterpret_cast<HWND>(SendMessageW(trackbar, TBM_GETTOOLTIPS, 0, 0));
  ASSERT_NE(tooltip, nullptr);
  wchar_t shown[16] = {};
  GetWindowTextW(tooltip, shown, 16);
  EXPECT_STREQ(shown, L"11.6");
  SendMessageW(trackbar, WM_LBUTTONUP, 0, MAKELPARAM(0, y));
  DestroyWindow(trackbar);
}

}  // namespace

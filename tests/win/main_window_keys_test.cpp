// The main window driven by the keyboard alone: where Tab takes the focus
// on every page, how the pages are switched, and which keys press the
// skinned buttons.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/pages/slider_scale.h"
#include "core/settings/settings_record.h"
#include "main_window_support.h"
#include "resource_ids.h"
#include "win/controls/window_scale.h"

namespace {

using namespace main_window_test;

class MainWindowKeys : public CardFolderTest {
 protected:
  // A card holding the factory record as changed by `change`; its bytes.
  std::string WriteCard(const std::function<void(SettingsRecord&)>& change) {
    if (factory_.empty()) factory_ = FactoryFile(folder_);
    SettingsRecord record{};
    std::memcpy(&record, factory_.data(), sizeof record);
    change(record);
    std::string bytes(reinterpret_cast<const char*>(&record), 432);
    WriteAll(folder_ / "setup.cfg", bytes);
    return bytes;
  }

 private:
  std::string factory_;
};

// Pixels of the last column of `window` other than the page's colour: a
// focus outline drawn around the whole control.
int InkAtRightEdge(HWND window) {
  UpdateWindow(window);
  RECT rc{};
  GetClientRect(window, &rc);
  HDC dc = GetDC(window);
  int ink = 0;
  for (int y = 0; y < rc.bottom; ++y) {
    if (GetPixel(dc, rc.right - 1, y) != RGB(254, 254, 254)) ++ink;
  }
  ReleaseDC(window, dc);
  return ink;
}

// The driver sees the focused control: it is shown and enabled, and lies
// within the page area when it is on a page, a slider with its scale. A
// check box without text, which draws no focus around a text, draws it
// around itself.
void ExpectSeen(HWND focus) {
  ASSERT_NE(focus, nullptr);
  EXPECT_TRUE(IsWindowVisible(focus));
  EXPECT_TRUE(IsWindowEnabled(focus));
  const HWND page = GetParent(focus);
  if (GetParent(page) == nullptr) return;  // on the main window itself
  RECT view{}, control{};
  GetClientRect(page, &view);
  GetWindowRect(focus, &control);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&control), 2);
  wchar_t cls[32] = {};
  GetClassNameW(focus, cls, 32);
  if (lstrcmpiW(cls, TRACKBAR_CLASSW) == 0) {
    control.bottom += WindowScale(page).Px(pages::kSliderScaleHeight);
  }
  const bool checkBox = (GetWindowLongPtrW(focus, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX;
  if (lstrcmpiW(cls, WC_BUTTONW) == 0 && checkBox && GetWindowTextLengthW(focus) == 0) {
    EXPECT_GT(InkAtRightEdge(focus), 0) << "no focus shown";
  }
  EXPECT_GE(control.top, view.top);
  EXPECT_LE(control.bottom, view.bottom);
}

// Presses Tab `count` times (Shift+Tab when `backwards`), noting the
// focused control's id after each press.
Step TabPresses(int count, bool backwards, std::vector<int>& visited) {
  return [count, backwards, &visited, pressed = 0](HWND) mutable {
    if (pressed > 0) {
      visited.push_back(GetDlgCtrlID(GetFocus()));
      ExpectSeen(GetFocus());
    }
    HoldKeys({VK_SHIFT}, backwards && pressed < count);
    if (pressed == count) return true;
    PostKeys({VK_TAB});
    ++pressed;
    return false;
  };
}

// Tab walks the tab of the shown page, that page's shown and enabled
// controls top to bottom (of a radio group the ticked radio, or the first
// while none is), Initialize,
// Cancel and Save, and wraps; Shift+Tab walks back. Nothing it visits
// changes the record.
TEST_F(MainWindowKeys, TabWalksTheShownPageInReadingOrder) {
  struct Walk {
    const char* name;
    int tab;
    std::function<void(SettingsRecord&)> change;
    bool clockSet;  // a time.dat on the card enables the clock controls
    std::vector<int> stops;
  };
  // clang-format off
  const Walk walks[] = {
      {"Common, factory settings", IDC_MAIN_TAB_COMMON, [](SettingsRecord&) {}, false,
       {IDC_COMMON_LANGUAGE_ENGLISH, IDC_COMMON_FRONT_BRIGHTNESS_SLIDER,
        IDC_COMMON_VOICE_RECORDING_ON, IDC_COMMON_VOICE_GUIDANCE_ON, IDC_COMMON_VOLUME_SLIDER,
        IDC_COMMON_CLOCK_SET_CHECK, IDC_COMMON_TIME_ZONE_COMBO, IDC_COMMON_DST_ON,
        IDC_COMMON_DATE_FORMAT_YMD, IDC_COMMON_SPEED_KMH}},
      {"Common, clock set, guidance off", IDC_MAIN_TAB_COMMON,
       [](SettingsRecord& r) {
         r.voiceGuidance = 0;
         r.dateFormat = 1;
         r.speedUnit = 1;
       },
       true,
       {IDC_COMMON_LANGUAGE_ENGLISH, IDC_COMMON_FRONT_BRIGHTNESS_SLIDER,
        IDC_COMMON_VOICE_RECORDING_ON, IDC_COMMON_VOICE_GUIDANCE_OFF, IDC_COMMON_CLOCK_SET_CHECK,
        IDC_COMMON_CLOCK_DATE_PICKER, IDC_COMMON_CLOCK_TIME_PICKER, IDC_COMMON_GET_CURRENT_TIME,
        IDC_COMMON_TIME_ZONE_COMBO, IDC_COMMON_DST_ON, IDC_COMMON_DATE_FORMAT_MDY,
        IDC_COMMON_SPEED_MPH}},
      {"Continuous, factory settings", IDC_MAIN_TAB_CONTINUOUS, [](SettingsRecord&) {}, false,
       {IDC_CONTINUOUS_FRONT_RES_HD, IDC_CONTINUOUS_FRONT_FPS_30,
        IDC_CONTINUOUS_FRONT_QUALITY_HIGH, IDC_CONTINUOUS_IMPACT_SLIDER}},
      {"Parking, factory settings", IDC_MAIN_TAB_PARKING, [](SettingsRecord&) {}, false,
       {IDC_PARKING_MODE_OFF, IDC_PARKING_FRONT_RES_HD, IDC_PARKING_FRONT_FPS_30,
        IDC_PARKING_FRONT_QUALITY_HIGH, IDC_PARKING_IMPACT_SLIDER, IDC_PARKING_MOTION_ON,
        IDC_PARKING_MOTION_SENSITIVITY_SLIDER, IDC_PARKING_TIMER_SLIDER,
        IDC_PARKING_VOLTAGE_12V_SLIDER, IDC_PARKING_VOLTAGE_24V_SLIDER}},
      {"Additional, factory settings", IDC_MAIN_TAB_ADDITIONAL, [](SettingsRecord&) {}, false,
       {IDC_ADDITIONAL_OVERWRITE_INCIDENT, IDC_ADDITIONAL_OVERWRITE_PARKING_MOTION,
        IDC_ADDITIONAL_OVERWRITE_PARKING_INCIDENT, IDC_ADDITIONAL_OVERWRITE_MANUAL,
        IDC_ADDITIONAL_LED_OFF, IDC_ADDITIONAL_PARTITION_A, IDC_ADDITIONAL_FORMAT_BUTTON}},
      // A stored value no radio stands for: the group's first radio is its stop.
      {"Additional, security LED 5", IDC_MAIN_TAB_ADDITIONAL,
       [](SettingsRecord& r) { r.securityLed = 5; }, false,
       {IDC_ADDITIONAL_OVERWRITE_INCIDENT, IDC_ADDITIONAL_OVERWRITE_PARKING_MOTION,
        IDC_ADDITIONAL_OVERWRITE_PARKING_INCIDENT, IDC_ADDITIONAL_OVERWRITE_MANUAL,
        IDC_ADDITIONAL_LED_MODE_1, IDC_ADDITIONAL_PARTITION_A, IDC_ADDITIONAL_FORMAT_BUTTON}},
  };
  // clang-format on
  for (const Walk& walk : walks) {
    SCOPED_TRACE(walk.name);
    const std::string card = WriteCard(walk.change);
    const std::string clockLine = "2026,12,08,03,59,07,-0800";
    if (walk.clockSet) WriteAll(folder_ / "time.dat", clockLine);

    std::vector<int> expected = walk.stops;
    expected.insert(expected.end(),
                    {IDC_MAIN_INITIALIZE, IDC_MAIN_CANCEL, IDC_MAIN_SAVE, walk.tab});
    std::vector<int> backwards(expected.rbegin() + 1, expected.rend());
    backwards.push_back(walk.tab);
    const int presses = static_cast<int>(expected.size());

    std::vector<int> visited, visitedBack;
    RunMainWindow(folder_, {Command(walk.tab), TabPresses(presses, false, visited),
                            TabPresses(presses, true, visitedBack), Command(IDC_MAIN_SAVE)});
    EXPECT_EQ(visited, expected);
    EXPECT_EQ(visitedBack, backwards);
    EXPECT_EQ(ReadAll(folder_ / "setup.cfg"), card);
    fs::remove(folder_ / "time.dat");
  }
}

struct Press {
  UINT key;
  std::vector<UINT> held = {};
};

// Ctrl+Tab, Ctrl+PageDown and their reverse switch pages as in a property
// sheet, wrapping; on the tab strip Left and Right do, without wrapping;
// on a page's control the arrows stay with the control.
TEST_F(MainWindowKeys, CtrlTabAndTheStripsArrowsSwitchPages) {
  const UINT ctrl = VK_CONTROL, shift = VK_SHIFT;
  const struct {
    Press press;
    int shownTab;
    int focused;
  } steps[] = {
      {{VK_TAB, {ctrl}}, IDC_MAIN_TAB_CONTINUOUS, IDC_MAIN_TAB_CONTINUOUS},
      {{VK_TAB, {ctrl}}, IDC_MAIN_TAB_PARKING, IDC_MAIN_TAB_PARKING},
      {{VK_TAB, {ctrl}}, IDC_MAIN_TAB_ADDITIONAL, IDC_MAIN_TAB_ADDITIONAL},
      {{VK_TAB, {ctrl}}, IDC_MAIN_TAB_COMMON, IDC_MAIN_TAB_COMMON},
      {{VK_TAB, {ctrl, shift}}, IDC_MAIN_TAB_ADDITIONAL, IDC_MAIN_TAB_ADDITIONAL},
      {{VK_PRIOR, {ctrl}}, IDC_MAIN_TAB_PARKING, IDC_MAIN_TAB_PARKING},
      {{VK_NEXT, {ctrl}}, IDC_MAIN_TAB_ADDITIONAL, IDC_MAIN_TAB_ADDITIONAL},
      {{VK_NEXT, {ctrl}}, IDC_MAIN_TAB_COMMON, IDC_MAIN_TAB_COMMON},
      {{VK_RIGHT, {}}, IDC_MAIN_TAB_CONTINUOUS, IDC_MAIN_TAB_CONTINUOUS},
      {{VK_RIGHT, {}}, IDC_MAIN_TAB_PARKING, IDC_MAIN_TAB_PARKING},
      {{VK_DOWN, {}}, IDC_MAIN_TAB_PARKING, IDC_MAIN_TAB_PARKING},
      {{VK_LEFT, {}}, IDC_MAIN_TAB_CONTINUOUS, IDC_MAIN_TAB_CONTINUOUS},
      {{VK_LEFT, {}}, IDC_MAIN_TAB_COMMON, IDC_MAIN_TAB_COMMON},
      {{VK_LEFT, {}}, IDC_MAIN_TAB_COMMON, IDC_MAIN_TAB_COMMON},
      {{VK_TAB, {}}, IDC_MAIN_TAB_COMMON, IDC_COMMON_LANGUAGE_ENGLISH},
      {{VK_TAB, {}}, IDC_MAIN_TAB_COMMON, IDC_COMMON_FRONT_BRIGHTNESS_SLIDER},
      {{VK_RIGHT, {}}, IDC_MAIN_TAB_COMMON, IDC_COMMON_FRONT_BRIGHTNESS_SLIDER},
      {{VK_TAB, {ctrl}}, IDC_MAIN_TAB_CONTINUOUS, IDC_MAIN_TAB_CONTINUOUS},
  };
  const int tabs[] = {IDC_MAIN_TAB_COMMON, IDC_MAIN_TAB_CONTINUOUS, IDC_MAIN_TAB_PARKING,
                      IDC_MAIN_TAB_ADDITIONAL};
  std::vector<Step> run;
  for (size_t i = 0; i < std::size(steps); ++i) {
    const auto& step = steps[i];
    run.push_back(Key(step.press.key, step.press.held));
    run.push_back([&step, &tabs, i](HWND main) {
      SCOPED_TRACE(testing::Message() << "step " << i);
      for (size_t t = 0; t < std::size(tabs); ++t) {
        const bool shown = tabs[t] == step.shownTab;
        EXPECT_EQ(SendDlgItemMessageW(main, tabs[t], BM_GETCHECK, 0, 0) == BST_CHECKED, shown);
        EXPECT_EQ(IsWindowVisible(Pages(main)[t]) != FALSE, shown);
      }
      EXPECT_EQ(GetDlgCtrlID(GetFocus()), step.focused);
      return true;
    });
  }
  run.push_back(Command(IDC_MAIN_CANCEL));
  RunMainWindow(folder_, run);
}

// Space and Enter press the button that has the focus, a skinned one or
// a page's own (Formatting asks its question); Enter and Escape anywhere
// else, Escape even on a button, never end the window.
TEST_F(MainWindowKeys, SpaceAndEnterPressOnlyTheFocusedButton) {
  const Press shiftTab{VK_TAB, {VK_SHIFT}};
  const Press ctrlTab{VK_TAB, {VK_CONTROL}};
  // From the Additional functions tab back to the Formatting button.
  const std::vector<Press> toFormatting = {ctrlTab,  ctrlTab,  ctrlTab, shiftTab,
                                           shiftTab, shiftTab, shiftTab};
  auto then = [](std::vector<Press> presses, Press last) {
    presses.push_back(last);
    return presses;
  };
  const struct {
    const char* name;
    std::vector<Press> presses;
    bool closes;
    bool saves;
    bool asks = false;
  } cases[] = {
      {"Space on Save", {shiftTab, {VK_SPACE}}, true, true},
      {"Enter on Save", {shiftTab, {VK_RETURN}}, true, true},
      {"Space on Cancel", {shiftTab, shiftTab, {VK_SPACE}}, true, false},
      {"Escape on Save", {shiftTab, {VK_ESCAPE}}, false, false},
      {"Enter and Escape on a radio", {{VK_TAB}, {VK_RETURN}, {VK_ESCAPE}}, false, false},
      {"Enter on the tab", {{VK_RETURN}}, false, false},
      {"Space on Formatting", then(toFormatting, {VK_SPACE}), false, false, true},
      {"Enter on Formatting", then(toFormatting, {VK_RETURN}), false, false, true},
  };
  HangWatchdog watchdog;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<Step> steps;
    for (const Press& press : c.presses) steps.push_back(Key(press.key, press.held));
    bool asked = false;
    if (c.asks) {
      steps.push_back([&asked, waited = 0](HWND) mutable {
        const HWND question = FindThreadDialog(false);
        if (question == nullptr) return ++waited == 10;
        asked = true;
        PostMessageW(question, WM_COMMAND, IDNO, 0);
        return true;
      });
    }
    if (!c.closes) {
      steps.push_back([](HWND main) { return IsWindowVisible(main) != FALSE; });
      steps.push_back(Command(IDC_MAIN_CANCEL));
    }
    RunMainWindow(folder_, steps);
    EXPECT_EQ(asked, c.asks);
    EXPECT_EQ(fs::exists(folder_ / "setup.cfg"), c.saves);
    fs::remove(folder_ / "setup.cfg");
  }
}

}  // namespace

// The main window driven the way a driver's keys and clicks reach it: the
// input goes through the window's own modal loop, and what Save writes is
// compared with what the screen shows.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "core/settings/settings_record.h"
#include "main_window_support.h"
#include "resource_ids.h"

namespace {

using namespace main_window_test;

// A press and release of the left button at the middle of `window`.
void PostClick(HWND window, UINT down = WM_LBUTTONDOWN) {
  RECT rc{};
  GetClientRect(window, &rc);
  const LPARAM at = MAKELPARAM(rc.right / 2, rc.bottom / 2);
  PostMessageW(window, down, MK_LBUTTON, at);
  PostMessageW(window, WM_LBUTTONUP, 0, at);
}

HWND MainControl(HWND main, int id) {
  return GetDlgItem(main, id);
}

// Whether the driver can see `window`: it and every window it lies in.
bool Seen(HWND window) {
  return window != nullptr && IsWindowVisible(window);
}

class MainWindowInput : public CardFolderTest {
 protected:
  std::string FactoryFile() { return main_window_test::FactoryFile(folder_); }
  // A card holding the factory record as changed by `change`.
  void WriteCard(const std::function<void(SettingsRecord&)>& change) {
    const std::string factory = FactoryFile();
    SettingsRecord record{};
    std::memcpy(&record, factory.data(), sizeof record);
    change(record);
    WriteAll(folder_ / "setup.cfg", std::string(reinterpret_cast<const char*>(&record), 432));
  }
};

// The focus leaves a page when another tab is clicked, so keys pressed
// afterwards change nothing the driver cannot see, and Space (which made
// the dialog manager loop for ever over the hidden page) is harmless.
TEST_F(MainWindowInput, KeysAfterATabClickNeverReachTheHiddenPage) {
  const std::string factory = FactoryFile();
  struct Case {
    int shownTab;
    int focused;
    int clickedTab;
    std::vector<UINT> keys;
  } cases[] = {
      {IDC_MAIN_TAB_COMMON,
       IDC_COMMON_LANGUAGE_ENGLISH,
       IDC_MAIN_TAB_CONTINUOUS,
       {VK_DOWN, VK_SPACE}},
      {IDC_MAIN_TAB_COMMON,
       IDC_COMMON_FRONT_BRIGHTNESS_SLIDER,
       IDC_MAIN_TAB_ADDITIONAL,
       {VK_END, VK_SPACE}},
      {IDC_MAIN_TAB_PARKING,
       IDC_PARKING_TIMER_SLIDER,
       IDC_MAIN_TAB_ADDITIONAL,
       {VK_HOME, VK_DOWN, VK_DOWN, VK_SPACE}},
      {IDC_MAIN_TAB_COMMON,
       IDC_COMMON_TIME_ZONE_COMBO,
       IDC_MAIN_TAB_PARKING,
       {VK_DOWN, VK_DOWN, VK_SPACE, VK_LEFT}},
  };
  HangWatchdog watchdog;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.focused);
    RunMainWindow(folder_, {Command(c.shownTab),
                            [&](HWND main) {
                              SetFocus(PageControl(main, c.focused));
                              return true;
                            },
                            Command(c.clickedTab),
                            [&](HWND main) {
                              EXPECT_TRUE(Seen(GetFocus()));
                              EXPECT_EQ(GetFocus(), MainControl(main, c.clickedTab));
                              PostKeys(c.keys);
                              return true;
                            },
                            Command(IDC_MAIN_SAVE)});
    EXPECT_EQ(ReadAll(folder_ / "setup.cfg"), factory);
    fs::remove(folder_ / "setup.cfg");
  }
}

// The second half of a double click, and a tab click made before the
// question appeared, wait in the queue behind it: they must not ask again
// nor act behind the question.
TEST_F(MainWindowInput, ADoubleClickOnDisabledAsksOnce) {
  WriteCard([](SettingsRecord& record) { record.parkingMode = 1; });

  int questions = 0;
  int quietTicks = 0;
  RunMainWindow(
      folder_, {Command(IDC_MAIN_TAB_PARKING),
                [](HWND main) {
                  HWND off = PageControl(main, IDC_PARKING_MODE_OFF);
                  PostClick(off);
                  PostClick(off, WM_LBUTTONDBLCLK);
                  PostClick(MainControl(main, IDC_MAIN_TAB_CONTINUOUS));
                  return true;
                },
                [&](HWND main) {
                  HWND question = FindThreadDialog(false);
                  if (question == nullptr) return false;
                  ++questions;
                  EXPECT_FALSE(IsWindowEnabled(main));
                  PostMessageW(question, WM_COMMAND, IDC_MSG_POPUP_NO, 0);
                  return true;
                },
                [&](HWND) {
                  if (FindThreadDialog(false) != nullptr) ++questions;
                  return ++quietTicks == 5;
                },
                [](HWND main) {
                  EXPECT_TRUE(Seen(PageControl(main, IDC_PARKING_MODE_ON)));
                  EXPECT_EQ(SendMessageW(PageControl(main, IDC_PARKING_MODE_ON), BM_GETCHECK, 0, 0),
                            BST_CHECKED);
                  EXPECT_EQ(
                      SendMessageW(PageControl(main, IDC_PARKING_MODE_OFF), BM_GETCHECK, 0, 0),
                      BST_UNCHECKED);
                  return true;
                },
                Command(IDC_MAIN_SAVE)});
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(ReadRecord(folder_ / "setup.cfg").parkingMode, 1);
}

// Pixels of `window` darker than the page: a radio shows its circle and
// its text.
int InkPixels(HWND window) {
  RECT rc{};
  GetClientRect(window, &rc);
  HDC dc = GetDC(window);
  int ink = 0;
  for (int y = 0; y < rc.bottom; y += 2) {
    for (int x = 0; x < rc.right; x += 2) {
      const COLORREF c = GetPixel(dc, x, y);
      if (c != CLR_INVALID && GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 160) ++ink;
    }
  }
  ReleaseDC(window, dc);
  return ink;
}

// Initialize on a scrolled page brings it back to the top with every
// choice drawn, not blank until the pointer passes over it.
TEST_F(MainWindowInput, InitializeOnAScrolledPageRedrawsEveryControl) {
  WriteCard([](SettingsRecord& record) {
    record.securityLed = 2;
    record.memoryPartition = 3;
  });
  const int shown[] = {IDC_ADDITIONAL_LED_MODE_1,  IDC_ADDITIONAL_LED_MODE_2,
                       IDC_ADDITIONAL_LED_MODE_3,  IDC_ADDITIONAL_LED_OFF,
                       IDC_ADDITIONAL_PARTITION_A, IDC_ADDITIONAL_PARTITION_B,
                       IDC_ADDITIONAL_PARTITION_C};
  int ticks = 0;
  RunMainWindow(folder_, {Command(IDC_MAIN_TAB_ADDITIONAL),
                          [](HWND main) {
                            HWND page = GetParent(PageControl(main, IDC_ADDITIONAL_LED_OFF));
                            SendMessageW(page, WM_VSCROLL, SB_PAGEDOWN, 0);
                            return true;
                          },
                          Command(IDC_MAIN_INITIALIZE), [&](HWND) { return ++ticks == 3; },
                          [&](HWND main) {
                            for (int id : shown) {
                              HWND control = PageControl(main, id);
                              UpdateWindow(GetParent(control));
                              EXPECT_GT(InkPixels(control), 10) << id;
                            }
                            return true;
                          },
                          Command(IDC_MAIN_CANCEL)});
}

// A setup.cfg shorter than any layout is damaged: the window shows the
// factory settings, and Save writes them whole rather than zeros.
TEST_F(MainWindowInput, ADamagedFileGivesTheFactorySettings) {
  const std::string factory = FactoryFile();
  for (const std::string& damaged : {std::string(), std::string(100, '\x07')}) {
    SCOPED_TRACE(damaged.size());
    WriteAll(folder_ / "setup.cfg", damaged);
    RunMainWindow(folder_, {Command(IDC_MAIN_SAVE)});
    EXPECT_EQ(ReadAll(folder_ / "setup.cfg"), factory);
  }
}

// Dragging the captionless window starts only from a free spot: a press
// on a disabled control (which Windows hands to the page) neither drags
// the window nor moves the focus.
TEST_F(MainWindowInput, OnlyAPressOnAFreeSpotDragsTheWindow) {
  RunMainWindow(folder_,
                {[](HWND main) {
                   SendMessageW(PageControl(main, IDC_COMMON_VOICE_GUIDANCE_OFF), BM_CLICK, 0, 0);
                   HWND volume = PageControl(main, IDC_COMMON_VOLUME_SLIDER);
                   HWND page = GetParent(volume);
                   EXPECT_FALSE(IsWindowEnabled(volume));
                   RECT slider{};
                   GetWindowRect(volume, &slider);
                   MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&slider), 2);
                   const struct {
                     POINT at;
                     bool drags;
                   } presses[] = {{{(slider.left + slider.right) / 2, slider.top + 5}, false},
                                  {{580, 5}, true}};
                   for (const auto& press : presses) {
                     SCOPED_TRACE(press.drags);
                     SetFocus(PageControl(main, IDC_COMMON_SPEED_KMH));
                     const LPARAM at = MAKELPARAM(press.at.x, press.at.y);
                     const LPARAM moved = MAKELPARAM(press.at.x + 20, press.at.y);
                     SendMessageW(page, WM_LBUTTONDOWN, MK_LBUTTON, at);
                     SendMessageW(page, WM_MOUSEMOVE, MK_LBUTTON, moved);
                     SendMessageW(page, WM_LBUTTONUP, 0, moved);
                     MSG drag{};
                     EXPECT_EQ(PeekMessageW(&drag, main, WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN,
                                            PM_REMOVE) != FALSE,
                               press.drags);
                     EXPECT_EQ(GetFocus() == MainControl(main, IDC_MAIN_TAB_COMMON), press.drags);
                   }
                   return true;
                 },
                 Command(IDC_MAIN_CANCEL)});
}

// Windows ticks a radio that gets the focus, so the focus never rests on
// one that is not ticked: not at start, nor after Initialize unticks it.
TEST_F(MainWindowInput, TheFocusNeverRestsOnAnUntickedRadio) {
  RunMainWindow(folder_, {[](HWND main) {
                            EXPECT_EQ(GetFocus(), MainControl(main, IDC_MAIN_TAB_COMMON));
                            HWND off = PageControl(main, IDC_COMMON_VOICE_GUIDANCE_OFF);
                            SendMessageW(off, BM_CLICK, 0, 0);
                            SetFocus(off);
                            return true;
                          },
                          Command(IDC_MAIN_INITIALIZE),
                          [](HWND main) {
                            HWND focus = GetFocus();
                            EXPECT_NE(focus, PageControl(main, IDC_COMMON_VOICE_GUIDANCE_OFF));
                            EXPECT_EQ(focus, MainControl(main, IDC_MAIN_TAB_COMMON));
                            return true;
                          },
                          Command(IDC_MAIN_CANCEL)});
}

// The wheel scrolls the page whatever control lies under the pointer: a
// slider, the time-zone list or a date picker never takes the notches as a
// new setting. An open drop-down list keeps them.
TEST_F(MainWindowInput, TheWheelScrollsThePageOverEveryKindOfControl) {
  const std::string factory = FactoryFile();
  WriteAll(folder_ / "setup.cfg", factory);
  const struct {
    int tab;
    std::vector<int> controls;
  } pages[] = {
      {IDC_MAIN_TAB_COMMON,
       {IDC_COMMON_LANGUAGE_FRENCH, IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, IDC_COMMON_VOLUME_SLIDER,
        IDC_COMMON_CLOCK_DATE_PICKER, IDC_COMMON_CLOCK_TIME_PICKER, IDC_COMMON_TIME_ZONE_COMBO,
        IDC_COMMON_DST_OFF}},
      {IDC_MAIN_TAB_PARKING,
       {IDC_PARKING_MODE_OFF, IDC_PARKING_IMPACT_SLIDER, IDC_PARKING_MOTION_SENSITIVITY_SLIDER,
        IDC_PARKING_TIMER_SLIDER, IDC_PARKING_VOLTAGE_12V_SLIDER, IDC_PARKING_VOLTAGE_24V_SLIDER}},
  };
  auto wheel = [](HWND control, int delta) {
    RECT rc{};
    GetWindowRect(control, &rc);
    PostMessageW(control, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(rc.left + 5, rc.top + 5));
  };
  auto scrolled = [](HWND control) { return GetScrollPos(GetParent(control), SB_VERT); };
  std::vector<Step> steps;
  for (const auto& page : pages) {
    steps.push_back(Command(page.tab));
    for (int id : page.controls) {
      steps.push_back([=](HWND main) {
        wheel(PageControl(main, id), -WHEEL_DELTA);
        return true;
      });
      steps.push_back([=](HWND main) {
        EXPECT_EQ(scrolled(PageControl(main, id)), 80) << id;
        wheel(PageControl(main, id), WHEEL_DELTA);
        return true;
      });
      steps.push_back([=](HWND main) {
        EXPECT_EQ(scrolled(PageControl(main, id)), 0) << id;
        return true;
      });
    }
  }
  steps.push_back(Command(IDC_MAIN_SAVE));
  RunMainWindow(folder_, steps);
  EXPECT_EQ(ReadAll(folder_ / "setup.cfg"), factory);

  RunMainWindow(folder_, {[&](HWND main) {
                            HWND zones = PageControl(main, IDC_COMMON_TIME_ZONE_COMBO);
                            SendMessageW(zones, CB_SHOWDROPDOWN, TRUE, 0);
                            wheel(zones, -WHEEL_DELTA);
                            return true;
                          },
                          [&](HWND main) {
                            HWND zones = PageControl(main, IDC_COMMON_TIME_ZONE_COMBO);
                            EXPECT_EQ(scrolled(zones), 0) << "an open list keeps the wheel";
                            SendMessageW(zones, CB_SHOWDROPDOWN, FALSE, 0);
                            return true;
                          },
                          Command(IDC_MAIN_CANCEL)});
  EXPECT_EQ(ReadAll(folder_ / "setup.cfg"), factory);
}

}  // namespace

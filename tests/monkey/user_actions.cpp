#include "user_actions.h"

#include <commctrl.h>

#include <cstdio>
#include <iterator>
#include <vector>

#include "resource_ids.h"
#include "user_input.h"

namespace monkey {
namespace {

struct NamedKeys {
  const char* name;
  std::initializer_list<WORD> keys;
};
const NamedKeys kKeys[] = {
    {"Tab", {VK_TAB}},
    {"Shift+Tab", {VK_SHIFT, VK_TAB}},
    {"Left", {VK_LEFT}},
    {"Right", {VK_RIGHT}},
    {"Up", {VK_UP}},
    {"Down", {VK_DOWN}},
    {"Home", {VK_HOME}},
    {"End", {VK_END}},
    {"PageUp", {VK_PRIOR}},
    {"PageDown", {VK_NEXT}},
    {"Space", {VK_SPACE}},
    {"Enter", {VK_RETURN}},
    {"Escape", {VK_ESCAPE}},
    {"Ctrl+Tab", {VK_CONTROL, VK_TAB}},
    {"Ctrl+Shift+Tab", {VK_CONTROL, VK_SHIFT, VK_TAB}},
    {"Ctrl+PageDown", {VK_CONTROL, VK_NEXT}},
    {"Ctrl+PageUp", {VK_CONTROL, VK_PRIOR}},
    {"Alt+Down", {VK_MENU, VK_DOWN}},
    {"Y", {'Y'}},
    {"N", {'N'}},
    // Digits type into a picker's field; letters elsewhere send the dialog
    // manager looking for a mnemonic.
    {"1", {'1'}},
    {"7", {'7'}},
    {"E", {'E'}},
    {"Alt+D", {VK_MENU, 'D'}},
};

std::string Said(const char* format, auto... values) {
  char text[160];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

RECT ScreenRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// A random point of `rect`, kept two pixels inside its edges.
POINT PointIn(const RECT& rect, Random& random) {
  if (rect.right - rect.left < 6 || rect.bottom - rect.top < 6) {
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }
  return {random.Between(rect.left + 2, rect.right - 3),
          random.Between(rect.top + 2, rect.bottom - 3)};
}

// The part of a control that shows on its page (a scrolled page hides the
// rest); false when none does.
bool ShownPart(const RunningProgram& program, Page page, HWND control, RECT& part) {
  if (!control || !IsWindowVisible(control)) return false;
  RECT pageRect = ScreenRect(program.PageWindow(page));
  RECT controlRect = ScreenRect(control);
  return IntersectRect(&part, &pageRect, &controlRect) && part.bottom - part.top >= 8;
}

// What a driver does to reach a control scrolled out of view: turn the
// wheel over the page towards it.
std::string ScrollTowards(const RunningProgram& program, Page page, HWND control, Random& random) {
  const RECT pageRect = ScreenRect(program.PageWindow(page));
  const int notches = ScreenRect(control).top < pageRect.top ? 1 : -1;
  input::Wheel(PointIn(pageRect, random), notches);
  return Said("wheel %+d towards control %d", notches, GetDlgCtrlID(control));
}

// A random control of the page of one class: buttons are the options,
// check boxes and push buttons (Formatting among them: its question is
// answered No); trackbars are the sliders. Hidden ones are never chosen.
HWND AnyControl(const RunningProgram& program, Page page, const wchar_t* kind, Random& random) {
  std::vector<HWND> controls = program.Controls(page, kind);
  std::erase_if(controls, [](HWND control) { return !IsWindowVisible(control); });
  return controls.empty() ? nullptr : controls[random.Below(int(controls.size()))];
}

std::string ClickOption(const RunningProgram& program, Page page, Random& random, bool twice) {
  HWND control = AnyControl(program, page, L"Button", random);
  RECT part;
  if (!control) return "(nothing to click on this page)";
  if (!ShownPart(program, page, control, part))
    return ScrollTowards(program, page, control, random);
  const POINT at = PointIn(part, random);
  twice ? input::DoubleClick(at) : input::Click(at);
  return Said("%s control %d", twice ? "double-click" : "click", GetDlgCtrlID(control));
}

std::string MoveSlider(const RunningProgram& program, Page page, Random& random) {
  HWND control = AnyControl(program, page, TRACKBAR_CLASSW, random);
  if (!control) return "(no slider on this page)";
  const int id = GetDlgCtrlID(control);
  RECT part;
  if (!ShownPart(program, page, control, part))
    return ScrollTowards(program, page, control, random);
  const POINT from = PointIn(part, random);
  if (random.Percent(30)) {
    input::Click(from);
    return Said("click slider %d", id);
  }
  const POINT to{random.Between(part.left - 30, part.right + 30), from.y + random.Between(-5, 5)};
  input::Drag(from, to);
  return Said("drag slider %d by %ld", id, to.x - from.x);
}

std::string TurnWheel(const RunningProgram& program, Page page, Random& random) {
  const POINT at = PointIn(ScreenRect(program.PageWindow(page)), random);
  const int notches = random.Percent(50) ? random.Between(1, 3) : -random.Between(1, 3);
  input::Wheel(at, notches);
  return Said("wheel %+d", notches);
}

std::string PickZone(const RunningProgram& program, Random& random) {
  RECT part;
  HWND combo = program.Control(Page::kCommon, IDC_COMMON_TIME_ZONE_COMBO);
  if (!ShownPart(program, Page::kCommon, combo, part)) {
    return ScrollTowards(program, Page::kCommon, combo, random);
  }
  input::Click(PointIn(part, random));
  program.Settle();
  HWND list = program.DropDown();
  if (!list) return "click the time-zone list (it did not open)";
  switch (random.Below(4)) {
    case 0: {
      input::Click(PointIn(ScreenRect(list), random));
      return "open the time-zone list and click an entry";
    }
    case 1:
      // Left open: the next actions meet it (a wheel scrolls its entries).
      return "open the time-zone list";
    case 2: {
      const int steps = random.Between(1, 5);
      for (int i = 0; i < steps; ++i)
        input::Keys({random.Percent(70) ? WORD(VK_DOWN) : WORD(VK_UP)});
      input::Keys({VK_RETURN});
      return Said("open the time-zone list, %d arrows, Enter", steps);
    }
    default:
      input::Keys({VK_ESCAPE});
      return "open the time-zone list and press Escape";
  }
}

std::string SetPicker(const RunningProgram& program, Random& random) {
  const bool date = random.Percent(50);
  const int id = date ? IDC_COMMON_CLOCK_DATE_PICKER : IDC_COMMON_CLOCK_TIME_PICKER;
  RECT part;
  HWND picker = program.Control(Page::kCommon, id);
  if (!ShownPart(program, Page::kCommon, picker, part)) {
    return ScrollTowards(program, Page::kCommon, picker, random);
  }
  if (date && random.Percent(60)) {
    // The drop-down button at the right end opens the calendar.
    input::Click({part.right - 6, (part.top + part.bottom) / 2});
    program.Settle();
    HWND calendar = program.DropDown();
    if (!calendar) return "click the date picker's button (no calendar)";
    if (random.Percent(30)) return "open the calendar";
    input::Click(PointIn(ScreenRect(calendar), random));
    return "open the calendar and click in it";
  }
  input::Click(PointIn(part, random));
  const int steps = random.Between(1, 4);
  const WORD key = random.Percent(50) ? WORD(VK_UP) : WORD(VK_DOWN);
  for (int i = 0; i < steps; ++i) input::Keys({key});
  return Said("click the %s picker, %d x %s", date ? "date" : "time", steps,
              key == VK_UP ? "Up" : "Down");
}

std::string AnswerPopup(HWND popup, Random& random) {
  // The system's message box has buttons IDYES and IDNO; it asks before
  // formatting, which is always declined here.
  if (HWND no = GetDlgItem(popup, IDNO)) {
    input::Click(CentreOf(no));
    return "answer No in the message box";
  }
  switch (random.Below(4)) {
    case 0:
      input::Keys({'Y'});
      return "answer the question with Y";
    case 1:
      input::Keys({'N'});
      return "answer the question with N";
    default: {
      const int button = random.Percent(50) ? IDC_MSG_POPUP_YES : IDC_MSG_POPUP_NO;
      HWND target = GetDlgItem(popup, button);
      if (!target) {
        input::Keys({VK_RETURN});
        return "press Enter on the popup";
      }
      input::Click(CentreOf(target));
      return button == IDC_MSG_POPUP_YES ? "click Yes" : "click No";
    }
  }
}

// Space or Enter on a focused Save or Cancel would end the run before
// the screen is read.
bool PressesEndingButton(const RunningProgram& program, const NamedKeys& keys) {
  const WORD key = *keys.keys.begin();
  if (keys.keys.size() != 1 || (key != VK_SPACE && key != VK_RETURN)) return false;
  GUITHREADINFO thread{};
  thread.cbSize = sizeof thread;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(program.MainWindow(), nullptr), &thread)) {
    return false;
  }
  const int id = GetDlgCtrlID(thread.hwndFocus);
  return GetParent(thread.hwndFocus) == program.MainWindow() &&
         (id == IDC_MAIN_SAVE || id == IDC_MAIN_CANCEL || id == IDC_MAIN_CLOSE ||
          id == IDC_MAIN_MINIMIZE);
}

std::string ClickMainButton(const RunningProgram& program, int id, const char* name) {
  input::Click(CentreOf(GetDlgItem(program.MainWindow(), id)));
  return Said("click %s", name);
}

}  // namespace

POINT CentreOf(HWND window) {
  RECT rect = ScreenRect(window);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string PerformRandomAction(const RunningProgram& program, Random& random) {
  if (HWND popup = program.Popup(); popup && random.Percent(85)) {
    return AnswerPopup(popup, random);
  }
  const Page page = program.ShownPage().value_or(Page::kCommon);
  const int roll = random.Below(100);
  if (roll < 10) {
    const int tab = random.Below(4);
    static const char* const names[] = {"Common tab", "Continuous tab", "Parking tab",
                                        "Additional tab"};
    return ClickMainButton(program, IDC_MAIN_TAB_COMMON + tab, names[tab]);
  }
  if (roll < 35) return ClickOption(program, page, random, false);
  if (roll < 40) return ClickOption(program, page, random, true);
  if (roll < 50) return MoveSlider(program, page, random);
  if (roll < 58) return TurnWheel(program, page, random);
  if (roll < 83) {
    const NamedKeys& keys = kKeys[random.Below(int(std::size(kKeys)))];
    if (PressesEndingButton(program, keys)) {
      input::Keys({VK_TAB});
      return Said("Tab (not %s: it would press Save or Cancel)", keys.name);
    }
    input::Keys(keys.keys);
    return keys.name;
  }
  if (roll < 86) return ClickMainButton(program, IDC_MAIN_INITIALIZE, "Initialize");
  if (roll < 89) {
    input::Click(PointIn(ScreenRect(program.PageWindow(page)), random));
    return "click the page";
  }
  if (page != Page::kCommon) return ClickMainButton(program, IDC_MAIN_TAB_COMMON, "Common tab");
  if (roll < 95) return PickZone(program, random);
  return SetPicker(program, random);
}

bool CloseOpenWindows(const RunningProgram& program) {
  for (int tries = 0; tries < 6; ++tries) {
    if (program.DropDown()) {
      // Escape closes a list; a calendar without the focus closes when
      // the driver clicks elsewhere, as on the window's title.
      if (tries < 2) {
        input::Keys({VK_ESCAPE});
      } else {
        input::Click(CentreOf(GetDlgItem(program.MainWindow(), IDC_MAIN_TITLE)));
      }
    } else if (HWND popup = program.Popup()) {
      HWND no = GetDlgItem(popup, IDNO);
      if (!no) no = GetDlgItem(popup, IDC_MSG_POPUP_NO);
      if (no && IsWindowVisible(no)) {
        input::Click(CentreOf(no));
      } else {
        input::Keys({VK_RETURN});
      }
    } else {
      return true;
    }
    if (!program.Settle()) return false;
  }
  return !program.DropDown() && !program.Popup();
}

}  // namespace monkey

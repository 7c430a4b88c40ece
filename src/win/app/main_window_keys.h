#pragma once
// The main window's keyboard, which the dialog manager cannot provide: it
// knows neither that the tab strip is one stop nor that only the shown
// page counts, and it would walk into hidden pages.
//
// - Tab and Shift+Tab walk the stops in reading order, wrapping at both
//   ends: the tab of the shown page (the strip is one stop), the shown
//   page's controls top to bottom (tab_stops.h says which), then
//   Initialize, Cancel and Save.
// - Ctrl+Tab and Ctrl+PageDown show the next page, Ctrl+Shift+Tab and
//   Ctrl+PageUp the previous one, wrapping; the focus goes to its tab.
// - On the tab strip, Left shows the previous page and Right the next one,
//   without wrapping, as in a tab control.
// - Enter presses the focused push button of a page, as Space does.
// - After any key the shown page scrolls so that the focused control is in
//   view, a slider with the scale under it.
//
// Every other key keeps its way: the focused control or the dialog
// manager gets it. The window's controls are found by their ids; a page
// that does not exist yet simply has no stops.

#include <windows.h>

#include <functional>

#include "win/framework/message_filter.h"

class MainWindowKeys {
 public:
  // Posted to the main window after each key; the window answers it by
  // calling RevealFocus, once the key has moved the focus.
  static constexpr UINT kRevealFocusMessage = WM_APP + 1;

  // `window` gives the main window (null until it exists).
  explicit MainWindowKeys(std::function<HWND()> window);

  // Scrolls the shown page so that the focused control is in view.
  void RevealFocus();

 private:
  bool OnKey(const MSG& msg);
  void MoveFocus(HWND main, bool backwards);
  void ShowPage(HWND main, int step, bool wrap);

  std::function<HWND()> window_;
  MessageFilter filter_;
};

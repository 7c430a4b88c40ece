#pragma once
// Base of the four settings pages: child dialogs in the main window's page
// area with one background colour for the page and its labels, vertical
// scrolling by bar and wheel, mouse forwarding to the main window (so the
// captionless window can be dragged by its pages, and a click on a page's
// background takes the focus away from its controls) and helpers that give a
// control its font, text and place in one call.

#include <windows.h>

#include <string>

#include "win/framework/dialog.h"
#include "win/framework/handle.h"

class CBaseDialog : public Dialog {
 public:
  // The visible height of the page area in pixels.
  static constexpr int kPageHeight = 437;

  explicit CBaseDialog(int templateId);

  // Lays out and re-texts the page and sets its controls from the record.
  virtual void ShowRecord() = 0;

  // Takes a mouse-wheel message meant for one of the page's controls and
  // scrolls the page with it instead; true when taken. Windows sends the
  // wheel to the control under the pointer, and a time-zone list, slider
  // or date picker would take the notches as a new setting while the
  // driver only scrolls to look through the page. An open drop-down list
  // keeps scrolling its own items.
  bool TakeWheel(const MSG& msg);

  // Width in pixels of `text` drawn in `font`.
  static int CalcTextWidth(const std::wstring& text, HFONT font);
  // Gives control `id` its font and text and moves it to (x, y) with the
  // height given; the width is the text's when `fitText`, else `width`.
  void PlaceItemText(int id, HFONT font, const std::wstring& text, int x, int y, int width,
                     int height, bool fitText);
  // As PlaceItemText; a fitted width gets four space widths more.
  void PlaceItemTextWide(int id, HFONT font, const std::wstring& text, int x, int y, int width,
                         int height, bool fitText);
  // As PlaceItemText without setting the text: it only measures the width.
  void PlaceItem(int id, HFONT font, const std::wstring& text, int x, int y, int width, int height,
                 bool fitText);

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // A page never ends by Enter or Escape; it lives as long as the window.
  void OnOK() override {}
  void OnCancel() override {}

  // Sets up the vertical scroll bar for m_nScrollMax at the top.
  void InitScrollBar();
  // Back to the top (ShowRecord's first step): offset and bar to 0 and the
  // whole page repainted; the layout that follows places every control.
  void ResetScroll();
  void ScrollBy(int delta);

  const COLORREF m_clrBack = RGB(254, 254, 254);
  UniqueBrush m_brBack;
  int m_nScrollPos = 0;
  int m_nScrollMax = 0;
  int m_nScrollStep = 80;

 private:
  void Place(int id, HFONT font, const std::wstring& text, int x, int y, int width, int height,
             bool setText);
  INT_PTR OnVScroll(int code, int thumb);
};

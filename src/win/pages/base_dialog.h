#pragma once
// Base of the four settings pages: child dialogs in the main window's page
// area with one background colour for the page and its labels, vertical
// scrolling by bar and wheel, mouse forwarding to the main window (so the
// captionless window can be dragged by its pages, and a click on a page's
// background takes the focus away from its controls), controls that
// screen readers hear by role and by a name that carries their setting,
// and helpers that give a control its font, text and place in one call.
// A page is a property page to screen readers, named by its window text.
//
// Pages lay themselves out in design pixels, as at 96 DPI; the helpers
// here turn them into device pixels at the page's scale, and measured text
// widths back into design pixels, so the layout tables never change with
// the display scale.

#include <windows.h>

#include <string>

#include "core/pages/scroll_delta.h"
#include "core/skin/scale.h"
#include "win/controls/accessibility.h"
#include "win/framework/dialog.h"
#include "win/framework/handle.h"

class CBaseDialog : public Dialog {
 public:
  // The size of the page area in design pixels.
  static constexpr int kPageWidth = 600;
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

  // The scale the page is shown at: its window's when it is created. A new
  // scale lays the page out again and keeps its scroll position, its
  // values and its focus.
  const skin::Scale& scale() const { return scale_; }
  void SetScale(const skin::Scale& scale);

  // Width in device pixels of `text` drawn in `font`.
  static int CalcTextWidth(const std::wstring& text, HFONT font);
  // The same in design pixels at the page's scale.
  int TextWidth(const std::wstring& text, HFONT font) const;
  // Gives control `id` its font and text and moves it to (x, y) with the
  // height given; the width is the text's when `fitText`, else `width`.
  // Positions and sizes are design pixels.
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

  // What screen readers hear as the name and the value of control `id`;
  // empty where the control's own text, or the standard object's value,
  // says it.
  virtual std::u16string AccessibleName(int /*id*/) const { return {}; }
  virtual std::u16string AccessibleValue(int /*id*/) const { return {}; }

  // The page's fonts and pictures, and the positions of its controls, at
  // scale(): made when the page is created and again whenever its scale
  // changes. The controls' values are left as they are.
  virtual void CreateSkin() = 0;
  virtual void LayOut() = 0;

  // Moves `item` to the design rectangle (x, y, width, height), edge by
  // edge at the page's scale.
  void MoveItem(HWND item, int x, int y, int width, int height) const;
  // A Tahoma font of design height `height` at the page's scale.
  UniqueFont MakeFont(int height, int weight) const;
  // Label `id`, an edit control, shows its text from its left edge to its
  // right edge, as wide as the text: an edit control keeps a margin on
  // each side, which would move the text off the column it stands in and
  // cut off a label exactly as wide as its text. Its font sets the margins
  // anew, so this follows the label's font.
  void RemoveLabelMargins(int id) const;
  // Ticks or unticks check box or radio button `id` and no other; the
  // caller sets the rest of its group itself.
  void ShowTick(int id, bool ticked) const;

  // Sets up the vertical scroll bar for m_nScrollMax at the top.
  void InitScrollBar();
  // Back to the top (ShowRecord's first step): offset and bar to 0 and the
  // whole page repainted; the layout that follows places every control.
  void ResetScroll();
  void ScrollBy(int delta);

  const COLORREF m_clrBack = RGB(254, 254, 254);
  UniqueBrush m_brBack;
  int m_nScrollPos = 0;  // device pixels, the scroll bar's unit
  int m_nScrollMax = 0;  // design pixels, as the pages set them
  int m_nScrollStep = 80;

 private:
  INT_PTR AnswerTextRequest(HWND control, accessibility::TextRequest& request);
  // The scroll state in device pixels.
  pages::ScrollState DeviceScroll() const;
  void Place(int id, HFONT font, const std::wstring& text, int x, int y, int width, int height,
             bool setText);
  INT_PTR OnVScroll(int code, int thumb);

  skin::Scale scale_;
};

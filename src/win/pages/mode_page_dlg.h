#pragma once
// What the Continuous and Parking pages have in common: each is a table of
// rows (core/pages/mode_page_rows.h) that this class lays out and re-texts,
// sets from the record and routes the user's clicks and slider moves
// through, plus the separators beside the section titles and the numbers
// under the sliders. A page adds only its own rules on top.

#include <windows.h>

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/pages/mode_page_rows.h"
#include "win/controls/sub_slider.h"
#include "win/framework/handle.h"
#include "win/pages/base_dialog.h"

class CModePageDlg : public CBaseDialog {
 public:
  // `rows` and `scales` are static tables; `scrollMax` is how far the
  // page scrolls (0: it does not).
  CModePageDlg(int templateId, std::span<const pages::rows::PageRow> rows,
               std::span<const pages::rows::SliderScale> scales, int scrollMax);

  // Back to the top, lays out and re-texts every row in the program's
  // language, then sets the controls from the record without writing to it.
  void ShowRecord() override;

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  void CreateSkin() override;
  void LayOut() override;

  std::u16string AccessibleName(int id) const override;
  std::u16string AccessibleValue(int id) const override;

  // A click on a button of the table; by default a radio stores its value
  // and any other button does nothing.
  virtual void OnRowClicked(const pages::rows::PageRow& row);
  // Called once the controls show the record: the page's enable rules.
  virtual void OnRecordShown() {}

 private:
  // The width in design pixels that shows all of `text` in a control of
  // `kind` in `font`.
  int NeededWidth(pages::rows::RowKind kind, const std::wstring& text, HFONT font) const;
  void ShowValues(const SettingsRecord& record);
  void OnSliderMoved(HWND slider);
  void Paint(HDC dc);
  // A child control's rectangle in page coordinates.
  RECT ItemRect(int id) const;
  bool ItemVisible(int id) const;
  HFONT FontFor(pages::rows::FontKind kind) const;

  std::span<const pages::rows::PageRow> rows_;
  std::span<const pages::rows::SliderScale> scales_;
  UniqueFont titleFont_;
  UniqueFont boldFont_;
  UniqueFont normalFont_;
  std::vector<std::unique_ptr<CSubSlider>> sliders_;
};

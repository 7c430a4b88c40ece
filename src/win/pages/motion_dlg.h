#pragma once
// The motion-detection area editor: a modal, captionless window showing the
// front and rear camera pictures side by side, each covered by 4 x 3 cells.
// A click toggles a cell between selected (blue) and not (grey). Confirm
// keeps the selection (DoModal answers IDOK); Cancel and the close button
// put back the cells as they were when the editor opened (IDCANCEL).
// Escape does nothing. Cancel has the focus when it opens; Tab moves it
// between Cancel and Confirm, and Space or Enter presses the focused one.
//
// The owner (the Parking page) keeps one editor for its lifetime, sets the
// cells from the record before opening it and, after IDOK, packs them into
// the record (pages::motion::PackCells).

#include <windows.h>

#include <array>

#include "core/pages/motion_cells.h"
#include "core/skin/scale.h"
#include "win/controls/mem_canvas.h"
#include "win/controls/rbutton.h"
#include "win/controls/rstatic_text.h"
#include "win/framework/dialog.h"
#include "win/framework/handle.h"

class CMotionDlg : public Dialog {
 public:
  // The client size the editor gives itself, in design pixels.
  static constexpr int kWidth = 464;
  static constexpr int kHeight = 309;

  CMotionDlg();

  // Selects every cell of both pictures.
  void SelectAllCells();

  // Opens the editor over `owner` (may be null) and returns IDOK after
  // Confirm, IDCANCEL after Cancel or the close button, -1 when it could
  // not be created. Every opening builds its pictures and controls anew.
  INT_PTR DoModal(HWND owner) { return Dialog::DoModal(owner); }

  // One entry per cell (1 selected, 0 not); read and written by the owner
  // while the editor is closed.
  pages::motion::Cells frontCells{};
  pages::motion::Cells rearCells{};

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  void OnOK() override;
  void OnCancel() override;

 private:
  void BuildPictures();
  void CreateControls();
  pages::motion::Cells& CellsOf(pages::motion::Picture picture);
  // Draws the cell as it now stands into the composed picture.
  void ComposeCell(pages::motion::Picture picture, int cell);
  void OnLButtonDown(int x, int y);
  void Paint(HDC dc) const;
  void ReleaseDrawing();

  skin::Scale scale_;
  pages::motion::Cells savedFrontCells{};
  pages::motion::Cells savedRearCells{};
  UniqueFont titleFont_;
  UniqueFont textFont_;
  CMemCanvas background_;         // the whole picture without the cell overlays
  CMemCanvas selectedOverlay_;    // 48 x 30
  CMemCanvas unselectedOverlay_;  // 48 x 30
  CMemCanvas composed_;           // background and every cell, as shown
  std::array<CRStaticText, 4> texts_;
  std::array<CRButton, 3> buttons_;
};

#pragma once
// A line of anti-aliased text in one colour over a copy of the owner's
// background picture, so that it blends into a skinned window. Mouse moves
// and left-button presses and releases are passed on to the parent
// unchanged (lParam stays in this control's client coordinates), so the
// owner can treat the text as part of itself, for example to drag a window
// by its title. Screen readers read it as text.

#include <windows.h>

#include "win/controls/mem_canvas.h"
#include "win/controls/skin_text_style.h"
#include "win/framework/window.h"

class CRStaticText : public Window {
 public:
  // `pngId`: a nine-patch picture laid over the background, whose content
  // area then holds the text; 0 for none (the text uses the whole client
  // area). `font` is not owned and must outlive the control; it is taken,
  // with the text, colour and alignment, only when `style` is given.
  // `parentBackground` is the DC of the owner's background canvas. The text
  // is composed once here and becomes the window text; SetWindowText does
  // not change what is shown.
  void SetSkin(int pngId, HFONT font, HDC parentBackground = nullptr,
               const SkinTextStyle* style = nullptr);

  // Draws the composed picture onto `dc` at its origin, as painting does.
  void Draw(HDC dc);

  // How far past a line's measured width the anti-aliased edge of its last
  // letter may reach, in the font selected into `dc`: text shown whole
  // needs that much room after its widest line.
  static int OverhangRoom(HDC dc);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Compose(HDC reference, int width, int height);
  void DrawAlphaText(HDC target) const;
  void RedrawNow();

  CMemCanvas composition_;  // background and text, reused until rebuilt
  bool rebuild_ = true;
  RECT textRect_{};
  CMemCanvas background_;
  HFONT font_ = nullptr;
  SkinTextStyle style_;
};

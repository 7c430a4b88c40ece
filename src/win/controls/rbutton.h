#pragma once
// A button drawn entirely from PNG pictures: page tabs, window-control
// buttons and text push buttons. It keeps its own state, composes one picture
// per state when its owner gives it its skin, and tells its parent about a
// click by posting WM_COMMAND (low word: its control id; lParam 0) when the
// left button is released over it, when Space is released or Enter pressed
// while it has the focus, and on BM_CLICK. BM_GETCHECK tells whether it is
// checked. While it has the focus it shows a focus look, unless the
// keyboard cues are hidden (WM_UPDATEUISTATE). Screen readers know it as
// a push button, or a page tab once it has a selected picture, named by
// its window text (the caption, which SetSkin makes the window text).
//
// The owner creates it with CreateChild and then gives it pictures with
// SetImages or SetSkin. A parent background DC is the DC of the owner's
// background canvas (covering the owner's client area); the button copies
// from it the rectangle that it occupies.

#include <windows.h>

#include <array>
#include <optional>

#include "core/skin/scale.h"
#include "win/controls/mem_canvas.h"
#include "win/controls/skin_text_style.h"
#include "win/framework/handle.h"
#include "win/framework/window.h"

class CRButton : public Window {
 public:
  enum State : int { kNormal = 0, kHover = 1, kPressed = 2, kSelected = 3, kDisabled = 4 };

  // The scale the button is shown at (the design's until told): picture ids
  // name the design's pictures and the set drawn for the scale is used,
  // and a caption's font height is scaled. Give it before the skin.
  void SetScale(const skin::Scale& scale) { scale_ = scale; }

  // The pictures are decoded and composed here, once, and show from the next
  // paint on. Plain pictures fill the button; a disabled picture is built
  // only for a non-zero id.
  void SetImages(int normalId, int hoverId, int pressedId, HDC parentBackground = nullptr,
                 int disabledId = 0);
  // Nine-patch pictures stretched to the button's size, with an optional
  // caption placed in the normal picture's content area.
  void SetSkin(int normalId, int hoverId, int pressedId, HDC parentBackground = nullptr,
               const SkinTextStyle* caption = nullptr, int disabledId = 0);
  // The nine-patch picture of the selected (checked) state; a button with
  // one is a page tab.
  void SetCheckedSkin(int id);
  // Selected (state kSelected) or not (kNormal); redrawn at once.
  void SetCheck(bool checked);

  bool GetCheck() const { return checked_; }
  State GetState() const { return state_; }
  // Draws the current picture and caption onto `dc` at its origin, as
  // painting does. Only canvases are copied: nothing is decoded.
  void Draw(HDC dc);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  CMemCanvas& StateCanvas(State state);
  void Compose(HDC reference, int width, int height);
  void DrawCaption(HDC dc) const;
  bool ShowsFocus() const;
  void DrawFocusLook(HDC dc) const;
  void SkinChanged();
  void ShowState(State state);
  void ReleasePictures();

  // Tells the parent, then shows `after` unless the button is a checked tab.
  void Click(State after);
  bool OnKey(UINT msg, WPARAM key, LPARAM flags);
  LRESULT DialogCode(const MSG* msg) const;
  void OnFocusChanged();
  void OnLButtonUp();
  void OnMouseMove();
  void OnMouseLeave();
  void OnEnable(bool enabled);

  CMemCanvas background_;
  std::array<CMemCanvas, 5> pictures_;  // indexed by State
  CMemCanvas composition_;              // the last composed picture, reused until rebuilt
  bool rebuild_ = false;
  skin::Scale scale_;
  State state_ = kNormal;
  bool checked_ = false;
  bool tab_ = false;
  bool spaceHeld_ = false;  // Space went down on the focused button
  std::optional<SkinTextStyle> caption_;
  RECT textRect_{};
  UniqueFont font_;
};

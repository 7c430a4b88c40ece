#include "win/controls/rbutton.h"

#include <utility>

#include "win/controls/client_canvas.h"
#include "win/controls/nine_patch.h"
#include "win/platform/wide.h"

namespace {

// A state picture holds exactly its own picture, not what an earlier skin
// left under its transparent pixels.
bool DrawPlain(CMemCanvas& canvas, int id) {
  canvas.Clear();
  return CNinePatch::DrawPng(canvas, id);
}

}  // namespace

void CRButton::SetImages(int normalId, int hoverId, int pressedId, HDC parentBackground,
                         int disabledId) {
  if (parentBackground != nullptr) CopyParentBackground(hwnd(), parentBackground, background_);
  const std::pair<State, int> pictures[] = {
      {kNormal, normalId}, {kHover, hoverId}, {kPressed, pressedId}, {kDisabled, disabledId}};
  for (const auto& [state, id] : pictures) {
    if (id != 0) DrawPlain(StateCanvas(state), scale_.PlainPicture(id));
  }
  SkinChanged();
}

void CRButton::SetSkin(int normalId, int hoverId, int pressedId, HDC parentBackground,
                       const SkinTextStyle* caption, int disabledId) {
  if (parentBackground != nullptr) CopyParentBackground(hwnd(), parentBackground, background_);
  if (caption != nullptr) {
    caption_ = *caption;
    font_ = CreateSkinFont(scale_.Px(caption->fontHeight));
  }
  RECT content{};
  if (CNinePatch::DrawNinePatch(StateCanvas(kNormal), scale_.NinePatchPicture(normalId),
                                &content) &&
      caption_) {
    textRect_ = content;
  }
  const std::pair<State, int> pictures[] = {
      {kHover, hoverId}, {kPressed, pressedId}, {kDisabled, disabledId}};
  for (const auto& [state, id] : pictures) {
    if (id != 0) CNinePatch::DrawNinePatch(StateCanvas(state), scale_.NinePatchPicture(id));
  }
  SkinChanged();
}

void CRButton::SetCheckedSkin(int id) {
  CNinePatch::DrawNinePatch(StateCanvas(kSelected), scale_.NinePatchPicture(id));
  SkinChanged();
}

void CRButton::SetCheck(bool checked) {
  checked_ = checked;
  ShowState(checked ? kSelected : kNormal);
}

void CRButton::Draw(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (rebuild_) {
    composition_.Release();
    rebuild_ = false;
  }
  if (!composition_.IsCreated()) Compose(dc, client.right, client.bottom);
  composition_.CopyTo(dc);
  if (caption_) DrawCaption(dc);
}

CMemCanvas& CRButton::StateCanvas(State state) {
  CMemCanvas& canvas = pictures_[state];
  EnsureClientCanvas(hwnd(), canvas);
  return canvas;
}

void CRButton::Compose(HDC reference, int width, int height) {
  if (!composition_.Create(reference, width, height)) return;
  background_.CopyTo(composition_.GetDC());
  pictures_[state_].BlendOver(composition_.GetDC());
}

// The caption is drawn on every paint, over the composed picture, in the
// colour of the state.
void CRButton::DrawCaption(HDC dc) const {
  const COLORREF colors[] = {caption_->colorNormal, caption_->colorHover, caption_->colorPressed,
                             caption_->colorPressed, caption_->colorNormal};
  RECT rect = textRect_;
  UINT format = 0;
  if (caption_->alignment == TextAlign::kCenter) {
    // Centred by the font height, not the measured text, so that captions
    // of one row share a baseline.
    rect.top += (rect.bottom - scale_.Px(caption_->fontHeight) - rect.top) / 2;
    format = DT_CENTER;
  }
  const int saved = SaveDC(dc);
  SetTextColor(dc, colors[state_]);
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, font_.get());
  DrawTextW(dc, Wide(caption_->text), -1, &rect, format);
  RestoreDC(dc, saved);
}

// New pictures show from the next paint on; the button is not drawn at once
// because the owner is usually still building its window.
void CRButton::SkinChanged() {
  rebuild_ = true;
  InvalidateRect(hwnd(), nullptr, FALSE);
}

// A state change shows at once, without waiting for WM_PAINT.
void CRButton::ShowState(State state) {
  state_ = state;
  rebuild_ = true;
  WindowDc dc(hwnd());
  Draw(dc.get());
}

void CRButton::ReleasePictures() {
  composition_.Release();
  background_.Release();
  for (CMemCanvas& canvas : pictures_) canvas.Release();
  font_.reset();
}

LRESULT CRButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PaintDc dc(hwnd());
      Draw(dc.get());
      return 0;
    }
    case WM_LBUTTONDOWN:
      ShowState(kPressed);
      break;
    case WM_LBUTTONUP:
      OnLButtonUp();
      break;
    case WM_MOUSEMOVE:
      OnMouseMove();
      break;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      break;
    case WM_GETDLGCODE:
      // A tab holds the focus while its page is shown. Without this the
      // dialog manager would take arrow keys and typed characters from it
      // and act on the page's controls behind the driver's back.
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_ENABLE: {
      const LRESULT result = DefaultProc(msg, wParam, lParam);
      OnEnable(wParam != FALSE);
      return result;
    }
    case WM_DESTROY: {
      const LRESULT result = DefaultProc(msg, wParam, lParam);
      ReleasePictures();
      return result;
    }
  }
  return DefaultProc(msg, wParam, lParam);
}

// The button does not capture the mouse: a release over it is a click,
// wherever the press began.
void CRButton::OnLButtonUp() {
  const int id = GetDlgCtrlID(hwnd());
  PostMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  // A checked tab keeps showing the pressed picture until SetCheck.
  if (!checked_ || !pictures_[kSelected].IsCreated()) ShowState(kHover);
}

void CRButton::OnMouseMove() {
  if (state_ != kNormal && state_ != kSelected) return;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
  TrackMouseEvent(&track);
  if (state_ == kNormal) ShowState(kHover);
}

// Only the hover and pressed looks go back to normal; a disabled or checked
// button keeps its picture.
void CRButton::OnMouseLeave() {
  if (!checked_ && (state_ == kHover || state_ == kPressed)) ShowState(kNormal);
}

void CRButton::OnEnable(bool enabled) {
  if (enabled) {
    if (state_ == kDisabled) ShowState(kNormal);
  } else if (pictures_[kDisabled].IsCreated()) {
    ShowState(kDisabled);
  }
}

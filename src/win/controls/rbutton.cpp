#include "win/controls/rbutton.h"

#include <utility>

#include "win/controls/accessibility.h"
#include "win/controls/client_canvas.h"
#include "win/controls/nine_patch.h"
#include "win/platform/wide.h"

namespace {

// A state picture holds exactly its own picture, not what an earlier skin
// left under its transparent pixels.
constexpr COLORREF kWhite = RGB(255, 255, 255);
// WM_KEYDOWN's flag for a key that was down already (auto-repeat).
constexpr LPARAM kRepeatedKey = 1 << 30;

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
    SetWindowTextW(hwnd(), Wide(caption_->text));
  }
  RECT content{};
  if (CNinePatch::DrawNinePatch(StateCanvas(kNormal), scale_, normalId, &content) && caption_) {
    textRect_ = content;
  }
  const std::pair<State, int> pictures[] = {
      {kHover, hoverId}, {kPressed, pressedId}, {kDisabled, disabledId}};
  for (const auto& [state, id] : pictures) {
    if (id != 0) CNinePatch::DrawNinePatch(StateCanvas(state), scale_, id);
  }
  SkinChanged();
}

void CRButton::SetCheckedSkin(int id) {
  tab_ = true;
  CNinePatch::DrawNinePatch(StateCanvas(kSelected), scale_, id);
  SkinChanged();
}

void CRButton::SetCheck(bool checked) {
  const bool changed = checked != checked_;
  checked_ = checked;
  ShowState(checked ? kSelected : kNormal);
  if (changed) NotifyWinEvent(EVENT_OBJECT_STATECHANGE, hwnd(), OBJID_CLIENT, CHILDID_SELF);
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
  if (ShowsFocus()) DrawFocusLook(dc);
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

bool CRButton::ShowsFocus() const {
  return GetFocus() == hwnd() &&
         (SendMessageW(hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

// A thin rounded outline inside the button's edge, in the colour of a
// pressed caption: light on every picture of the skin, and drawn at the
// button's scale like the rest of it.
void CRButton::DrawFocusLook(HDC dc) const {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const int inset = scale_.Px(4);
  const int corner = scale_.Px(6);
  UniquePen pen(CreatePen(PS_SOLID, scale_.Px(1), caption_ ? caption_->colorPressed : kWhite));
  SelectGuard selectPen(dc, pen.get());
  SelectGuard selectBrush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, inset, inset, client.right - inset, client.bottom - inset, corner, corner);
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
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (OnKey(msg, wParam, lParam)) return 0;
      break;
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case BM_CLICK:
      if (IsWindowEnabled(hwnd())) Click(kNormal);
      return 0;
    case BM_GETCHECK:
      return checked_ ? BST_CHECKED : BST_UNCHECKED;
    case WM_GETOBJECT:
      if (const LRESULT object = accessibility::AnswerGetObject(
              hwnd(), wParam, lParam,
              tab_ ? accessibility::Role::kPageTab : accessibility::Role::kPushButton)) {
        return object;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE: {
      const LRESULT result = DefaultProc(msg, wParam, lParam);
      OnFocusChanged();
      return result;
    }
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

// Posted, so the parent acts on it from its queue and never while the
// button is still inside its own message.
void CRButton::Click(State after) {
  const int id = GetDlgCtrlID(hwnd());
  PostMessageW(GetParent(hwnd()), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  // A checked tab keeps showing the pressed picture until SetCheck.
  if (!checked_ || !pictures_[kSelected].IsCreated()) ShowState(after);
}

// As a standard button: Space presses it and its release clicks, Enter
// clicks at once (once, however long it is held).
bool CRButton::OnKey(UINT msg, WPARAM key, LPARAM flags) {
  if (key == VK_RETURN) {
    if (msg == WM_KEYDOWN && !(flags & kRepeatedKey)) Click(kNormal);
    return true;
  }
  if (key != VK_SPACE) return false;
  if (msg == WM_KEYDOWN) {
    if (!spaceHeld_) ShowState(kPressed);
    spaceHeld_ = true;
  } else if (spaceHeld_) {
    spaceHeld_ = false;
    Click(kNormal);
  }
  return true;
}

// A tab holds the focus while its page is shown. Without the arrows and
// typed characters the dialog manager would take them from it and act on
// the page's controls behind the driver's back; without Enter it would
// turn Enter into the window's OK command instead of pressing the button.
LRESULT CRButton::DialogCode(const MSG* msg) const {
  LRESULT code = DLGC_WANTARROWS | DLGC_WANTCHARS;
  if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
    code |= DLGC_WANTMESSAGE;
  }
  return code;
}

// A press by Space ends without a click when the focus leaves first.
void CRButton::OnFocusChanged() {
  if (GetFocus() != hwnd() && spaceHeld_) {
    spaceHeld_ = false;
    ShowState(checked_ ? kSelected : kNormal);
  }
  InvalidateRect(hwnd(), nullptr, FALSE);
}

// The button does not capture the mouse: a release over it is a click,
// wherever the press began.
void CRButton::OnLButtonUp() {
  Click(kHover);
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

#include "win/controls/rstatic_text.h"

#include <span>

#include "core/skin/alpha_text.h"
#include "win/controls/accessibility.h"
#include "win/controls/client_canvas.h"
#include "win/controls/nine_patch.h"
#include "win/framework/handle.h"
#include "win/platform/wide.h"

void CRStaticText::SetSkin(int pngId, HFONT font, HDC parentBackground,
                           const SkinTextStyle* style) {
  if (parentBackground != nullptr) CopyParentBackground(hwnd(), parentBackground, background_);
  if (style != nullptr) {
    style_ = *style;
    font_ = font;
    SetWindowTextW(hwnd(), Wide(style_.text));
  }
  GetClientRect(hwnd(), &textRect_);
  if (pngId != 0) {
    CMemCanvas picture;
    if (EnsureClientCanvas(hwnd(), picture) &&
        CNinePatch::DrawNinePatch(picture, pngId, &textRect_) &&
        EnsureClientCanvas(hwnd(), background_)) {
      picture.BlendOver(background_.GetDC());
    }
  }
  rebuild_ = true;
  RedrawNow();
}

void CRStaticText::Draw(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (rebuild_) {
    composition_.Release();
    rebuild_ = false;
  }
  if (!composition_.IsCreated()) Compose(dc, client.right, client.bottom);
  composition_.CopyTo(dc);
}

// The text belongs to the composition: it is drawn again only on a rebuild.
void CRStaticText::Compose(HDC reference, int width, int height) {
  if (!composition_.Create(reference, width, height)) return;
  background_.CopyTo(composition_.GetDC());
  DrawAlphaText(composition_.GetDC());
}

// GDI text has no alpha of its own: render it white on black, take the
// coverage as alpha of the wanted colour and blend the result. A glyph's
// anti-aliased edge may reach past the advance of a line's last letter,
// so the picture keeps room beyond the measured width, or that letter
// would lose its edge.
void CRStaticText::DrawAlphaText(HDC target) const {
  if (style_.text.empty()) return;
  RECT measured{};
  int overhang = 0;
  {
    SelectGuard font(target, font_);
    DrawTextW(target, Wide(style_.text), -1, &measured, DT_CALCRECT);
    overhang = OverhangRoom(target);
  }
  CMemCanvas text;
  if (!text.Create(target, measured.right + overhang, measured.bottom)) return;
  {
    SelectGuard font(text.GetDC(), font_);
    SetTextColor(text.GetDC(), RGB(255, 255, 255));
    SetBkColor(text.GetDC(), RGB(0, 0, 0));
    SetBkMode(text.GetDC(), OPAQUE);
    DrawTextW(text.GetDC(), Wide(style_.text), -1, &measured, DT_NOCLIP);
  }
  GdiFlush();
  const COLORREF color = style_.colorNormal;
  skin::TintCoverage(
      std::span(text.Pixels(), static_cast<std::size_t>(text.GetWidth()) * text.GetHeight()),
      {GetRValue(color), GetGValue(color), GetBValue(color)});
  const skin::TextOrigin origin =
      skin::PlaceText({textRect_.left, textRect_.top, textRect_.right, textRect_.bottom},
                      measured.right, text.GetHeight(), style_.alignment == TextAlign::kCenter);
  text.BlendOver(target, origin.x, origin.y);
}

int CRStaticText::OverhangRoom(HDC dc) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight / 4;
}

void CRStaticText::RedrawNow() {
  WindowDc dc(hwnd());
  Draw(dc.get());
}

LRESULT CRStaticText::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      SendMessageW(GetParent(hwnd()), msg, wParam, lParam);
      break;
    case WM_PAINT: {
      PaintDc dc(hwnd());
      Draw(dc.get());
      return 0;
    }
    case WM_SIZE: {
      const LRESULT result = DefaultProc(msg, wParam, lParam);
      rebuild_ = true;
      RedrawNow();
      return result;
    }
    case WM_GETOBJECT:
      if (const LRESULT object =
              accessibility::AnswerGetObject(hwnd(), wParam, lParam, accessibility::Role::kText)) {
        return object;
      }
      break;
  }
  return DefaultProc(msg, wParam, lParam);
}

#include "win/pages/motion_dlg.h"

#include <windowsx.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>

#include "core/lang/lang_manager.h"
#include "resource_ids.h"
#include "win/controls/accessibility.h"
#include "win/controls/nine_patch.h"
#include "win/controls/skin_text_style.h"
#include "win/controls/window_scale.h"
#include "win/platform/wide.h"

using pages::motion::CellRectOf;
using pages::motion::kCellCount;
using pages::motion::Picture;

namespace {

constexpr int kBackgroundPng = 164;
constexpr int kFrontPicturePng = 168;
constexpr int kRearPicturePng = 171;
constexpr int kUnselectedPng = 169;
constexpr int kSelectedPng = 170;
constexpr skin::PixelRect kPanel{10, 95, 454, 245};
constexpr int kOverlayWidth = 48;  // a cell's size
constexpr int kOverlayHeight = 30;
// The overlays tint the picture under a cell rather than hide it.
constexpr BYTE kOverlayOpacity = 150;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kHeaderText = RGB(214, 223, 233);
constexpr COLORREF kPanelText = RGB(57, 61, 66);
constexpr COLORREF kButtonText = RGB(176, 187, 200);
constexpr COLORREF kGridLine = RGB(163, 181, 198);

constexpr Picture kPictures[] = {Picture::kFront, Picture::kRear};

enum class FontKind { kTitle, kText };

// Rectangles in design pixels.
struct TextRow {
  int id;
  skin::PixelRect rect;
  const char16_t* textKey;
  FontKind font;
  COLORREF colour;
  bool wraps = false;  // broken into lines as wide as the rectangle
};

// The hint is longer than one line of the editor in every language: it
// gets room for three lines, centred where a single line would stand.
constexpr TextRow kTexts[] = {
    // As wide as the title band allows, up to the close button: the title is
    // longer in French.
    {IDC_MOTION_TITLE, {11, 7, 410, 27}, u"IDS_STRING164", FontKind::kTitle, kHeaderText},
    {IDC_MOTION_HINT, {11, 40, 455, 82}, u"IDS_STRING165", FontKind::kText, kHeaderText, true},
    {IDC_MOTION_FRONT_LABEL, {25, 105, 125, 125}, u"IDS_STRING110", FontKind::kTitle, kPanelText},
    {IDC_MOTION_REAR_LABEL, {240, 105, 340, 125}, u"IDS_STRING111", FontKind::kTitle, kPanelText},
};

struct ButtonRow {
  int id;
  skin::PixelRect rect;     // a right edge <= 0 counts from the client's right edge
  const char16_t* textKey;  // nullptr: plain pictures of the button's size, no caption
  int normalPng, hoverPng, pressedPng;
};

constexpr ButtonRow kButtons[] = {
    {IDC_MOTION_CLOSE, {-46, 1, -16, 27}, nullptr, 165, 166, 167},
    {IDC_MOTION_CANCEL, {252, 268, 352, 297}, u"IDS_STRING107", 161, 162, 163},
    {IDC_MOTION_CONFIRM, {356, 268, 456, 297}, u"IDS_STRING167", 161, 162, 163},
};

RECT ToRect(const pages::motion::CellRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

RECT ToRect(const pages::motion::CellRect& design, const skin::Scale& scale) {
  return DeviceRect({design.left, design.top, design.right, design.bottom}, scale);
}

// `text` with a line break ("\r\n") wherever the next word would run past
// `width` pixels in `font`, the edge of its last letter included; a single
// word wider than that keeps its line.
std::u16string WrapToWidth(const std::u16string& text, HFONT font, int width) {
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  SelectGuard select(dc.get(), font);
  const int room = width - CRStaticText::OverhangRoom(dc.get());
  auto fits = [&](std::u16string_view candidate) {
    SIZE extent{};
    std::wstring_view wide = Wide(candidate);
    GetTextExtentPoint32W(dc.get(), wide.data(), static_cast<int>(wide.size()), &extent);
    return extent.cx <= room;
  };
  std::u16string wrapped;
  std::u16string line;
  for (size_t at = 0; at <= text.size();) {
    size_t end = std::min(text.find(u' ', at), text.size());
    std::u16string_view word(text.data() + at, end - at);
    std::u16string longer =
        line.empty() ? std::u16string(word) : line + u' ' + std::u16string(word);
    if (!line.empty() && !fits(longer)) {
      wrapped += line + u"\r\n";
      line = word;
    } else {
      line = std::move(longer);
    }
    at = end + 1;
  }
  wrapped += line;
  return wrapped;
}

}  // namespace

CMotionDlg::CMotionDlg() : Dialog(IDD_MOTION_AREA) {}

void CMotionDlg::SelectAllCells() {
  frontCells.fill(1);
  rearCells.fill(1);
}

pages::motion::Cells& CMotionDlg::CellsOf(Picture picture) {
  return picture == Picture::kFront ? frontCells : rearCells;
}

BOOL CMotionDlg::OnInitDialog() {
  scale_ = WindowScale(hwnd());
  SetWindowPos(hwnd(), nullptr, 0, 0, scale_.Px(kWidth), scale_.Px(kHeight),
               SWP_NOMOVE | SWP_NOZORDER);
  SetWindowTextW(hwnd(), Wide(lang::Lang().GetLangText(u"IDS_STRING164")));
  titleFont_ = CreateSkinFont(scale_.Px(14));
  textFont_ = CreateSkinFont(scale_.Px(13), FW_NORMAL);
  BuildPictures();
  CreateControls();
  savedFrontCells = frontCells;
  savedRearCells = rearCells;
  return TRUE;
}

void CMotionDlg::BuildPictures() {
  RECT client{};
  GetClientRect(hwnd(), &client);
  background_.Create(nullptr, client.right, client.bottom);
  CNinePatch::DrawNinePatch(background_, scale_, kBackgroundPng);
  const RECT panel = DeviceRect(kPanel, scale_);
  FillRect(background_.GetDC(), &panel, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const std::pair<int, Picture> pictures[] = {{kFrontPicturePng, Picture::kFront},
                                              {kRearPicturePng, Picture::kRear}};
  UniqueBrush gridLine(CreateSolidBrush(kGridLine));
  for (const auto& [png, which] : pictures) {
    const RECT at = ToRect(pages::motion::PictureRect(which), scale_);
    CMemCanvas picture;
    picture.Create(nullptr, at.right - at.left, at.bottom - at.top);
    CNinePatch::DrawPng(picture, scale_.PlainPicture(png));
    picture.BlendOver(background_.GetDC(), at.left, at.top);
    // Drawn here rather than in the picture, which is resampled between
    // the scales its sets were drawn for: the lines fill exactly the gaps
    // the cells leave, and no sliver of the picture shows beside them.
    for (const pages::motion::CellRect& line : pages::motion::GridLines(which, scale_)) {
      const RECT r = ToRect(line);
      FillRect(background_.GetDC(), &r, gridLine.get());
    }
  }
  const std::pair<CMemCanvas*, int> overlays[] = {{&selectedOverlay_, kSelectedPng},
                                                  {&unselectedOverlay_, kUnselectedPng}};
  for (const auto& [overlay, png] : overlays) {
    overlay->Create(nullptr, scale_.Px(kOverlayWidth), scale_.Px(kOverlayHeight));
    CNinePatch::DrawPng(*overlay, scale_.PlainPicture(png));
  }

  composed_.Create(nullptr, client.right, client.bottom);
  background_.CopyTo(composed_.GetDC());
  for (Picture picture : kPictures) {
    for (int cell = 0; cell < kCellCount; ++cell) ComposeCell(picture, cell);
  }
}

void CMotionDlg::CreateControls() {
  constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE;
  HDC background = background_.GetDC();

  for (size_t i = 0; i < texts_.size(); ++i) {
    const TextRow& row = kTexts[i];
    const RECT rect = DeviceRect(row.rect, scale_);
    texts_[i].CreateChild(hwnd(), row.id, rect, kStyle);
    HFONT font = row.font == FontKind::kTitle ? titleFont_.get() : textFont_.get();
    std::u16string text = lang::Lang().GetLangText(row.textKey);
    if (row.wraps) text = WrapToWidth(text, font, rect.right - rect.left);
    SkinTextStyle style{text, row.colour, kWhite, kWhite, 14, TextAlign::kLeft};
    texts_[i].SetSkin(0, font, background, &style);
  }

  for (size_t i = 0; i < buttons_.size(); ++i) {
    const ButtonRow& row = kButtons[i];
    skin::PixelRect design = row.rect;
    if (design.right <= 0) {
      design.left += kWidth;
      design.right += kWidth;
    }
    CRButton& button = buttons_[i];
    // The close glyph stays out of the Tab order, as Cancel does the same.
    const DWORD windowStyle = row.textKey == nullptr ? kStyle : kStyle | WS_TABSTOP;
    button.CreateChild(hwnd(), row.id, DeviceRect(design, scale_), windowStyle);
    button.SetScale(scale_);
    if (row.textKey == nullptr) {
      SetWindowTextW(button.hwnd(), accessibility::SystemCommandName(hwnd(), SC_CLOSE).c_str());
      button.SetImages(row.normalPng, row.hoverPng, row.pressedPng, background);
      continue;
    }
    SkinTextStyle style{
        lang::Lang().GetLangText(row.textKey), kButtonText, kWhite, kWhite, 14, TextAlign::kCenter};
    button.SetSkin(row.normalPng, row.hoverPng, row.pressedPng, background, &style);
  }
}

void CMotionDlg::ComposeCell(Picture picture, int cell) {
  RECT r = ToRect(CellRectOf(picture, cell, scale_));
  HDC target = composed_.GetDC();
  BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, background_.GetDC(), r.left,
         r.top, SRCCOPY);
  const CMemCanvas& overlay = CellsOf(picture)[cell] != 0 ? selectedOverlay_ : unselectedOverlay_;
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, kOverlayOpacity, AC_SRC_ALPHA};
  GdiAlphaBlend(target, r.left, r.top, r.right - r.left, r.bottom - r.top, overlay.GetDC(), 0, 0,
                overlay.GetWidth(), overlay.GetHeight(), blend);
}

void CMotionDlg::OnLButtonDown(int x, int y) {
  if (!composed_.IsCreated()) return;
  WindowDc window(hwnd());
  for (Picture picture : kPictures) {
    auto cell = pages::motion::CellAt(picture, x, y, scale_);
    if (!cell) continue;
    std::int32_t& state = CellsOf(picture)[*cell];
    state = state != 0 ? 0 : 1;
    ComposeCell(picture, *cell);
    RECT r = ToRect(CellRectOf(picture, *cell, scale_));
    BitBlt(window.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, composed_.GetDC(),
           r.left, r.top, SRCCOPY);
  }
}

void CMotionDlg::Paint(HDC dc) const {
  if (composed_.IsCreated()) composed_.CopyTo(dc);
}

void CMotionDlg::OnOK() {
  ReleaseDrawing();
  EndDialog(IDOK);
}

void CMotionDlg::OnCancel() {
  frontCells = savedFrontCells;
  rearCells = savedRearCells;
  ReleaseDrawing();
  EndDialog(IDCANCEL);
}

void CMotionDlg::ReleaseDrawing() {
  for (CRButton& button : buttons_) DestroyWindow(button.hwnd());
  for (CRStaticText& text : texts_) DestroyWindow(text.hwnd());
  composed_.Release();
  selectedOverlay_.Release();
  unselectedOverlay_.Release();
  background_.Release();
}

INT_PTR CMotionDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PaintDc paint(hwnd());
      Paint(paint.get());
      return TRUE;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return TRUE;
    case WM_LBUTTONDOWN:
      OnLButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return FALSE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDC_MOTION_CLOSE:
        case IDC_MOTION_CANCEL:
          OnCancel();
          return TRUE;
        case IDC_MOTION_CONFIRM:
          OnOK();
          return TRUE;
        case IDCANCEL:
          // The dialog manager's answer to Escape: the editor stays open.
          return TRUE;
        default:
          break;
      }
      break;
    case WM_CLOSE:
      // Alt+F4 closes the editor as its close button does.
      OnCancel();
      return TRUE;
    default:
      break;
  }
  return Dialog::DialogProc(msg, wParam, lParam);
}

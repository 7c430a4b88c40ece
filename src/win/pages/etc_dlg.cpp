#include "win/pages/etc_dlg.h"

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "core/lang/lang_manager.h"
#include "core/pages/additional_rows.h"
#include "resource_ids.h"
#include "win/card/format_memory_card.h"
#include "win/controls/nine_patch.h"
#include "win/controls/skin_text_style.h"
#include "win/controls/window_scale.h"
#include "win/framework/tab_stops.h"
#include "win/platform/wide.h"

namespace {

using namespace pages::additional;

constexpr int kScrollMax = 240;
constexpr int kScrollStep = 80;
constexpr COLORREF kSeparatorColour = RGB(163, 181, 198);

constexpr int kLedPictureWidth = 231;
constexpr int kLedPictureHeight = 16;

constexpr int kFirstBarPng = 175;  // one bar picture per kind of recording, in row order
constexpr int kBarHeight = 15;
// Where the bars and percentages are drawn, in page coordinates before
// scrolling: repainted whenever the partition changes.
constexpr RECT kShareArea{110, 400, 622, 580};

constexpr int kShareTextHeight = 14;
constexpr int kPercentWidth = 6 * 3 + 20;
// The widest percentage a share shows (digits are equally wide).
constexpr wchar_t kWidestPercent[] = L"00.0%";
// The percentage column starts this far right of the widest label's width.
constexpr int kPercentColumnGap = 30;

bool IsButtonControl(Kind kind) {
  return IsCheck(kind) || kind == Kind::kRadio || kind == Kind::kButton;
}

std::wstring Text(const char16_t* key) {
  return ToWide(lang::Lang().GetLangText(key));
}

// The width in design pixels that shows all of `text` in a control of
// `kind` in `font` at `scale`: a check box's or radio's text stands after
// its box, a push button keeps a frame around it, and a label, without
// margins, is as wide as its text.
int NeededWidth(Kind kind, const std::wstring& text, HFONT font, const skin::Scale& scale) {
  constexpr int kBoxTextGap = 6;
  constexpr int kButtonPadding = 12;
  int width = CBaseDialog::CalcTextWidth(text, font);
  if (kind == Kind::kButton) return scale.ToDesign(width) + kButtonPadding;
  if (IsButtonControl(kind)) {
    return scale.ToDesign(width + SystemMetric(SM_CXMENUCHECK, scale)) + kBoxTextGap;
  }
  return scale.ToDesign(width);
}

// The same for the right-aligned percentages, which keep the margins of
// their edit controls and room for a caret.
int PercentWidth(HWND item, const std::wstring& text, HFONT font, const skin::Scale& scale) {
  constexpr int kCaretWidth = 2;
  SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  DWORD margins = static_cast<DWORD>(SendMessageW(item, EM_GETMARGINS, 0, 0));
  return scale.ToDesign(CBaseDialog::CalcTextWidth(text, font) + LOWORD(margins) +
                        HIWORD(margins)) +
         kCaretWidth;
}

// A title is as wide as its text, so its separator starts where those of
// the other pages do; every other row is at least its estimate from the
// character count, so the page looks the same whatever fonts the PC has.
int WidthOf(Kind kind, const std::wstring& text, HFONT font, const skin::Scale& scale) {
  const int needed = NeededWidth(kind, text, font, scale);
  if (kind == Kind::kTitle) return needed;
  return std::max(6 * static_cast<int>(text.size()) + 20, needed);
}

bool IsLabel(Kind kind) {
  return kind == Kind::kTitle || kind == Kind::kLabel;
}

// Whether the control itself is shown, whether or not the page is.
bool HasVisibleStyle(HWND item) {
  return (GetWindowLongPtrW(item, GWL_STYLE) & WS_VISIBLE) != 0;
}

int HeightOf(Kind kind) {
  return kind == Kind::kTitle || kind == Kind::kLabel ? 14 : 25;
}

}  // namespace

CEtcDlg::CEtcDlg() : CEtcDlg(FormatMemoryCard) {}

CEtcDlg::CEtcDlg(FormatAction format) : CBaseDialog(IDD_ADDITIONAL), format_(std::move(format)) {
  m_nScrollMax = kScrollMax;
  m_nScrollStep = kScrollStep;
}

BOOL CEtcDlg::OnInitDialog() {
  SetWindowPos(hwnd(), nullptr, 0, 0, scale().Px(kPageWidth), scale().Px(kPageHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  CreateSkin();
  InitScrollBar();
  return TRUE;
}

void CEtcDlg::CreateSkin() {
  titleFont_ = MakeFont(14, FW_BOLD);
  normalFont_ = MakeFont(13, FW_NORMAL);
  const std::pair<CMemCanvas*, int> leds[] = {
      {&ledMode1_, FindRow(IDC_ADDITIONAL_LED_MODE_1)->picture},
      {&ledMode2_, FindRow(IDC_ADDITIONAL_LED_MODE_2)->picture}};
  for (const auto& [canvas, png] : leds) {
    canvas->Release();
    canvas->Create(nullptr, scale().Px(kLedPictureWidth), scale().Px(kLedPictureHeight));
    CNinePatch::DrawPng(*canvas, scale().PlainPicture(png));
  }
  // Bars already shown are drawn again at the new scale.
  if (bars_[0].IsCreated() && settingsRecord != nullptr) ShowShares(*settingsRecord);
}

void CEtcDlg::ShowRecord() {
  ResetScroll();
  LayOut();
  if (settingsRecord == nullptr) return;
  ShowValues(*settingsRecord);
  ShowShares(*settingsRecord);
}

void CEtcDlg::LayOut() {
  for (const Row& row : kRows) {
    HWND item = GetDlgItem(hwnd(), row.id);
    std::wstring text = Text(row.textKey);
    HFONT font = row.kind == Kind::kTitle ? titleFont_.get() : normalFont_.get();
    PlaceItemText(row.id, font, text, row.x, row.y, WidthOf(row.kind, text, font, scale()),
                  HeightOf(row.kind), false);
    if (IsLabel(row.kind)) RemoveLabelMargins(row.id);
    if (row.kind == Kind::kFixedCheck) {
      ShowTick(row.id, true);
      EnableWindow(item, FALSE);
    }
    ShowWindow(item, row.kind == Kind::kHiddenCheck ? SW_HIDE : SW_SHOW);
  }

  int percentColumn = 0;
  int y = kShareTop;
  for (const ShareRow& share : kShareRows) {
    std::wstring text = Text(share.textKey);
    int width = std::max(6 * static_cast<int>(text.size()) + share.labelWidthExtra,
                         NeededWidth(Kind::kLabel, text, normalFont_.get(), scale()));
    PlaceItemText(share.labelId, normalFont_.get(), text, kShareLabelX, y, width, kShareTextHeight,
                  false);
    RemoveLabelMargins(share.labelId);
    percentColumn = std::max(percentColumn, width + kPercentColumnGap);
    y += kShareRowPitch;
  }
  // Sized for the percentages to come rather than the placeholder, so
  // the column and the bars after it stay put whatever the partition.
  int percentWidth =
      std::max(kPercentWidth, PercentWidth(GetDlgItem(hwnd(), kShareRows[0].percentId),
                                           kWidestPercent, normalFont_.get(), scale()));
  y = kShareTop;
  for (const ShareRow& share : kShareRows) {
    PlaceItemText(share.percentId, normalFont_.get(), L"000", percentColumn, y, percentWidth,
                  kShareTextHeight, false);
    y += kShareRowPitch;
  }
}

void CEtcDlg::ShowValues(const SettingsRecord& record) {
  for (const Row& row : kRows) {
    if (row.field != nullptr) ShowTick(row.id, ShownTick(row, record));
  }
}

void CEtcDlg::ShowShares(const SettingsRecord& record) {
  const pages::partition::Shares& shares = pages::partition::SharesFor(record.memoryPartition);
  // The bars are stretched here, once per change, so painting only copies.
  for (int kind = 0; kind < pages::partition::kShareKinds; ++kind) {
    CMemCanvas& bar = bars_[kind];
    bar.Release();
    if (bar.Create(nullptr, scale().Px(pages::partition::BarWidth(shares[kind])),
                   scale().Px(kBarHeight))) {
      CNinePatch::DrawNinePatch(bar, scale(), kFirstBarPng + kind);
    }
    SetDlgItemTextW(hwnd(), kShareRows[kind].percentId,
                    Wide(pages::partition::PercentText(shares[kind])));
  }
  const skin::PixelRect share = scale().Px(
      skin::PixelRect{kShareArea.left, kShareArea.top, kShareArea.right, kShareArea.bottom});
  RECT area{share.left, share.top - m_nScrollPos, share.right, share.bottom - m_nScrollPos};
  InvalidateRect(hwnd(), &area, TRUE);
}

bool CEtcDlg::OnClicked(int id) {
  if (id == IDC_ADDITIONAL_FORMAT_BUTTON) {
    ConfirmFormat();
    return true;
  }
  const Row* row = FindRow(id);
  if (row == nullptr || row->field == nullptr || settingsRecord == nullptr) return false;
  ApplyClick(*row, IsDlgButtonChecked(hwnd(), id) == BST_CHECKED, *settingsRecord);
  if (row->field == &R::memoryPartition) ShowShares(*settingsRecord);
  return true;
}

// The system's own Yes/No box rather than the skinned popup: for the one
// action that erases the card, drivers recognise its frame, words and sound.
// No is its default button, so a stray Enter never erases the recordings.
void CEtcDlg::ConfirmFormat() {
  const std::wstring message = Text(u"IDS_STRING163") + L"\r\n" + Text(u"IDS_STRING1630") + L"\r\n";
  if (MessageBoxW(hwnd(), message.c_str(), Text(u"IDS_STRING162").c_str(),
                  MB_YESNO | MB_DEFBUTTON2) == IDYES &&
      format_) {
    format_(hwnd());
  }
}

std::u16string CEtcDlg::AccessibleName(int id) const {
  const Row* row = FindRow(id);
  return row != nullptr
             ? pages::additional::AccessibleName(
                   *row, [](std::u16string_view key) { return lang::Lang().GetLangText(key); })
             : std::u16string();
}

RECT CEtcDlg::ItemRect(int id) const {
  RECT rc{};
  GetWindowRect(GetDlgItem(hwnd(), id), &rc);
  MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void CEtcDlg::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const skin::Scale& s = scale();
  {
    UniquePen pen(CreatePen(PS_SOLID, s.Px(1), kSeparatorColour));
    SelectGuard selectPen(dc, pen.get());
    for (const Row& row : kRows) {
      if (row.kind != Kind::kTitle || !HasVisibleStyle(GetDlgItem(hwnd(), row.id))) continue;
      RECT title = ItemRect(row.id);
      // Every title starts at the same x, so its width places the line.
      int y = title.top + (title.bottom - title.top) / 2;
      MoveToEx(dc, title.right - title.left + s.Px(27), y, nullptr);
      LineTo(dc, client.right - s.Px(15), y);
    }
  }

  const std::pair<const CMemCanvas*, int> leds[] = {{&ledMode1_, IDC_ADDITIONAL_LED_MODE_1},
                                                    {&ledMode2_, IDC_ADDITIONAL_LED_MODE_2}};
  for (const auto& [canvas, radioId] : leds) {
    RECT radio = ItemRect(radioId);
    canvas->BlendOver(dc, radio.right + s.Px(15), radio.top + s.Px(5));
  }

  // Each bar stands beside its percentage, a little above the text.
  for (int kind = 0; kind < pages::partition::kShareKinds; ++kind) {
    const RECT percent = ItemRect(kShareRows[kind].percentId);
    bars_[kind].BlendOver(dc, percent.right + s.Px(10), percent.top - s.Px(3));
  }
}

INT_PTR CEtcDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && !IsFocusNotice(reinterpret_cast<HWND>(lParam)) &&
          OnClicked(LOWORD(wParam))) {
        return TRUE;
      }
      break;
    case WM_PAINT: {
      PaintDc paint(hwnd());
      Paint(paint.get());
      return TRUE;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return TRUE;
    default:
      break;
  }
  return CBaseDialog::DialogProc(msg, wParam, lParam);
}

#include "win/pages/mode_page_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/lang/lang_manager.h"
#include "win/controls/window_scale.h"
#include "win/framework/tab_stops.h"
#include "win/platform/wide.h"

using pages::rows::FontKind;
using pages::rows::PageRow;
using pages::rows::RowKind;
using pages::rows::RowRect;

namespace {

constexpr COLORREF kSeparatorColour = RGB(163, 181, 198);
constexpr int kRadioTextGap = 6;

bool IsRadio(RowKind kind) {
  return kind == RowKind::kRadio || kind == RowKind::kWideRadio;
}

std::u16string LangText(std::u16string_view key) {
  return lang::Lang().GetLangText(key);
}

}  // namespace

CModePageDlg::CModePageDlg(int templateId, std::span<const PageRow> rows,
                           std::span<const pages::rows::SliderScale> scales, int scrollMax)
    : CBaseDialog(templateId), rows_(rows), scales_(scales) {
  m_nScrollMax = scrollMax;
  m_nScrollStep = 80;
}

BOOL CModePageDlg::OnInitDialog() {
  SetWindowPos(hwnd(), nullptr, 0, 0, scale().Px(kPageWidth), scale().Px(kPageHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  m_nScrollPos = 0;
  CreateSkin();
  if (m_nScrollMax > 0) InitScrollBar();
  for (const PageRow& row : rows_) {
    if (row.kind != RowKind::kSlider) continue;
    auto slider = std::make_unique<CSubSlider>();
    if (!slider->Attach(GetDlgItem(hwnd(), row.id))) continue;
    slider->SetRange(row.binding.low, row.binding.high);
    slider->SetValueType(row.binding.sliderType);
    sliders_.push_back(std::move(slider));
  }
  return TRUE;
}

void CModePageDlg::CreateSkin() {
  titleFont_ = MakeFont(14, FW_BOLD);
  boldFont_ = MakeFont(13, FW_BOLD);
  normalFont_ = MakeFont(13, FW_NORMAL);
}

HFONT CModePageDlg::FontFor(FontKind kind) const {
  switch (kind) {
    case FontKind::kTitle:
      return titleFont_.get();
    case FontKind::kBold:
      return boldFont_.get();
    case FontKind::kNormal:
      return normalFont_.get();
    case FontKind::kNone:
      break;
  }
  return nullptr;
}

void CModePageDlg::ShowRecord() {
  ResetScroll();
  LayOut();
  if (settingsRecord == nullptr) return;
  ShowValues(*settingsRecord);
  OnRecordShown();
}

void CModePageDlg::LayOut() {
  RowRect previous;
  for (const PageRow& row : rows_) {
    HWND item = GetDlgItem(hwnd(), row.id);
    if (row.kind != RowKind::kInert) {
      std::wstring text = row.textKey ? ToWide(lang::Lang().GetLangText(row.textKey)) : L"";
      HFONT font = FontFor(pages::rows::FontOf(row.kind));
      int needed = row.kind == RowKind::kSlider ? 0 : NeededWidth(row.kind, text, font);
      RowRect r = pages::rows::PlaceRow(row, text.size(), needed, previous);
      if (row.kind == RowKind::kSlider) {
        MoveItem(item, r.x, r.y, r.width, r.height);
      } else {
        PlaceItemText(row.id, font, text, r.x, r.y, r.width, r.height, false);
        if (!IsRadio(row.kind)) RemoveLabelMargins(row.id);
      }
      previous = r;
    }
    ShowWindow(item, row.shown ? SW_SHOW : SW_HIDE);
  }
}

// A radio's text stands after its check circle; a label, without margins,
// is as wide as its text.
int CModePageDlg::NeededWidth(RowKind kind, const std::wstring& text, HFONT font) const {
  const int width = CalcTextWidth(text, font);
  if (IsRadio(kind)) {
    return scale().ToDesign(width + SystemMetric(SM_CXMENUCHECK, scale())) + kRadioTextGap;
  }
  return scale().ToDesign(width);
}

void CModePageDlg::ShowValues(const SettingsRecord& record) {
  for (const PageRow& row : rows_) {
    if (row.binding.field == nullptr) continue;
    if (row.kind == RowKind::kSlider) {
      SendDlgItemMessageW(hwnd(), row.id, TBM_SETPOS, TRUE,
                          pages::rows::ShownSliderPosition(row, record));
    } else if (auto ticked = pages::rows::ShownTick(rows_, row, record)) {
      ShowTick(row.id, *ticked);
    }
  }
}

void CModePageDlg::OnRowClicked(const PageRow& row) {
  pages::rows::ApplyClick(row, *settingsRecord);
}

void CModePageDlg::OnSliderMoved(HWND slider) {
  const PageRow* row = pages::rows::FindRow(rows_, GetDlgCtrlID(slider));
  if (row == nullptr || row->kind != RowKind::kSlider) return;
  int position = static_cast<int>(SendMessageW(slider, TBM_GETPOS, 0, 0));
  pages::rows::ApplySliderPosition(*row, position, *settingsRecord);
}

std::u16string CModePageDlg::AccessibleName(int id) const {
  const PageRow* row = pages::rows::FindRow(rows_, id);
  return row != nullptr ? pages::rows::AccessibleName(rows_, *row, LangText) : std::u16string();
}

std::u16string CModePageDlg::AccessibleValue(int id) const {
  const PageRow* row = pages::rows::FindRow(rows_, id);
  if (row == nullptr || row->kind != RowKind::kSlider) return {};
  const auto scale = std::ranges::find(scales_, id, &pages::rows::SliderScale::sliderId);
  const int position = static_cast<int>(SendDlgItemMessageW(hwnd(), id, TBM_GETPOS, 0, 0));
  return pages::rows::SliderValueText(*row, scale != scales_.end() ? &*scale : nullptr, position,
                                      LangText(u"IDS_STRING204"));
}

RECT CModePageDlg::ItemRect(int id) const {
  RECT rc{};
  GetWindowRect(GetDlgItem(hwnd(), id), &rc);
  MapWindowPoints(HWND_DESKTOP, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

bool CModePageDlg::ItemVisible(int id) const {
  return (GetWindowLongPtrW(GetDlgItem(hwnd(), id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void CModePageDlg::Paint(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const skin::Scale& s = scale();
  UniquePen pen(CreatePen(PS_SOLID, s.Px(1), kSeparatorColour));
  SelectGuard selectPen(dc, pen.get());
  for (const PageRow& row : rows_) {
    if (row.kind != RowKind::kTitle || !ItemVisible(row.id)) continue;
    RECT label = ItemRect(row.id);
    // Starts at the title's width plus a gap: every title sits at the same x.
    int y = label.top + (label.bottom - label.top) / 2;
    MoveToEx(dc, label.right - label.left + s.Px(27), y, nullptr);
    LineTo(dc, client.right - s.Px(15), y);
  }

  SelectGuard selectFont(dc, normalFont_.get());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  for (const pages::rows::SliderScale& sliderScale : scales_) {
    if (!ItemVisible(sliderScale.sliderId)) continue;
    RECT slider = ItemRect(sliderScale.sliderId);
    for (const auto& mark :
         pages::rows::LayOutScale(sliderScale, slider.left, slider.right, slider.bottom, s)) {
      RECT box{mark.left, mark.top, mark.right, mark.bottom};
      std::wstring_view text = Wide(mark.text);
      DrawTextW(dc, text.data(), static_cast<int>(text.size()), &box, DT_LEFT | DT_NOPREFIX);
    }
  }
  SetBkMode(dc, oldMode);
}

INT_PTR CModePageDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      if (HIWORD(wParam) != BN_CLICKED || IsFocusNotice(reinterpret_cast<HWND>(lParam)) ||
          settingsRecord == nullptr) {
        break;
      }
      const PageRow* row = pages::rows::FindRow(rows_, LOWORD(wParam));
      if (row == nullptr || row->kind == RowKind::kSlider) break;
      OnRowClicked(*row);
      return TRUE;
    }
    case WM_HSCROLL:
      if (lParam != 0 && settingsRecord != nullptr) {
        OnSliderMoved(reinterpret_cast<HWND>(lParam));
      }
      break;
    case WM_PAINT: {
      PaintDc paint(hwnd());
      Paint(paint.get());
      return TRUE;
    }
    default:
      break;
  }
  return CBaseDialog::DialogProc(msg, wParam, lParam);
}

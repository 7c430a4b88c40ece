#include "win/pages/common_dlg.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>
#include <utility>

#include "core/lang/lang_manager.h"
#include "core/pages/common_clock.h"
#include "core/pages/common_paint_geometry.h"
#include "core/pages/common_zone.h"
#include "core/settings/clock_time.h"
#include "core/settings/settings_record.h"
#include "core/text/u16.h"
#include "win/app/start_phases.h"
#include "win/controls/dropped_list.h"
#include "win/controls/textless_check_box.h"
#include "win/framework/tab_stops.h"
#include "win/platform/wide.h"
#include "win/timezone/pc_time_zone.h"
#include "win/timezone/registry_time_zone_source.h"

using namespace pages::common;

namespace {

// The scroll range until the layout has measured the page.
constexpr int kInitialScrollMax = 435;
constexpr int kScrollStep = 80;
constexpr COLORREF kSeparatorColour = RGB(163, 181, 198);
constexpr wchar_t kTimePickerFormat[] = L"hh:mm:ss tt";
constexpr int kClockControls[] = {IDC_COMMON_CLOCK_TIME_PICKER, IDC_COMMON_CLOCK_DATE_PICKER,
                                  IDC_COMMON_GET_CURRENT_TIME};

static_assert(sizeof(SYSTEMTIME) == sizeof(SystemTime));

SystemTime FromSystemTime(const SYSTEMTIME& st) {
  SystemTime result;
  std::memcpy(&result, &st, sizeof(result));  // same fields, same order
  return result;
}

SYSTEMTIME ToSystemTime(const SystemTime& time) {
  SYSTEMTIME result;
  std::memcpy(&result, &time, sizeof(result));
  return result;
}

// Today in local time, for the date-format examples.
CalendarDate Today() {
  const __time64_t now = _time64(nullptr);
  std::tm local{};
  _localtime64_s(&local, &now);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

SystemTime PickerTime(HWND page, int picker) {
  SYSTEMTIME st{};
  SendDlgItemMessageW(page, picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
  return FromSystemTime(st);
}

// The zone list's selected item, which is also the index of its entry.
int SelectedZone(HWND page) {
  return static_cast<int>(
      SendDlgItemMessageW(page, IDC_COMMON_TIME_ZONE_COMBO, CB_GETCURSEL, 0, 0));
}

std::u16string LangText(std::u16string_view key) {
  return lang::Lang().GetLangText(key);
}

PageRect ChildRect(HWND page, HWND child) {
  RECT rc{};
  GetWindowRect(child, &rc);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&rc), 2);
  return {rc.left, rc.top, rc.right, rc.bottom};
}

}  // namespace

CCommonDlg::CCommonDlg() : CBaseDialog(IDD_COMMON), readPcZone_(tz::ReadPcTimeZone) {
  m_nScrollMax = kInitialScrollMax;
  m_nScrollStep = kScrollStep;
}

CCommonDlg::CCommonDlg(const tz::TimeZoneSource& zones, PcZoneReader readPcZone) : CCommonDlg() {
  catalogue_.emplace(zones);
  readPcZone_ = std::move(readPcZone);
}

// The window goes while the sliders and fonts it uses still exist.
CCommonDlg::~CCommonDlg() {
  Destroy();
}

BOOL CCommonDlg::OnInitDialog() {
  SetWindowPos(hwnd(), nullptr, 0, 0, scale().Px(kPageWidth), scale().Px(kPageHeight),
               SWP_NOZORDER | SWP_NOACTIVATE);
  CreateSkin();
  for (std::size_t i = 0; i < sliders_.size(); ++i) {
    sliders_[i].Attach(GetDlgItem(hwnd(), kSliders[i].id));
    if (kSliders[i].setsRange) sliders_[i].SetRange(kSliders[i].low, kSliders[i].high);
  }
  // The clock's check box has no text: its label is the section's title.
  auto* clockCheck = new TextlessCheckBox;
  if (!clockCheck->Attach(GetDlgItem(hwnd(), IDC_COMMON_CLOCK_SET_CHECK))) delete clockCheck;
  InitScrollBar();
  return TRUE;
}

void CCommonDlg::CreateSkin() {
  titleFont_ = MakeFont(14, FW_BOLD);
  boldFont_ = MakeFont(13, FW_BOLD);
  normalFont_ = MakeFont(13, FW_NORMAL);
}

HFONT CCommonDlg::FontFor(Font font) const {
  switch (font) {
    case Font::kTitle:
      return titleFont_.get();
    case Font::kBold:
      return boldFont_.get();
    case Font::kNormal:
      break;
  }
  return normalFont_.get();
}

void CCommonDlg::ShowRecord() {
  ResetScroll();
  LayOut();
  if (catalogue_) FillZoneList();
  ShowFields();
  ShowClock();
}

void CCommonDlg::PlaceRow(const Row& row, const TextLookup& lookup, const CalendarDate& today) {
  const std::wstring text = ToWide(RowText(row, lookup, today));
  const HFONT font = FontFor(row.font);
  int x = row.x;
  if (const Row* leader = FindRow(row.shiftedByTextOf)) {
    x += TextWidth(ToWide(RowText(*leader, lookup, today)), FontFor(leader->font));
  }
  switch (row.placement) {
    case kFittedLabel:
      PlaceItemText(row.id, font, text, x, row.y, 0, row.height, true);
      RemoveLabelMargins(row.id);
      break;
    case kPaddedLabel:
      PlaceItemText(row.id, font, text, x, row.y, TextWidth(text, font) + kLabelPadding, row.height,
                    false);
      RemoveLabelMargins(row.id);
      break;
    case kRadio:
      PlaceItemText(row.id, font, text, x, row.y,
                    std::max(RadioWidth(U16(text)), TextWidth(text, font) + kRadioBoxWidth),
                    row.height, false);
      break;
    case kFixedText:
      PlaceItemText(row.id, font, text, x, row.y, row.width, row.height, false);
      break;
    case kWideButton:
      PlaceItemTextWide(row.id, font, text, x, row.y, 0, row.height, true);
      break;
    case kFixedItem:
      PlaceItem(row.id, font, text, x, row.y, row.width, row.height, false);
      break;
    case kZoneList:
      PlaceItem(row.id, font, ToWide(kZoneListSample), x, row.y, 0, row.height, true);
      break;
    case kSlider:
      MoveItem(GetDlgItem(hwnd(), row.id), x, row.y, row.width, row.height);
      break;
  }
}

void CCommonDlg::LayOut() {
  const CalendarDate today = Today();
  const TextLookup lookup = LangText;
  for (const Row& row : kRows) PlaceRow(row, lookup, today);
  for (int id : kHiddenIds) ShowWindow(GetDlgItem(hwnd(), id), SW_HIDE);
  SendDlgItemMessageW(hwnd(), IDC_COMMON_CLOCK_TIME_PICKER, DTM_SETFORMATW, 0,
                      reinterpret_cast<LPARAM>(kTimePickerFormat));
  m_nScrollMax = std::max(0, kContentHeight - kPageHeight);
}

void CCommonDlg::ShowZoneList() {
  if (catalogue_) return;
  catalogue_.emplace(tz::RegistryTimeZoneSource());
  FillZoneList();
}

void CCommonDlg::FillZoneList() {
  const HWND list = GetDlgItem(hwnd(), IDC_COMMON_TIME_ZONE_COMBO);
  if (SendMessageW(list, CB_GETCOUNT, 0, 0) > 0) SendMessageW(list, CB_RESETCONTENT, 0, 0);
  zoneList_ = {};
  if (settingsRecord == nullptr) return;
  zoneList_ = BuildZoneList(*catalogue_, readPcZone_, *settingsRecord);
  for (const ZoneEntry& entry : zoneList_.entries) {
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(entry.displayName)));
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(zoneList_.selected), 0);
}

void CCommonDlg::ShowFields() {
  if (settingsRecord == nullptr) return;
  for (std::size_t i = 0; i < sliders_.size(); ++i) {
    sliders_[i].SetPos(settingsRecord->*kSliders[i].field);
  }
  for (const RadioPair& pair : kRadioPairs) {
    const int ticked = TickedRadio(pair, *settingsRecord);
    ShowTick(pair.onId, ticked == pair.onId);
    ShowTick(pair.offId, ticked == pair.offId);
    if (pair.clickWhenShown) {
      SendMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(ticked, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(hwnd(), ticked)));
    }
    if (!IsSaved(pair, *settingsRecord)) {
      EnableWindow(GetDlgItem(hwnd(), pair.onId), FALSE);
      EnableWindow(GetDlgItem(hwnd(), pair.offId), FALSE);
    }
  }
  EnableWindow(GetDlgItem(hwnd(), IDC_COMMON_TIME_ZONE_COMBO), IsZoneSaved(*settingsRecord));
}

void CCommonDlg::ShowClock() {
  ShowTick(IDC_COMMON_CLOCK_SET_CHECK, clockSet != 0);
  EnableClockControls(clockSet != 0);
  if (clockSet != 1) return;
  const SYSTEMTIME time = ToSystemTime(clockTime);
  for (int picker : {IDC_COMMON_CLOCK_DATE_PICKER, IDC_COMMON_CLOCK_TIME_PICKER}) {
    SendDlgItemMessageW(hwnd(), picker, DTM_SETSYSTEMTIME, GDT_VALID,
                        reinterpret_cast<LPARAM>(&time));
  }
}

void CCommonDlg::EnableClockControls(bool enable) {
  for (int id : kClockControls) EnableWindow(GetDlgItem(hwnd(), id), enable);
}

void CCommonDlg::OnSlider(HWND slider) {
  if (settingsRecord == nullptr) return;
  for (std::size_t i = 0; i < sliders_.size(); ++i) {
    if (sliders_[i].hwnd() == slider) settingsRecord->*kSliders[i].field = sliders_[i].GetPos();
  }
}

void CCommonDlg::OnRadio(const RadioPair& pair, int id) {
  const bool on = id == pair.onId;
  if (settingsRecord != nullptr) settingsRecord->*pair.field = on ? 1 : 0;
  for (int dependent : pair.dependents) EnableWindow(GetDlgItem(hwnd(), dependent), on);
}

void CCommonDlg::OnClockSetClicked() {
  const bool ticked = IsDlgButtonChecked(hwnd(), IDC_COMMON_CLOCK_SET_CHECK) == BST_CHECKED;
  EnableClockControls(ticked);
  clockSet = ticked ? 1 : 0;
  if (!ticked) return;
  TakeDate(clockTime, PickerTime(hwnd(), IDC_COMMON_CLOCK_DATE_PICKER));
  TakeTimeOfDay(clockTime, PickerTime(hwnd(), IDC_COMMON_CLOCK_TIME_PICKER));
}

void CCommonDlg::OnGetCurrentTime() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  for (int picker : {IDC_COMMON_CLOCK_DATE_PICKER, IDC_COMMON_CLOCK_TIME_PICKER}) {
    SendDlgItemMessageW(hwnd(), picker, DTM_SETSYSTEMTIME, GDT_VALID,
                        reinterpret_cast<LPARAM>(&now));
  }
  if (clockSet != 0) clockTime = PickerTime(hwnd(), IDC_COMMON_CLOCK_TIME_PICKER);
}

void CCommonDlg::OnPickerChanged(int id) {
  if (clockSet == 0) return;
  const SystemTime picked = PickerTime(hwnd(), id);
  if (id == IDC_COMMON_CLOCK_DATE_PICKER) {
    TakeDate(clockTime, picked);
  } else {
    TakeTimeOfDay(clockTime, picked);
  }
}

void CCommonDlg::OnZoneSelected() {
  if (settingsRecord != nullptr) ChooseZone(zoneList_, SelectedZone(hwnd()), *settingsRecord);
}

void CCommonDlg::OnZoneListOpened() {
  if (settingsRecord == nullptr) return;
  zoneBeforeList_.emplace(SelectedZone(hwnd()), settingsRecord->timeZoneOffset);
  std::ranges::copy(settingsRecord->timeZoneName, zoneBeforeList_->name.begin());
}

// Arrow keys in the dropped list select as they go, but a list closed by a
// click elsewhere shows its old entry again; the record must then hold
// what it held before the list opened (a zone this PC does not know too),
// so what Save writes is what the list shows.
void CCommonDlg::OnZoneListClosed() {
  const std::optional<ZoneBeforeList> before = std::exchange(zoneBeforeList_, std::nullopt);
  if (settingsRecord == nullptr) return;
  const int shown = SelectedZone(hwnd());
  if (!before || shown != before->index) {
    ChooseZone(zoneList_, shown, *settingsRecord);
    return;
  }
  settingsRecord->timeZoneOffset = before->offset;
  std::ranges::copy(before->name, settingsRecord->timeZoneName);
}

bool CCommonDlg::OnCommand(int id, int code) {
  if (id == IDC_COMMON_TIME_ZONE_COMBO) {
    switch (code) {
      case CBN_DROPDOWN:
        FitDroppedListBesideField(GetDlgItem(hwnd(), IDC_COMMON_TIME_ZONE_COMBO));
        OnZoneListOpened();
        return true;
      case CBN_SELCHANGE:
        OnZoneSelected();
        return true;
      case CBN_CLOSEUP:
        OnZoneListClosed();
        return true;
      default:
        return false;
    }
  }
  if (code != BN_CLICKED) return false;
  if (const RadioPair* pair = FindRadioPair(id)) {
    OnRadio(*pair, id);
  } else if (id == IDC_COMMON_CLOCK_SET_CHECK) {
    OnClockSetClicked();
  } else if (id == IDC_COMMON_GET_CURRENT_TIME) {
    OnGetCurrentTime();
  } else {
    return false;
  }
  return true;
}

std::u16string CCommonDlg::AccessibleName(int id) const {
  const Row* row = FindRow(id);
  return row != nullptr ? pages::common::AccessibleName(*row, LangText, Today()) : std::u16string();
}

// The sliders show their positions as numbers (the volume's scale) or
// between two words (the brightness's ends).
std::u16string CCommonDlg::AccessibleValue(int id) const {
  for (const CSubSlider& slider : sliders_) {
    if (GetDlgCtrlID(slider.hwnd()) == id) return text::Dec(slider.GetPos());
  }
  return {};
}

void CCommonDlg::PaintContent(HDC dc) {
  RECT client{};
  GetClientRect(hwnd(), &client);
  const skin::Scale& s = scale();
  UniquePen pen(CreatePen(PS_SOLID, s.Px(1), kSeparatorColour));
  {
    SelectGuard selectPen(dc, pen.get());
    for (int id : kSeparatedTitles) {
      const HWND title = GetDlgItem(hwnd(), id);
      if (title == nullptr || !IsWindowVisible(title)) continue;
      const HorizontalLine line = SeparatorBeside(ChildRect(hwnd(), title), client.right, s);
      MoveToEx(dc, line.fromX, line.y, nullptr);
      LineTo(dc, line.toX, line.y);
    }
  }
  const HWND volume = GetDlgItem(hwnd(), IDC_COMMON_VOLUME_SLIDER);
  if (volume == nullptr || !IsWindowVisible(volume)) return;
  SelectGuard selectFont(dc, normalFont_.get());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  int step = 1;
  for (const PageRect& cell : VolumeScaleCells(ChildRect(hwnd(), volume), s)) {
    RECT rc{cell.left, cell.top, cell.right, cell.bottom};
    const std::wstring digit = std::to_wstring(step++);
    DrawTextW(dc, digit.c_str(), static_cast<int>(digit.size()), &rc, DT_LEFT);
  }
  SetBkMode(dc, oldMode);
}

INT_PTR CCommonDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_HSCROLL:
      if (lParam != 0) OnSlider(reinterpret_cast<HWND>(lParam));
      break;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED && IsFocusNotice(reinterpret_cast<HWND>(lParam))) break;
      if (OnCommand(LOWORD(wParam), HIWORD(wParam))) return TRUE;
      break;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->code == DTN_DATETIMECHANGE && (header->idFrom == IDC_COMMON_CLOCK_DATE_PICKER ||
                                                 header->idFrom == IDC_COMMON_CLOCK_TIME_PICKER)) {
        OnPickerChanged(static_cast<int>(header->idFrom));
        return TRUE;
      }
      break;
    }
    case WM_PAINT: {
      PaintDc paint(hwnd());
      PaintContent(paint.get());
      app::MarkStartPhase("Common page painted");
      return TRUE;
    }
    default:
      break;
  }
  return CBaseDialog::DialogProc(msg, wParam, lParam);
}

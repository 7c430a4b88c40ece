#include "win/app/setting_dlg.h"

#include <algorithm>

#include "core/app/language_choice.h"
#include "core/diag/diagnostics.h"
#include "core/lang/lang_manager.h"
#include "core/settings/clock_time.h"
#include "core/settings/settings_record.h"
#include "resource_ids.h"
#include "win/app/local_copy.h"
#include "win/app/main_window_keys.h"
#include "win/app/registry_manager.h"
#include "win/app/start_phases.h"
#include "win/controls/accessibility.h"
#include "win/controls/nine_patch.h"
#include "win/controls/skin_text_style.h"
#include "win/controls/window_scale.h"
#include "win/lang/program_lang_resources.h"
#include "win/pages/common_dlg.h"
#include "win/pages/etc_dlg.h"
#include "win/pages/normal_dlg.h"
#include "win/pages/parking_dlg.h"
#include "win/platform/program_file.h"
#include "win/platform/wide.h"

namespace {

// The window's size in design pixels.
constexpr int kWidth = 622;
constexpr int kHeight = 587;
constexpr int kBackgroundPng = 501;
constexpr int kProgramIcon = 128;
constexpr wchar_t kViewerTitle[] = L"KORVANE DASHCAM PC VIEWER";

constexpr COLORREF kTabText = RGB(119, 148, 177);
constexpr COLORREF kButtonText = RGB(176, 187, 200);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// Posted by the first paint: the pages not shown yet are built then. (The
// keyboard's message, MainWindowKeys::kRevealFocusMessage, is WM_APP + 1.)
constexpr UINT kBuildHiddenPages = WM_APP + 2;
static_assert(kBuildHiddenPages != MainWindowKeys::kRevealFocusMessage);

enum class Kind { kTab, kImage, kText };

// The main window's buttons, in creation order; rectangles in design pixels.
struct ButtonRow {
  int id;
  Kind kind;
  skin::PixelRect rect;
  int checkedSkin;  // tabs only
  int normal, hover, pressed;
  const char16_t* textKey;
  // Glyph buttons: the system command whose name screen readers hear.
  UINT systemCommand = 0;
};

constexpr ButtonRow kButtons[] = {
    {IDC_MAIN_TAB_COMMON, Kind::kTab, {11, 48, 161, 85}, 146, 143, 144, 145, u"IDS_STRING102"},
    {IDC_MAIN_TAB_CONTINUOUS, Kind::kTab, {161, 48, 311, 85}, 150, 147, 148, 149, u"IDS_STRING103"},
    {IDC_MAIN_TAB_PARKING, Kind::kTab, {311, 48, 461, 85}, 150, 147, 148, 149, u"IDS_STRING104"},
    {IDC_MAIN_TAB_ADDITIONAL, Kind::kTab, {461, 48, 611, 85}, 154, 151, 152, 153, u"IDS_STRING105"},
    {IDC_MAIN_MINIMIZE, Kind::kImage, {548, 0, 577, 26}, 0, 155, 156, 157, nullptr, SC_MINIMIZE},
    {IDC_MAIN_CLOSE, Kind::kImage, {577, 0, 606, 26}, 0, 158, 159, 160, nullptr, SC_CLOSE},
    {IDC_MAIN_INITIALIZE, Kind::kText, {8, 546, 229, 575}, 0, 161, 162, 163, u"IDS_STRING106"},
    {IDC_MAIN_CANCEL, Kind::kText, {410, 546, 510, 575}, 0, 161, 162, 163, u"IDS_STRING107"},
    {IDC_MAIN_SAVE, Kind::kText, {514, 546, 614, 575}, 0, 161, 162, 163, u"IDS_STRING108"},
};

constexpr skin::PixelRect kTitleRect{11, 7, 411, 27};

std::u16string Text16(const char16_t* key) { return lang::Lang().GetLangText(key); }
std::wstring Text(const char16_t* key) { return ToWide(Text16(key)); }

std::wstring ReadViewerLanguage() {
  wchar_t buffer[260] = {};
  CRegistryManager registry;
  if (!registry.ReadStringValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\KORVANE\\", L"LANGUAGE", buffer,
                                sizeof(buffer))) {
    return {};
  }
  return buffer;
}

}  // namespace

CSettingDlg::CSettingDlg()
    : Dialog(IDD_MAIN),
      pageWheel_([this](const MSG& msg, int) {
        return std::ranges::any_of(pages_, [&](auto& page) { return page && page->TakeWheel(msg); });
      }),
      keys_([this] { return hwnd(); }),
      icon_(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon),
                                          IMAGE_ICON, 0, 0, LR_DEFAULTSIZE))) {}

CSettingDlg::~CSettingDlg() { Release(); }

BOOL CSettingDlg::OnInitDialog() {
  std::wstring viewerLanguage = ReadViewerLanguage();
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_.get()));

  if (RunsFromLocalCopy()) return TRUE;

  settingsRecord = new SettingsRecord{};
  clockSet = 0;
  scale_ = WindowScale(hwnd());
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, scale_.Px(kWidth), scale_.Px(kHeight), SWP_HIDEWINDOW);
  if (cardFolder.empty() || CardHasWindowAlready()) {
    PostQuitMessage(0);
    return TRUE;
  }
  LoadCard();

  bool viewerRunning = FindWindowW(nullptr, kViewerTitle) != nullptr;
  lang::LoadProgramLanguage(app::ChooseLanguage(viewerRunning, U16(viewerLanguage),
                                          settingsRecord->language));
  diag::Write(u"Setting Dialog Update");
  SetWindowTextW(hwnd(), Text(u"IDS_STRING101").c_str());
  app::MarkStartPhase("card and language");

  CreateSkin();
  CreateControls();
  SkinControls();
  app::MarkStartPhase("window skin and buttons");
  // The first paint needs only the Common page, without its zone list
  // (below the first screenful); the list and the other pages are built
  // once it is on the screen, the pages earlier when their tab is chosen.
  BuildPage(0);
  ShowWindow(pages_[0]->hwnd(), SW_SHOW);
  initialised_ = true;
  // The focus starts on the shown tab, never on a page's radio, which
  // Windows would tick on focus whatever the record says.
  FocusShownTab();
  return FALSE;
}

// From a removable drive the program copies itself to the PC and starts the
// copy with the card folder; true when this process is then done.
bool CSettingDlg::RunsFromLocalCopy() {
  programFolder_ = platform::FolderOf(platform::ProgramPath());
  if (!app::IsOnRemovableDrive(programFolder_)) return false;
  // Copying over the local copy that shows this card would fail anyway.
  if (app::ShowWindowHolding(programFolder_)) {
    PostQuitMessage(0);
    return true;
  }
  std::wstring copy = app::MakeLocalCopy(platform::ProgramPath());
  if (copy.empty()) return false;
  if (app::Relaunch(copy, programFolder_)) {
    PostQuitMessage(0);
    return true;
  }
  // The copy could not be started: edit the card from here instead of
  // leaving the driver with nothing.
  cardFolder = programFolder_;
  return false;
}

bool CSettingDlg::CardHasWindowAlready() {
  instance_.emplace(cardFolder);
  if (instance_->HeldElsewhere()) {
    app::ShowWindowHolding(cardFolder);
    return true;
  }
  instance_->SetWindow(hwnd());
  return false;
}

void CSettingDlg::LoadCard() {
  card_.Load(cardFolder);
}

void CSettingDlg::CreateSkin() {
  background_.Release();
  frame_.reset();
  WindowDc screen(nullptr);
  background_.Create(screen.get(), scale_.Px(kWidth), scale_.Px(kHeight));
  CNinePatch::DrawNinePatch(background_, scale_, kBackgroundPng);
  titleFont_ = CreateSkinFont(scale_.Px(14));
}

void CSettingDlg::CreateControls() {
  constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | 0xB;
  title_.CreateChild(hwnd(), IDC_MAIN_TITLE, DeviceRect(kTitleRect, scale_), kStyle);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const ButtonRow& row = kButtons[i];
    // The glyph buttons stay out of the Tab order: the system menu
    // (Alt+Space) has their commands.
    const DWORD style = row.kind == Kind::kImage ? kStyle : kStyle | WS_TABSTOP;
    buttons_[i].CreateChild(hwnd(), row.id, DeviceRect(row.rect, scale_), style);
    if (row.systemCommand != 0) {
      SetWindowTextW(buttons_[i].hwnd(),
                     accessibility::SystemCommandName(hwnd(), row.systemCommand).c_str());
    }
  }
  buttons_[0].SetCheck(true);
}

void CSettingDlg::LayOutControls() {
  MoveToDesignRect(title_.hwnd(), kTitleRect, scale_);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    MoveToDesignRect(buttons_[i].hwnd(), kButtons[i].rect, scale_);
  }
  for (auto& page : pages_) {
    if (!page) continue;
    page->SetScale(scale_);
    MoveToDesignRect(page->hwnd(), kPageArea, scale_);
  }
  SkinControls();
}

void CSettingDlg::SkinControls() {
  SkinTextStyle titleStyle{Text16(u"IDS_STRING101"), RGB(214, 223, 233), kWhite, kWhite, 14,
                           TextAlign::kLeft};
  title_.SetSkin(0, titleFont_.get(), background_.GetDC(), &titleStyle);

  for (size_t i = 0; i < buttons_.size(); ++i) {
    const ButtonRow& row = kButtons[i];
    CRButton& button = buttons_[i];
    button.SetScale(scale_);
    if (row.kind == Kind::kImage) {
      button.SetImages(row.normal, row.hover, row.pressed, background_.GetDC());
      continue;
    }
    bool tab = row.kind == Kind::kTab;
    SkinTextStyle style{Text16(row.textKey), tab ? kTabText : kButtonText,
                        tab ? kTabText : kWhite, kWhite, 14, TextAlign::kCenter};
    if (tab) button.SetCheckedSkin(row.checkedSkin);
    button.SetSkin(row.normal, row.hover, row.pressed, background_.GetDC(), &style);
  }
}

std::unique_ptr<CBaseDialog> CSettingDlg::MakePage(size_t index) {
  switch (index) {
    case 0:
      return std::make_unique<CCommonDlg>();
    case 1:
      return std::make_unique<CNormalDlg>();
    case 2:
      return std::make_unique<CParkingDlg>();
    default:
      return std::make_unique<CEtcDlg>();
  }
}

void CSettingDlg::BuildPage(size_t index) {
  if (pages_[index]) return;
  // The start-up benchmark's names for the steps.
  constexpr const char* kMade[] = {"Common page made", "Continuous page made",
                                   "Parking page made", "Additional page made"};
  constexpr const char* kCreated[] = {"Common page created", "Continuous page created",
                                      "Parking page created", "Additional page created"};
  constexpr const char* kFilled[] = {"Common page shows the record",
                                     "Continuous page shows the record",
                                     "Parking page shows the record",
                                     "Additional page shows the record"};
  pages_[index] = MakePage(index);
  app::MarkStartPhase(kMade[index]);
  CBaseDialog& page = *pages_[index];
  page.Create(hwnd());
  // Screen readers call a page by its tab's name.
  SetWindowTextW(page.hwnd(), Text(kButtons[index].textKey).c_str());
  // The window's scale, should it have moved to another monitor meanwhile.
  page.SetScale(scale_);
  MoveToDesignRect(page.hwnd(), kPageArea, scale_);
  app::MarkStartPhase(kCreated[index]);
  ShowRecordOn(page);
  app::MarkStartPhase(kFilled[index]);
}

void CSettingDlg::BuildHiddenPages() {
  // Whatever the first paint started is finished before the work begins.
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  // Page 0 is the Common page (MakePage).
  static_cast<CCommonDlg&>(*pages_[0]).ShowZoneList();
  app::MarkStartPhase("time-zone catalogue read");
  for (size_t i = 0; i < pages_.size(); ++i) BuildPage(i);
}

void CSettingDlg::OnDpiChanged(int dpi, const RECT& suggested) {
  scale_ = skin::Scale(dpi);
  SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  CreateSkin();
  LayOutControls();
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void CSettingDlg::ShowRecordOnAllPages() {
  for (auto& page : pages_) {
    if (page) ShowRecordOn(*page);
  }
}

// A shown page draws nothing while it is filled, then all of it once.
// (Switching redraw back on would make a hidden page visible, and a hidden
// page paints nothing anyway.)
void CSettingDlg::ShowRecordOn(CBaseDialog& page) {
  const bool shown = IsWindowVisible(page.hwnd()) != FALSE;
  if (shown) SendMessageW(page.hwnd(), WM_SETREDRAW, FALSE, 0);
  page.ShowRecord();
  if (!shown) return;
  SendMessageW(page.hwnd(), WM_SETREDRAW, TRUE, 0);
  RedrawWindow(page.hwnd(), nullptr, nullptr,
               RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void CSettingDlg::SelectTab(int tabId) {
  for (size_t i = 0; i < 4; ++i) buttons_[i].SetCheck(kButtons[i].id == tabId);
  // Keys must never reach a page that is no longer shown, so the focus
  // leaves the page before it hides.
  FocusShownTab();
  // A hidden page keeps its scroll position.
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (kButtons[i].id == tabId) BuildPage(i);
    if (pages_[i]) ShowWindow(pages_[i]->hwnd(), kButtons[i].id == tabId ? SW_SHOW : SW_HIDE);
  }
}

void CSettingDlg::FocusShownTab() {
  for (size_t i = 0; i < pages_.size(); ++i) {
    if (buttons_[i].GetCheck()) SetFocus(buttons_[i].hwnd());
  }
}

// Showing the record may untick the radio that has the focus; Windows
// would tick it again the next time the window is activated.
void CSettingDlg::KeepFocusOnShownChoice() {
  HWND focus = GetFocus();
  DWORD_PTR code = focus ? SendMessageW(focus, WM_GETDLGCODE, 0, 0) : 0;
  if ((code & DLGC_RADIOBUTTON) && SendMessageW(focus, BM_GETCHECK, 0, 0) != BST_CHECKED) {
    FocusShownTab();
  }
}

// A press on the window or a page background takes the focus away from
// the page's controls; it arms dragging the captionless window. Pages
// pass on only presses on their free spots, never on a disabled control.
void CSettingDlg::OnLButtonDown() {
  dragArmed_ = true;
  FocusShownTab();
}

void CSettingDlg::OnMouseMove(WPARAM keys, LPARAM position) {
  if (!(keys & MK_LBUTTON)) dragArmed_ = false;
  if (!dragArmed_) return;
  dragArmed_ = false;
  PostMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, position);
}

void CSettingDlg::OnCommand(int id) {
  switch (id) {
    case IDC_MAIN_TAB_COMMON:
    case IDC_MAIN_TAB_CONTINUOUS:
    case IDC_MAIN_TAB_PARKING:
    case IDC_MAIN_TAB_ADDITIONAL:
      SelectTab(id);
      break;
    case IDC_MAIN_MINIMIZE:
      ShowWindow(hwnd(), SW_MINIMIZE);
      break;
    case IDC_MAIN_CLOSE:
    case IDC_MAIN_CANCEL:
      Close();
      break;
    case IDC_MAIN_INITIALIZE:
      settingsFile_.LoadDefaults(*settingsRecord);
      ShowRecordOnAllPages();
      KeepFocusOnShownChoice();
      break;
    case IDC_MAIN_SAVE:
      OnSave();
      break;
    default:
      break;
  }
}

void CSettingDlg::OnSave() {
  if (cardFolder.empty() || settingsRecord == nullptr) return;
  // On a failure the window stays open with every edit, so the driver can
  // put the card right and save again.
  if (!card_.Save(cardFolder)) {
    ShowSaveFailure();
    return;
  }
  Close();
}

void CSettingDlg::ShowSaveFailure() {
  std::wstring message = Text(u"IDS_STRING197") + L"\r\n" + Text(u"IDS_STRING1970") + L"\r\n";
  MessageBoxW(hwnd(), message.c_str(), Text(u"IDS_STRING101").c_str(), MB_OK | MB_ICONERROR);
}

void CSettingDlg::OnPaint() {
  PaintDc paint(hwnd());
  if (IsIconic(hwnd())) {
    SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.get()), 0);
    RECT rc;
    GetClientRect(hwnd(), &rc);
    int cx = GetSystemMetrics(SM_CXICON), cy = GetSystemMetrics(SM_CYICON);
    DrawIcon(paint.get(), (rc.right - cx + 1) / 2, (rc.bottom - cy + 1) / 2, icon_.get());
    return;
  }
  if (!initialised_) return;
  UniqueMemoryDc memory(CreateCompatibleDC(paint.get()));
  const int width = background_.GetWidth(), height = background_.GetHeight();
  if (!frame_) {
    frame_.reset(CreateCompatibleBitmap(paint.get(), width, height));
    SelectGuard select(memory.get(), frame_.get());
    BitBlt(memory.get(), 0, 0, width, height, background_.GetDC(), 0, 0, SRCCOPY);
    const RECT pageArea = DeviceRect(kPageArea, scale_);
    FillRect(memory.get(), &pageArea, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  }
  SelectGuard select(memory.get(), frame_.get());
  BitBlt(paint.get(), 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
  if (!painted_) {
    painted_ = true;
    app::MarkStartPhase("window painted");
    PostMessageW(hwnd(), kBuildHiddenPages, 0, 0);
  }
}

void CSettingDlg::Release() {
  for (auto& page : pages_) page.reset();
  delete settingsRecord;
  settingsRecord = nullptr;
}

void CSettingDlg::Close() {
  Release();
  EndDialog(IDCANCEL);
}

INT_PTR CSettingDlg::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case kBuildHiddenPages:
      BuildHiddenPages();
      return TRUE;
    case WM_DPICHANGED:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    case WM_QUERYDRAGICON:
      return SetMessageResult(reinterpret_cast<LRESULT>(icon_.get()));
    case WM_LBUTTONDOWN:
      OnLButtonDown();
      return FALSE;
    case WM_MOUSEMOVE:
      // The window has no caption: dragging any free spot moves it.
      OnMouseMove(wParam, lParam);
      return FALSE;
    case WM_CLOSE:
      Close();
      return TRUE;
    case MainWindowKeys::kRevealFocusMessage:
      keys_.RevealFocus();
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) >= IDC_MAIN_TAB_COMMON && LOWORD(wParam) <= IDC_MAIN_SAVE) {
        OnCommand(LOWORD(wParam));
        return TRUE;
      }
      break;
    default:
      break;
  }
  return Dialog::DialogProc(msg, wParam, lParam);
}

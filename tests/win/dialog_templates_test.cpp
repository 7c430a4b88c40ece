// Creates every dialog template of the program and checks that each control
// the code addresses by id is there, once, with the class and the styles the
// code relies on (trackbar tooltips, radio groups, drop-down lists, ...).
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it needs.
#include <commctrl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "resource_ids.h"

namespace {

enum class Kind {
  Label,    // borderless read-only edit control
  Percent,  // the same, right-aligned
  Radio,    // one row = one radio group, in tab order
  Check,
  Button,
  DefaultButton,
  Slider,
  DatePicker,
  TimePicker,
  DropList,
  Progress,
  CenteredText,
};

struct KindTraits {
  Kind kind;
  const wchar_t* className;
  DWORD styleMask;  // the bits of the style that must equal styleValue
  DWORD styleValue;
  DWORD exStyleMask;
  DWORD exStyleValue;
};

constexpr DWORD kLabelBits = ES_READONLY | ES_CENTER | ES_RIGHT | WS_BORDER | WS_TABSTOP;
constexpr DWORD kDateBits = DTS_TIMEFORMAT | DTS_LONGDATEFORMAT;
constexpr DWORD kComboBits = CBS_DROPDOWNLIST | CBS_SORT;

constexpr KindTraits kKinds[] = {
    {Kind::Label, L"Edit", kLabelBits, ES_READONLY, WS_EX_CLIENTEDGE, 0},
    {Kind::Percent, L"Edit", kLabelBits, ES_READONLY | ES_RIGHT, WS_EX_CLIENTEDGE, 0},
    {Kind::Radio, L"Button", BS_TYPEMASK, BS_AUTORADIOBUTTON, 0, 0},
    {Kind::Check, L"Button", BS_TYPEMASK, BS_AUTOCHECKBOX, 0, 0},
    {Kind::Button, L"Button", BS_TYPEMASK, BS_PUSHBUTTON, 0, 0},
    {Kind::DefaultButton, L"Button", BS_TYPEMASK, BS_DEFPUSHBUTTON, 0, 0},
    // The whole style is fixed: WS_CHILD | WS_VISIBLE | WS_TABSTOP |
    // TBS_AUTOTICKS | TBS_TOOLTIPS.
    {Kind::Slider, L"msctls_trackbar32", 0xFFFFFFFF, 0x50010101, 0, 0},
    {Kind::DatePicker, L"SysDateTimePick32", kDateBits, DTS_SHORTDATEFORMAT, 0, 0},
    {Kind::TimePicker, L"SysDateTimePick32", kDateBits, DTS_TIMEFORMAT, 0, 0},
    {Kind::DropList, L"ComboBox", kComboBits, CBS_DROPDOWNLIST, 0, 0},
    // The bar replaces WS_BORDER with a frame of its own: nothing to check.
    {Kind::Progress, L"msctls_progress32", 0, 0, 0, 0},
    {Kind::CenteredText, L"Static", SS_TYPEMASK, SS_CENTER, 0, 0},
};

const KindTraits& TraitsOf(Kind kind) {
  return *std::find_if(std::begin(kKinds), std::end(kKinds),
                       [kind](const KindTraits& t) { return t.kind == kind; });
}

struct ControlRow {
  int dialog;
  Kind kind;
  std::vector<int> ids;
  bool hidden = false;
};

using enum Kind;

// clang-format off
const std::vector<ControlRow> kControls = {
    // Common page.
    {IDD_COMMON, Label,
     {IDC_COMMON_LANGUAGE_TITLE, IDC_COMMON_BRIGHTNESS_TITLE, IDC_COMMON_FRONT_BRIGHTNESS_LABEL,
      IDC_COMMON_FRONT_DARK_LABEL, IDC_COMMON_FRONT_LIGHT_LABEL, IDC_COMMON_REAR_BRIGHTNESS_LABEL,
      IDC_COMMON_REAR_DARK_LABEL, IDC_COMMON_REAR_LIGHT_LABEL, IDC_COMMON_VOICE_RECORDING_TITLE,
      IDC_COMMON_VOICE_LEVEL_LABEL, IDC_COMMON_VOICE_GUIDANCE_TITLE, IDC_COMMON_VOLUME_LABEL,
      IDC_COMMON_SAFE_DRIVING_TITLE, IDC_COMMON_CLOCK_TITLE, IDC_COMMON_TIME_ZONE_TITLE,
      IDC_COMMON_DST_TITLE, IDC_COMMON_DATE_FORMAT_TITLE, IDC_COMMON_SPEED_UNIT_TITLE}},
    {IDD_COMMON, Radio, {IDC_COMMON_LANGUAGE_ENGLISH, IDC_COMMON_LANGUAGE_FRENCH}},
    {IDD_COMMON, Radio, {IDC_COMMON_VOICE_RECORDING_ON, IDC_COMMON_VOICE_RECORDING_OFF}},
    {IDD_COMMON, Radio, {IDC_COMMON_VOICE_GUIDANCE_ON, IDC_COMMON_VOICE_GUIDANCE_OFF}},
    {IDD_COMMON, Radio, {IDC_COMMON_SAFE_DRIVING_ON, IDC_COMMON_SAFE_DRIVING_OFF}},
    {IDD_COMMON, Radio, {IDC_COMMON_DST_ON, IDC_COMMON_DST_OFF}},
    {IDD_COMMON, Radio, {IDC_COMMON_DATE_FORMAT_YMD, IDC_COMMON_DATE_FORMAT_MDY}},
    {IDD_COMMON, Radio, {IDC_COMMON_SPEED_KMH, IDC_COMMON_SPEED_MPH}},
    {IDD_COMMON, Slider,
     {IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, IDC_COMMON_REAR_BRIGHTNESS_SLIDER,
      IDC_COMMON_VOICE_LEVEL_SLIDER, IDC_COMMON_VOLUME_SLIDER}},
    {IDD_COMMON, Check, {IDC_COMMON_CLOCK_SET_CHECK}},
    {IDD_COMMON, DatePicker, {IDC_COMMON_CLOCK_DATE_PICKER}},
    {IDD_COMMON, TimePicker, {IDC_COMMON_CLOCK_TIME_PICKER}},
    {IDD_COMMON, Button, {IDC_COMMON_GET_CURRENT_TIME}},
    {IDD_COMMON, DropList, {IDC_COMMON_TIME_ZONE_COMBO}},

    // Continuous-mode page.
    {IDD_CONTINUOUS, Label,
     {IDC_CONTINUOUS_RESOLUTION_TITLE, IDC_CONTINUOUS_FRONT_RESOLUTION_LABEL,
      IDC_CONTINUOUS_REAR_RESOLUTION_LABEL, IDC_CONTINUOUS_FRAME_RATE_TITLE,
      IDC_CONTINUOUS_FRONT_FRAME_RATE_LABEL, IDC_CONTINUOUS_REAR_FRAME_RATE_LABEL,
      IDC_CONTINUOUS_QUALITY_TITLE, IDC_CONTINUOUS_FRONT_QUALITY_LABEL,
      IDC_CONTINUOUS_REAR_QUALITY_LABEL, IDC_CONTINUOUS_IMPACT_TITLE,
      IDC_CONTINUOUS_IMPACT_INSENSITIVE_LABEL, IDC_CONTINUOUS_IMPACT_SENSITIVE_LABEL}},
    {IDD_CONTINUOUS, Radio, {IDC_CONTINUOUS_FRONT_RES_VGA, IDC_CONTINUOUS_FRONT_RES_HD}},
    {IDD_CONTINUOUS, Radio, {IDC_CONTINUOUS_REAR_RES_VGA, IDC_CONTINUOUS_REAR_RES_HD}},
    {IDD_CONTINUOUS, Radio,
     {IDC_CONTINUOUS_FRONT_FPS_10, IDC_CONTINUOUS_FRONT_FPS_15, IDC_CONTINUOUS_FRONT_FPS_30}},
    {IDD_CONTINUOUS, Radio,
     {IDC_CONTINUOUS_REAR_FPS_10, IDC_CONTINUOUS_REAR_FPS_15, IDC_CONTINUOUS_REAR_FPS_30}},
    {IDD_CONTINUOUS, Radio,
     {IDC_CONTINUOUS_FRONT_QUALITY_LOW, IDC_CONTINUOUS_FRONT_QUALITY_MID,
      IDC_CONTINUOUS_FRONT_QUALITY_HIGH}},
    {IDD_CONTINUOUS, Radio,
     {IDC_CONTINUOUS_REAR_QUALITY_LOW, IDC_CONTINUOUS_REAR_QUALITY_MID,
      IDC_CONTINUOUS_REAR_QUALITY_HIGH}},
    {IDD_CONTINUOUS, Slider, {IDC_CONTINUOUS_IMPACT_SLIDER}},

    // Parking-mode page.
    {IDD_PARKING, Label,
     {IDC_PARKING_MODE_TITLE, IDC_PARKING_RESOLUTION_TITLE, IDC_PARKING_FRONT_RESOLUTION_LABEL,
      IDC_PARKING_REAR_RESOLUTION_LABEL, IDC_PARKING_FRAME_RATE_TITLE,
      IDC_PARKING_FRONT_FRAME_RATE_LABEL, IDC_PARKING_REAR_FRAME_RATE_LABEL,
      IDC_PARKING_QUALITY_TITLE, IDC_PARKING_FRONT_QUALITY_LABEL, IDC_PARKING_REAR_QUALITY_LABEL,
      IDC_PARKING_IMPACT_TITLE, IDC_PARKING_IMPACT_INSENSITIVE_LABEL,
      IDC_PARKING_IMPACT_SENSITIVE_LABEL, IDC_PARKING_MOTION_TITLE,
      IDC_PARKING_MOTION_INSENSITIVE_LABEL, IDC_PARKING_MOTION_SENSITIVE_LABEL,
      IDC_PARKING_MOTION_AREA_LABEL, IDC_PARKING_TIMER_TITLE, IDC_PARKING_TIMER_LABEL,
      IDC_PARKING_VOLTAGE_TITLE, IDC_PARKING_VOLTAGE_12V_LABEL, IDC_PARKING_VOLTAGE_24V_LABEL}},
    {IDD_PARKING, Radio, {IDC_PARKING_MODE_ON, IDC_PARKING_MODE_OFF}},
    {IDD_PARKING, Radio,
     {IDC_PARKING_FRONT_RES_VGA, IDC_PARKING_FRONT_RES_HD, IDC_PARKING_FRONT_RES_FHD}},
    {IDD_PARKING, Radio, {IDC_PARKING_REAR_RES_VGA, IDC_PARKING_REAR_RES_HD}},
    {IDD_PARKING, Radio,
     {IDC_PARKING_FRONT_FPS_10, IDC_PARKING_FRONT_FPS_15, IDC_PARKING_FRONT_FPS_30}},
    {IDD_PARKING, Radio,
     {IDC_PARKING_REAR_FPS_10, IDC_PARKING_REAR_FPS_15, IDC_PARKING_REAR_FPS_30}},
    {IDD_PARKING, Radio,
     {IDC_PARKING_FRONT_QUALITY_LOW, IDC_PARKING_FRONT_QUALITY_MID,
      IDC_PARKING_FRONT_QUALITY_HIGH}},
    {IDD_PARKING, Radio,
     {IDC_PARKING_REAR_QUALITY_LOW, IDC_PARKING_REAR_QUALITY_MID, IDC_PARKING_REAR_QUALITY_HIGH}},
    {IDD_PARKING, Radio, {IDC_PARKING_MOTION_ON, IDC_PARKING_MOTION_OFF}},
    {IDD_PARKING, Radio, {IDC_PARKING_SPARE_OPTION_1, IDC_PARKING_SPARE_OPTION_2}},
    {IDD_PARKING, Slider,
     {IDC_PARKING_IMPACT_SLIDER, IDC_PARKING_MOTION_SENSITIVITY_SLIDER, IDC_PARKING_TIMER_SLIDER,
      IDC_PARKING_VOLTAGE_12V_SLIDER, IDC_PARKING_VOLTAGE_24V_SLIDER}},
    {IDD_PARKING, Button, {IDC_PARKING_MOTION_AREA_BUTTON}},

    // Additional-functions page.
    {IDD_ADDITIONAL, Label,
     {IDC_ADDITIONAL_OVERWRITE_TITLE, IDC_ADDITIONAL_LED_TITLE, IDC_ADDITIONAL_LED_MODE_1_LABEL,
      IDC_ADDITIONAL_LED_MODE_2_LABEL, IDC_ADDITIONAL_LED_MODE_3_LABEL,
      IDC_ADDITIONAL_PARTITION_TITLE, IDC_ADDITIONAL_SHARE_CONTINUOUS_LABEL,
      IDC_ADDITIONAL_SHARE_INCIDENT_LABEL, IDC_ADDITIONAL_SHARE_PARKING_MOTION_LABEL,
      IDC_ADDITIONAL_SHARE_PARKING_INCIDENT_LABEL, IDC_ADDITIONAL_SHARE_MANUAL_LABEL,
      IDC_ADDITIONAL_FORMAT_TITLE}},
    {IDD_ADDITIONAL, Percent,
     {IDC_ADDITIONAL_SHARE_CONTINUOUS_PERCENT, IDC_ADDITIONAL_SHARE_INCIDENT_PERCENT,
      IDC_ADDITIONAL_SHARE_PARKING_MOTION_PERCENT, IDC_ADDITIONAL_SHARE_PARKING_INCIDENT_PERCENT,
      IDC_ADDITIONAL_SHARE_MANUAL_PERCENT}},
    {IDD_ADDITIONAL, Check,
     {IDC_ADDITIONAL_OVERWRITE_CONTINUOUS, IDC_ADDITIONAL_OVERWRITE_INCIDENT,
      IDC_ADDITIONAL_OVERWRITE_PARKING_MOTION, IDC_ADDITIONAL_OVERWRITE_PARKING_INCIDENT,
      IDC_ADDITIONAL_OVERWRITE_MANUAL, IDC_ADDITIONAL_OVERWRITE_STILLS}},
    {IDD_ADDITIONAL, Radio,
     {IDC_ADDITIONAL_LED_MODE_1, IDC_ADDITIONAL_LED_MODE_2, IDC_ADDITIONAL_LED_MODE_3,
      IDC_ADDITIONAL_LED_OFF}},
    {IDD_ADDITIONAL, Radio,
     {IDC_ADDITIONAL_PARTITION_A, IDC_ADDITIONAL_PARTITION_B, IDC_ADDITIONAL_PARTITION_C}},
    {IDD_ADDITIONAL, Button, {IDC_ADDITIONAL_FORMAT_BUTTON}},

    // Popups.
    {IDD_MSG_POPUP, DefaultButton, {IDC_MSG_POPUP_YES}},
    {IDD_MSG_POPUP, Button, {IDC_MSG_POPUP_NO}},
    {IDD_MSG_POPUP, CenteredText, {IDC_MSG_POPUP_TEXT}},
    {IDD_PROGRESS_POPUP, DefaultButton, {IDC_PROGRESS_POPUP_CONFIRM}, true},
    {IDD_PROGRESS_POPUP, Button, {IDC_PROGRESS_POPUP_CANCEL}, true},
    {IDD_PROGRESS_POPUP, Progress, {IDC_PROGRESS_POPUP_BAR}},
    {IDD_PROGRESS_POPUP, CenteredText, {IDC_PROGRESS_POPUP_TEXT}},
};
// clang-format on

struct TemplateCase {
  int dialog;
  bool child;     // a page: created inside a parent window
  DWORD style;    // bits that must be set
  DWORD noStyle;  // bits that must be clear
  DWORD exStyle;  // extended bits that must be set
  const wchar_t* title;
  SIZE dialogUnits;  // client size in dialog units; {0, 0} when sized in code
};

constexpr DWORD kFrame = WS_CAPTION | WS_THICKFRAME | DS_MODALFRAME;

// clang-format off
const TemplateCase kTemplates[] = {
    {IDD_MAIN, false, WS_POPUP, kFrame | WS_CHILD, WS_EX_APPWINDOW, L"", {0, 0}},
    {IDD_COMMON, true, WS_CHILD | WS_CLIPCHILDREN, kFrame | WS_POPUP, WS_EX_CONTROLPARENT, L"", {0, 0}},
    {IDD_CONTINUOUS, true, WS_CHILD | WS_CLIPCHILDREN, kFrame | WS_POPUP, WS_EX_CONTROLPARENT, L"", {0, 0}},
    {IDD_PARKING, true, WS_CHILD | WS_CLIPCHILDREN | WS_VSCROLL, kFrame | WS_POPUP, WS_EX_CONTROLPARENT, L"",
     {0, 0}},
    {IDD_ADDITIONAL, true, WS_CHILD | WS_CLIPCHILDREN, kFrame | WS_POPUP, WS_EX_CONTROLPARENT, L"", {0, 0}},
    {IDD_MOTION_AREA, false, WS_POPUP | WS_SYSMENU, kFrame | WS_CHILD, 0, L"", {0, 0}},
    {IDD_MSG_POPUP, false, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_CHILD, 0,
     L"Dialog", {232, 86}},
    {IDD_PROGRESS_POPUP, false, WS_POPUP | WS_CAPTION | DS_MODALFRAME, WS_CHILD | WS_SYSMENU, 0,
     L"Dialog", {252, 79}},
};
// clang-format on

struct FixedText {
  int dialog;
  int id;
  const wchar_t* text;
};

// The popups' captions come from the templates, not the language tables.
const FixedText kFixedTexts[] = {
    {IDD_MSG_POPUP, IDC_MSG_POPUP_YES, L"Yes(Y)"},
    {IDD_MSG_POPUP, IDC_MSG_POPUP_NO, L"No(N)"},
    {IDD_MSG_POPUP, IDC_MSG_POPUP_TEXT, L"Static"},
    {IDD_PROGRESS_POPUP, IDC_PROGRESS_POPUP_CONFIRM, L"Confirm"},
    {IDD_PROGRESS_POPUP, IDC_PROGRESS_POPUP_CANCEL, L"Cancel"},
    {IDD_PROGRESS_POPUP, IDC_PROGRESS_POPUP_TEXT, L"Static"},
};

INT_PTR CALLBACK InertDialogProc(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;  // also keeps the focus, and so the default button, untouched
}

// One template created modeless; pages inside a hidden top-level window.
class OpenedTemplate {
 public:
  explicit OpenedTemplate(const TemplateCase& t) {
    const INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&icc);
    if (t.child) {
      parent_ = CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW, 0, 0, 800, 600, nullptr,
                                nullptr, nullptr, nullptr);
    }
    dialog_ = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(t.dialog), parent_,
                                 InertDialogProc, 0);
  }
  ~OpenedTemplate() {
    if (dialog_) DestroyWindow(dialog_);
    if (parent_) DestroyWindow(parent_);
  }
  OpenedTemplate(const OpenedTemplate&) = delete;
  OpenedTemplate& operator=(const OpenedTemplate&) = delete;

  HWND get() const { return dialog_; }

 private:
  HWND parent_ = nullptr;
  HWND dialog_ = nullptr;
};

const TemplateCase& TemplateOf(int dialog) {
  return *std::find_if(std::begin(kTemplates), std::end(kTemplates),
                       [dialog](const TemplateCase& t) { return t.dialog == dialog; });
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

bool HasClass(HWND window, const wchar_t* className) {
  return lstrcmpiW(ClassOf(window).c_str(), className) == 0;
}

std::wstring TextOf(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, 64);
  return text;
}

DWORD StyleOf(HWND window) {
  return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
}

std::vector<HWND> DirectChildren(HWND dialog) {
  std::vector<HWND> children;
  for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    children.push_back(c);
  }
  return children;
}

bool IsRadio(HWND window) {
  return (StyleOf(window) & BS_TYPEMASK) == BS_AUTORADIOBUTTON;
}

// Ids of the radio buttons that share the group that starts at `leader`,
// as the dialog manager sees it: up to the next control with WS_GROUP.
std::vector<int> RadiosOfGroup(HWND leader) {
  std::vector<int> ids;
  for (HWND c = leader; c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (c != leader && (StyleOf(c) & WS_GROUP)) break;
    if (HasClass(c, L"Button") && IsRadio(c)) ids.push_back(GetDlgCtrlID(c));
  }
  return ids;
}

std::string Trace(int dialog, int id) {
  return "template " + std::to_string(dialog) + ", control " + std::to_string(id);
}

// Every template is opened once for the whole suite: under Wine without a
// window manager, hiding the visible main window waits two seconds.
class DialogTemplates : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (const TemplateCase& t : kTemplates) {
      opened_[t.dialog] = std::make_unique<OpenedTemplate>(t);
    }
  }
  static void TearDownTestSuite() { opened_.clear(); }

  static HWND Dialog(int dialog) { return opened_.at(dialog)->get(); }

 private:
  static inline std::map<int, std::unique_ptr<OpenedTemplate>> opened_;
};

TEST_F(DialogTemplates, EveryControlHasItsClassAndStyles) {
  for (const TemplateCase& t : kTemplates) {
    ASSERT_NE(Dialog(t.dialog), nullptr) << "template " << t.dialog;
    for (const ControlRow& row : kControls) {
      if (row.dialog != t.dialog) continue;
      const KindTraits& traits = TraitsOf(row.kind);
      for (int id : row.ids) {
        SCOPED_TRACE(Trace(t.dialog, id));
        HWND control = GetDlgItem(Dialog(t.dialog), id);
        ASSERT_NE(control, nullptr);
        const std::wstring className = ClassOf(control);
        EXPECT_TRUE(HasClass(control, traits.className))
            << "class " << std::string(className.begin(), className.end());
        const DWORD style = StyleOf(control);
        EXPECT_EQ(style & traits.styleMask, traits.styleValue) << std::hex << style;
        const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(control, GWL_EXSTYLE));
        EXPECT_EQ(exStyle & traits.exStyleMask, traits.exStyleValue) << std::hex << exStyle;
        EXPECT_EQ((style & WS_VISIBLE) == 0, row.hidden);
      }
    }
  }
}

TEST_F(DialogTemplates, RadioGroupsHoldExactlyTheirOwnButtons) {
  for (const TemplateCase& t : kTemplates) {
    for (const ControlRow& row : kControls) {
      if (row.dialog != t.dialog || row.kind != Kind::Radio) continue;
      SCOPED_TRACE(Trace(t.dialog, row.ids.front()));
      HWND leader = GetDlgItem(Dialog(t.dialog), row.ids.front());
      ASSERT_NE(leader, nullptr);
      EXPECT_NE(StyleOf(leader) & WS_GROUP, 0u);
      EXPECT_EQ(RadiosOfGroup(leader), row.ids);
    }
  }
}

TEST_F(DialogTemplates, EachTemplateHoldsItsListedControlsOnceAndNothingElse) {
  for (const TemplateCase& t : kTemplates) {
    SCOPED_TRACE("template " + std::to_string(t.dialog));
    std::vector<int> expected;
    for (const ControlRow& row : kControls) {
      if (row.dialog == t.dialog) expected.insert(expected.end(), row.ids.begin(), row.ids.end());
    }
    std::vector<int> actual;
    for (HWND c : DirectChildren(Dialog(t.dialog))) actual.push_back(GetDlgCtrlID(c));
    std::sort(expected.begin(), expected.end());
    std::sort(actual.begin(), actual.end());
    EXPECT_EQ(actual, expected);
  }
}

TEST_F(DialogTemplates, ControlsStartWithoutOverlapping) {
  for (const TemplateCase& t : kTemplates) {
    const std::vector<HWND> children = DirectChildren(Dialog(t.dialog));
    for (size_t i = 0; i < children.size(); ++i) {
      RECT a;
      GetWindowRect(children[i], &a);
      for (size_t j = i + 1; j < children.size(); ++j) {
        RECT b, overlap;
        GetWindowRect(children[j], &b);
        EXPECT_FALSE(IntersectRect(&overlap, &a, &b))
            << Trace(t.dialog, GetDlgCtrlID(children[i])) << " overlaps control "
            << GetDlgCtrlID(children[j]);
      }
    }
  }
}

// The combo box hands its WS_VSCROLL on to its list, which shows the bar
// once the zones no longer fit.
TEST_F(DialogTemplates, TimeZoneListScrollsAndDropsDownFarEnoughToBrowse) {
  // A page of its own: the suite's stays as the template made it.
  OpenedTemplate opened(TemplateOf(IDD_COMMON));
  HWND combo = GetDlgItem(opened.get(), IDC_COMMON_TIME_ZONE_COMBO);
  ASSERT_NE(combo, nullptr);
  for (int i = 0; i < 100; ++i) SendMessageW(combo, CB_ADDSTRING, 0, LPARAM(L"(UTC) Zone"));
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  EXPECT_NE(StyleOf(info.hwndList) & WS_VSCROLL, 0u);
  RECT closed, dropped;
  GetWindowRect(combo, &closed);
  SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
  const LRESULT itemHeight = SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  ASSERT_GT(itemHeight, 0);
  EXPECT_GE((dropped.bottom - dropped.top) - (closed.bottom - closed.top), 10 * itemHeight);
}

TEST_F(DialogTemplates, WindowsHaveTheirFrameTitleFontAndSize) {
  for (const TemplateCase& t : kTemplates) {
    SCOPED_TRACE("template " + std::to_string(t.dialog));
    HWND dialog = Dialog(t.dialog);
    ASSERT_NE(dialog, nullptr);
    const DWORD style = StyleOf(dialog);
    EXPECT_EQ(style & t.style, t.style) << std::hex << style;
    EXPECT_EQ(style & t.noStyle, 0u) << std::hex << style;
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE));
    EXPECT_EQ(exStyle & t.exStyle, t.exStyle) << std::hex << exStyle;
    EXPECT_EQ(TextOf(dialog), t.title);

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)), sizeof(font),
               &font);
    EXPECT_STREQ(font.lfFaceName, L"MS Shell Dlg");

    if (t.dialogUnits.cx != 0) {
      RECT expected{0, 0, t.dialogUnits.cx, t.dialogUnits.cy};
      MapDialogRect(dialog, &expected);
      RECT client;
      GetClientRect(dialog, &client);
      EXPECT_EQ(client.right, expected.right);
      EXPECT_EQ(client.bottom, expected.bottom);
    }
  }
}

TEST_F(DialogTemplates, PopupButtonsAndTextsCarryTheirFixedCaptions) {
  for (const FixedText& fixed : kFixedTexts) {
    SCOPED_TRACE(Trace(fixed.dialog, fixed.id));
    EXPECT_EQ(TextOf(GetDlgItem(Dialog(fixed.dialog), fixed.id)), fixed.text);
  }
}

}  // namespace

// What a screen reader learns of the main window and its pages through the
// system's accessibility interfaces (AccessibleObjectFromWindow and
// IAccessible), read as a reader reads them. The program runs in English;
// the title-bar buttons carry the names of the system's own (Wine's
// English) menu. Wine's standard objects call every standard control a
// client area, so the pages' controls are checked against the program's
// own objects.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "core/settings/settings_record.h"
#include "main_window_support.h"
#include "resource_ids.h"

namespace {

using namespace main_window_test;

struct Described {
  bool found = false;
  std::wstring name;
  std::wstring value;
  LONG role = 0;
  LONG state = 0;
};

VARIANT Self() {
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  return self;
}

// The client object of `window`, as a reader gets it; null when none.
IAccessible* ObjectOf(HWND window) {
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                        reinterpret_cast<void**>(&object)))) {
    return nullptr;
  }
  return object;
}

Described Describe(HWND window) {
  Described d;
  IAccessible* object = ObjectOf(window);
  if (object == nullptr) return d;
  d.found = true;
  BSTR name = nullptr;
  if (object->get_accName(Self(), &name) == S_OK && name != nullptr) d.name = name;
  SysFreeString(name);
  BSTR text = nullptr;
  if (object->get_accValue(Self(), &text) == S_OK && text != nullptr) d.value = text;
  SysFreeString(text);
  VARIANT value{};
  if (SUCCEEDED(object->get_accRole(Self(), &value)) && value.vt == VT_I4) d.role = value.lVal;
  VariantInit(&value);
  if (SUCCEEDED(object->get_accState(Self(), &value)) && value.vt == VT_I4) d.state = value.lVal;
  object->Release();
  return d;
}

HRESULT DoDefaultAction(HWND window) {
  IAccessible* object = ObjectOf(window);
  if (object == nullptr) return E_FAIL;
  const HRESULT hr = object->accDoDefaultAction(Self());
  object->Release();
  return hr;
}

struct Expected {
  int id;
  LONG role;  // 0: the standard object's, not checked
  const wchar_t* name;
  LONG stateSet;    // bits that must be set
  LONG stateClear;  // bits that must be clear
  const wchar_t* value = L"";
};

constexpr LONG kSelected = STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE;
constexpr LONG kLabelState = STATE_SYSTEM_READONLY;
// A label is never reached by a key.
constexpr LONG kNotLabelState = STATE_SYSTEM_FOCUSABLE;

void ExpectDescribed(HWND window, const Expected& e) {
  SCOPED_TRACE(testing::Message() << "control " << e.id);
  ASSERT_NE(window, nullptr);
  const Described d = Describe(window);
  ASSERT_TRUE(d.found);
  if (e.role != 0) {
    EXPECT_EQ(d.role, e.role);
  }
  EXPECT_EQ(d.name, e.name);
  EXPECT_EQ(d.state & e.stateSet, e.stateSet);
  EXPECT_EQ(d.state & e.stateClear, 0);
  if (e.role == ROLE_SYSTEM_SLIDER) {
    EXPECT_EQ(d.value, e.value);
  }
}

// Every shown control of `page` has a name, and no two options (radio
// buttons and check boxes) share one: "Enabled" would otherwise stand for
// half a dozen settings.
void ExpectNamesTellTheirSettings(HWND page) {
  std::vector<std::wstring> options;
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    const Described d = Describe(child);
    SCOPED_TRACE(testing::Message() << "control " << GetDlgCtrlID(child));
    EXPECT_FALSE(d.name.empty());
    if (d.role != ROLE_SYSTEM_RADIOBUTTON && d.role != ROLE_SYSTEM_CHECKBUTTON) continue;
    EXPECT_EQ(std::count(options.begin(), options.end(), d.name), 0) << "named twice: " << d.name;
    options.push_back(d.name);
  }
}

// Counts the value changes readers are told of for one window, while it
// lives; they arrive through the thread's message loop.
class ValueChanges {
 public:
  explicit ValueChanges(HWND window)
      : hook_(SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, OnEvent,
                              GetCurrentProcessId(), GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT)) {
    window_ = window;
    count = 0;
  }
  ~ValueChanges() { UnhookWinEvent(hook_); }
  ValueChanges(const ValueChanges&) = delete;
  ValueChanges& operator=(const ValueChanges&) = delete;

  static inline int count = 0;

 private:
  static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD,
                               DWORD) {
    if (window == window_ && object == OBJID_CLIENT && child == CHILDID_SELF) ++count;
  }
  static inline HWND window_ = nullptr;
  HWINEVENTHOOK hook_;
};

class Accessibility : public CardFolderTest {};

// Every skinned control of the window, and the page's labels and titles,
// with the role, name and state that a reader announces; a reader's
// "activate" selects a tab or presses a button as a click does, and a
// popup's question reads out with its buttons.
TEST_F(Accessibility, ControlsTellRoleNameAndStateAndTakeTheDefaultAction) {
  const Expected window[] = {
      {IDC_MAIN_TITLE, ROLE_SYSTEM_STATICTEXT, L"Dash cam setting", STATE_SYSTEM_READONLY, 0},
      {IDC_MAIN_TAB_COMMON, ROLE_SYSTEM_PAGETAB, L"Common", kSelected | STATE_SYSTEM_FOCUSED, 0},
      {IDC_MAIN_TAB_CONTINUOUS, ROLE_SYSTEM_PAGETAB, L"Continuous Mode", STATE_SYSTEM_SELECTABLE,
       STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED},
      {IDC_MAIN_TAB_PARKING, ROLE_SYSTEM_PAGETAB, L"Parking Mode", STATE_SYSTEM_SELECTABLE,
       STATE_SYSTEM_SELECTED},
      {IDC_MAIN_TAB_ADDITIONAL, ROLE_SYSTEM_PAGETAB, L"Additional functions",
       STATE_SYSTEM_SELECTABLE, STATE_SYSTEM_SELECTED},
      {IDC_MAIN_MINIMIZE, ROLE_SYSTEM_PUSHBUTTON, L"Minimize", STATE_SYSTEM_FOCUSABLE, 0},
      {IDC_MAIN_CLOSE, ROLE_SYSTEM_PUSHBUTTON, L"Close", STATE_SYSTEM_FOCUSABLE, 0},
      {IDC_MAIN_INITIALIZE, ROLE_SYSTEM_PUSHBUTTON, L"Initialize", STATE_SYSTEM_FOCUSABLE, 0},
      {IDC_MAIN_CANCEL, ROLE_SYSTEM_PUSHBUTTON, L"Cancel", STATE_SYSTEM_FOCUSABLE, 0},
      {IDC_MAIN_SAVE, ROLE_SYSTEM_PUSHBUTTON, L"Save", STATE_SYSTEM_FOCUSABLE,
       STATE_SYSTEM_FOCUSED | STATE_SYSTEM_UNAVAILABLE},
  };
  const Expected labels[] = {
      {IDC_COMMON_LANGUAGE_TITLE, ROLE_SYSTEM_STATICTEXT, L"Language", kLabelState, kNotLabelState},
      {IDC_COMMON_FRONT_DARK_LABEL, ROLE_SYSTEM_STATICTEXT, L"Dark", kLabelState, kNotLabelState},
  };
  // The pages' controls, by the names that tell their settings, and the
  // sliders' values as the page shows them (the factory settings, parking
  // mode on).
  const Expected controls[] = {
      {IDC_COMMON_LANGUAGE_ENGLISH, ROLE_SYSTEM_RADIOBUTTON, L"Language: English",
       STATE_SYSTEM_CHECKED, 0},
      {IDC_COMMON_VOICE_RECORDING_OFF, ROLE_SYSTEM_RADIOBUTTON, L"Voice recording: Disabled", 0,
       STATE_SYSTEM_CHECKED},
      {IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, ROLE_SYSTEM_SLIDER, L"Brightness: Front", 0, 0, L"1"},
      {IDC_COMMON_VOLUME_SLIDER, ROLE_SYSTEM_SLIDER, L"Voice guidance: Volume", 0, 0, L"3"},
      {IDC_COMMON_CLOCK_SET_CHECK, ROLE_SYSTEM_CHECKBUTTON, L"Setting time", 0,
       STATE_SYSTEM_CHECKED},
      {IDC_COMMON_CLOCK_DATE_PICKER, 0, L"Setting time", 0, 0},
      {IDC_COMMON_CLOCK_TIME_PICKER, 0, L"Setting time", 0, 0},
      {IDC_COMMON_GET_CURRENT_TIME, ROLE_SYSTEM_PUSHBUTTON, L"Setting time: Get current time", 0,
       0},
      {IDC_COMMON_TIME_ZONE_COMBO, 0, L"Time zone", 0, 0},
      {IDC_CONTINUOUS_IMPACT_SLIDER, ROLE_SYSTEM_SLIDER, L"Impact sensitivity", 0, 0, L"7"},
      {IDC_PARKING_MODE_ON, ROLE_SYSTEM_RADIOBUTTON,
       L"Parking Mode: Enabled (Switch to Parking Mode, once the engine is turned off)",
       STATE_SYSTEM_CHECKED, 0},
      {IDC_PARKING_MOTION_SENSITIVITY_SLIDER, ROLE_SYSTEM_SLIDER, L"Motion detection", 0, 0,
       L"MID"},
      {IDC_PARKING_TIMER_SLIDER, ROLE_SYSTEM_SLIDER, L"Timer setting for stop recording: Time", 0,
       0, L"48 hours"},
      {IDC_PARKING_VOLTAGE_12V_SLIDER, ROLE_SYSTEM_SLIDER,
       L"Battery voltage setting for stop recording: Vehicle voltage 12V", 0, 0, L"12.2 V"},
      {IDC_ADDITIONAL_OVERWRITE_INCIDENT, ROLE_SYSTEM_CHECKBUTTON,
       L"Overwriting video: Incident recording in continuous mode", STATE_SYSTEM_CHECKED, 0},
      {IDC_ADDITIONAL_LED_OFF, ROLE_SYSTEM_RADIOBUTTON, L"Security LED: Disabled",
       STATE_SYSTEM_CHECKED, 0},
      {IDC_ADDITIONAL_FORMAT_BUTTON, ROLE_SYSTEM_PUSHBUTTON, L"Formatting memory card: Formatting",
       0, 0},
  };
  const wchar_t* const pageNames[] = {L"Common", L"Continuous Mode", L"Parking Mode",
                                      L"Additional functions"};
  // Parking mode on, so that switching it off asks.
  SettingsRecord record{};
  std::memcpy(&record, FactoryFile(folder_).data(), sizeof record);
  record.parkingMode = 1;
  const fs::path card = folder_ / "setup.cfg";
  WriteAll(card, std::string(reinterpret_cast<const char*>(&record), 432));
  const auto written = fs::last_write_time(card) - std::chrono::hours(1);
  fs::last_write_time(card, written);
  std::vector<std::wstring> question;
  std::optional<ValueChanges> valueChanges;
  RunMainWindow(folder_,
                {[&](HWND main) {
                   for (const Expected& e : window) ExpectDescribed(GetDlgItem(main, e.id), e);
                   for (const Expected& e : labels) ExpectDescribed(PageControl(main, e.id), e);
                   return Pages(main).size() == 4;  // all built
                 },
                 [&](HWND main) {
                   for (const Expected& e : controls) ExpectDescribed(PageControl(main, e.id), e);
                   for (size_t i = 0; i < 4; ++i) {
                     const HWND page = Pages(main)[i];
                     ExpectDescribed(
                         page, {static_cast<int>(i), ROLE_SYSTEM_PROPERTYPAGE, pageNames[i], 0, 0});
                     ExpectNamesTellTheirSettings(page);
                   }
                   // The value follows the slider as it moves, and readers are told.
                   const HWND timer = PageControl(main, IDC_PARKING_TIMER_SLIDER);
                   valueChanges.emplace(timer);
                   SendMessageW(timer, WM_KEYDOWN, VK_LEFT, 0);
                   EXPECT_EQ(Describe(timer).value, L"24 hours");
                   return true;
                 },
                 [&](HWND main) {
                   EXPECT_EQ(valueChanges->count, 1);
                   valueChanges.reset();
                   EXPECT_EQ(DoDefaultAction(GetDlgItem(main, IDC_MAIN_TAB_PARKING)), S_OK);
                   return true;
                 },
                 [](HWND main) {
                   ExpectDescribed(
                       GetDlgItem(main, IDC_MAIN_TAB_PARKING),
                       {IDC_MAIN_TAB_PARKING, ROLE_SYSTEM_PAGETAB, L"Parking Mode", kSelected, 0});
                   ExpectDescribed(GetDlgItem(main, IDC_MAIN_TAB_COMMON),
                                   {IDC_MAIN_TAB_COMMON, ROLE_SYSTEM_PAGETAB, L"Common",
                                    STATE_SYSTEM_SELECTABLE, STATE_SYSTEM_SELECTED});
                   EXPECT_TRUE(IsWindowVisible(Pages(main)[2]));
                   PostMessageW(PageControl(main, IDC_PARKING_MODE_OFF), BM_CLICK, 0, 0);
                   return true;
                 },
                 [&](HWND) {
                   const HWND popup = FindThreadDialog(false);
                   if (popup == nullptr) return false;
                   for (int id : {IDC_MSG_POPUP_TEXT, IDC_MSG_POPUP_YES, IDC_MSG_POPUP_NO}) {
                     question.push_back(Describe(GetDlgItem(popup, id)).name);
                   }
                   PostMessageW(popup, WM_COMMAND, IDC_MSG_POPUP_NO, 0);
                   return true;
                 },
                 [](HWND main) {
                   EXPECT_EQ(DoDefaultAction(GetDlgItem(main, IDC_MAIN_SAVE)), S_OK);
                   return true;
                 }});
  EXPECT_EQ(question, (std::vector<std::wstring>{
                          L"If Parking Mode is disabled,\r\nthe dash cam stops recording when "
                          L"the vehicle is turned off.\r\n",
                          L"Yes(Y)", L"No(N)"}));
  EXPECT_GT(fs::last_write_time(card), written) << "Save's default action wrote nothing";
}

}  // namespace

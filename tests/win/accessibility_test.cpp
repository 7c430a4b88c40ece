// What a screen reader learns of the main window through the system's
// accessibility interfaces (AccessibleObjectFromWindow and IAccessible),
// read as a reader reads them. The program runs in English; the title-bar
// buttons carry the names of the system's own (Wine's English) menu.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h.
#include <ole2.h>
#include <oleacc.h>

#include <chrono>
#include <cstring>
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
  LONG role;
  const wchar_t* name;
  LONG stateSet;    // bits that must be set
  LONG stateClear;  // bits that must be clear
};

constexpr LONG kSelected = STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE;

void ExpectDescribed(HWND window, const Expected& e) {
  SCOPED_TRACE(testing::Message() << "control " << e.id);
  ASSERT_NE(window, nullptr);
  const Described d = Describe(window);
  ASSERT_TRUE(d.found);
  EXPECT_EQ(d.role, e.role);
  EXPECT_EQ(d.name, e.name);
  EXPECT_EQ(d.state & e.stateSet, e.stateSet);
  EXPECT_EQ(d.state & e.stateClear, 0);
}

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
      {IDC_COMMON_LANGUAGE_TITLE, ROLE_SYSTEM_STATICTEXT, L"Language", STATE_SYSTEM_READONLY, 0},
      {IDC_COMMON_FRONT_DARK_LABEL, ROLE_SYSTEM_STATICTEXT, L"Dark", STATE_SYSTEM_READONLY, 0},
  };
  // Parking mode on, so that switching it off asks.
  SettingsRecord record{};
  std::memcpy(&record, FactoryFile(folder_).data(), sizeof record);
  record.parkingMode = 1;
  const fs::path card = folder_ / "setup.cfg";
  WriteAll(card, std::string(reinterpret_cast<const char*>(&record), 432));
  const auto written = fs::last_write_time(card) - std::chrono::hours(1);
  fs::last_write_time(card, written);
  std::vector<std::wstring> question;
  RunMainWindow(folder_,
                {[&](HWND main) {
                   for (const Expected& e : window) ExpectDescribed(GetDlgItem(main, e.id), e);
                   for (const Expected& e : labels) ExpectDescribed(PageControl(main, e.id), e);
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

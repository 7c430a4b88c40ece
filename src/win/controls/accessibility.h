#pragma once
// What screen readers are told about the program's windows: the windows
// that draw themselves (the skinned buttons and texts), the pages, and the
// pages' standard controls. The system's standard object describes a
// skinned window as a bare client area and a label (a read-only edit
// control) as an edit field, and it names a control by its own text only:
// "Enabled" and "Disabled" would stand for half a dozen settings each. The
// objects handed out here tell a role and a name of their own, a value
// where the page shows one in its own way, and leave the rest (place,
// parent, navigation, focus, visibility) to the standard object.
//
// A control is named by its parent window when the parent answers the
// text request below; otherwise by its own window text.

#include <windows.h>

#include <string>

#include "win/framework/window.h"

namespace accessibility {

enum class Role {
  kPushButton,   // its default action sends it BM_CLICK
  kPageTab,      // selected while it answers BM_GETCHECK with BST_CHECKED;
                 // its default action sends it BM_CLICK
  kText,         // read-only text, never focusable
  kRadioButton,  // checked while it answers BM_GETCHECK with BST_CHECKED;
                 // its default action sends it BM_CLICK
  kCheckBox,     // the same
  kSlider,       // its value is its parent's answer to the text request
  kPage,         // a property page
  kNamed,        // role, value and state are the standard object's
};

// Sent to a control's parent, with wParam the control's window and lParam
// a TextRequest; the parent fills in the text and answers non-zero when it
// has one.
struct TextRequest {
  bool value;  // the value rather than the name
  std::wstring text;
};
UINT TextRequestMessage();

// The answer to WM_GETOBJECT for `window`: for the client object, one of
// `role`; 0 (the system's own answer) for any other object, or when none
// can be made.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, Role role);

// A standard control that answers screen readers with an object of `role`.
// It lives as long as its window: Attach it, and the window deletes it.
class DescribedControl : public Window {
 public:
  explicit DescribedControl(Role role) : role_(role) {}

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnFinalDestroy() override { delete this; }

 private:
  Role role_;
};

// Every child of `dialog` that no window procedure of the program's
// handles yet answers screen readers from now on: labels as text, radio
// buttons, check boxes and push buttons as such, any other control (a
// picker, a list) by its standard object under the name its parent gives.
void DescribeControls(HWND dialog);

// The name Windows gives the title-bar button of `command` (SC_MINIMIZE,
// SC_CLOSE) in the system's language: the item of `window`'s system menu
// without its mnemonic and shortcut. Empty when the window has no system
// menu.
std::wstring SystemCommandName(HWND window, UINT command);

}  // namespace accessibility

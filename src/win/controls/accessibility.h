#pragma once
// What screen readers are told about the windows that draw themselves (the
// skinned buttons and texts) and about the pages' labels, which are
// read-only edit controls. The system's standard object describes such a
// window as a bare client area, and a label as an edit field; the objects
// handed out here tell its role and name and leave the rest (place,
// parent, navigation, focus, visibility) to the standard object.

#include <windows.h>

#include <string>

namespace accessibility {

enum class Role {
  kPushButton,  // its default action sends it BM_CLICK
  kPageTab,     // selected while it answers BM_GETCHECK with BST_CHECKED;
                // its default action sends it BM_CLICK
  kText,        // read-only text
};

// The answer to WM_GETOBJECT for `window`: for the client object, one of
// `role` named by the window's text; 0 (the system's own answer) for any
// other object, or when none can be made.
LRESULT AnswerGetObject(HWND window, WPARAM wParam, LPARAM lParam, Role role);

// Every read-only edit control among `dialog`'s children reads as text
// from now on.
void ReadLabelsAsText(HWND dialog);

// The name Windows gives the title-bar button of `command` (SC_MINIMIZE,
// SC_CLOSE) in the system's language: the item of `window`'s system menu
// without its mnemonic and shortcut. Empty when the window has no system
// menu.
std::wstring SystemCommandName(HWND window, UINT command);

}  // namespace accessibility

#pragma once
// A check box without text of its own (its label stands beside it), which
// shows the keyboard focus around its box: a standard check box draws its
// focus around its text, so without text the driver would not see where
// the focus is. Screen readers hear it as a check box (accessibility.h).
//
// Attach it to the control; the window deletes it.

#include "win/controls/accessibility.h"

class TextlessCheckBox final : public accessibility::DescribedControl {
 public:
  TextlessCheckBox() : DescribedControl(accessibility::Role::kCheckBox) {}

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void Paint();
};

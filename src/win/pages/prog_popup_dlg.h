#pragma once
// A modal popup that shows a centred message above a 0..100 progress bar
// while another thread does a long job. The user cannot end it: Enter,
// Escape and Alt+F4 do nothing; it ends only when the working thread sends
// it WM_CLOSE (DoModal then answers IDCANCEL).
//
//   CProgPopupDlg popup;
//   popup.SetContent(caption, line1 + L"\r\n" + line2 + L"\r\n", 400, 150);
//   popup.SetOnShown([&] { StartTheWorker(); });  // the worker then calls
//   popup.DoModal(owner);                         // SetProgress, WM_CLOSE

#include <windows.h>

#include <functional>
#include <string>

#include "win/framework/dialog.h"
#include "win/framework/handle.h"

class CProgPopupDlg : public Dialog {
 public:
  CProgPopupDlg();

  // What the next DoModal shows: `message` lines are separated by "\r\n";
  // `width` and `height` are the window's size in design pixels.
  void SetContent(std::wstring caption, std::wstring message, int width, int height);

  // Runs on the user-interface thread from the modal loop, once the window
  // and its controls exist: a worker started there never finds the popup
  // missing.
  void SetOnShown(std::function<void()> onShown);

  // Stores `percent`, limited to 0..100, and moves the bar there; the bar
  // has moved when the call returns. Safe on a worker thread while the
  // popup's modal loop runs.
  void SetProgress(int percent);
  // The stored position; 0 once the window is initialised.
  int GetProgress() const { return position_; }

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;
  void OnOK() override {}
  void OnCancel() override {}

 private:
  std::wstring caption_;
  std::wstring message_;
  int width_ = 0;
  int height_ = 0;
  int position_ = 0;
  std::function<void()> onShown_;
  UniqueBrush whiteBrush_;
};

#pragma once
// A small modal Yes/No question: a caption, a centred message of one or more
// lines and the buttons "Yes(Y)" and "No(N)" (their captions come from the
// dialog template in every language). It grows to fit its message, within
// the screen. Yes answers IDOK (1); No, the N key,
// the close box and Alt+F4 answer IDCANCEL (2); Enter and the Y key answer
// Yes; Escape does nothing.
//
//   CMsgPopupDlg popup;
//   popup.SetContent(caption, line1 + L"\r\n" + line2 + L"\r\n", 330, 150);
//   if (popup.DoModal(owner) == IDOK) ...

#include <windows.h>

#include <string>

#include "win/framework/dialog.h"
#include "win/framework/handle.h"

class CMsgPopupDlg : public Dialog {
 public:
  CMsgPopupDlg();

  // What the next DoModal shows: `message` lines are separated by "\r\n";
  // `width` and `height` are the window's size in design pixels.
  void SetContent(std::wstring caption, std::wstring message, int width, int height);

  // Runs the popup over `owner` (any window of the owning top-level window)
  // and returns IDOK or IDCANCEL, or -1 when it could not be created.
  INT_PTR DoModal(HWND owner);

 protected:
  INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  BOOL OnInitDialog() override;

 private:
  // The keys, seen before the dialog manager turns Escape into Cancel:
  // true when `msg` is swallowed.
  bool PreTranslateMessage(const MSG& msg);
  SIZE MessageSize(HWND text, int maxWidth) const;

  std::wstring caption_;
  std::wstring message_;
  int width_ = 0;
  int height_ = 0;
  UniqueBrush whiteBrush_;
};

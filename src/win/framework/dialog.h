#pragma once
// A dialog made from a template in the program's resources, modal or
// modeless (pages are modeless child dialogs). The object lives in
// DWLP_USER from WM_INITDIALOG until WM_NCDESTROY.

#include <windows.h>

class Dialog {
 public:
  explicit Dialog(int templateId) : templateId_(templateId) {}
  virtual ~Dialog();
  Dialog(const Dialog&) = delete;
  Dialog& operator=(const Dialog&) = delete;

  HWND hwnd() const { return hwnd_; }
  int templateId() const { return templateId_; }

  // Runs the dialog modally; returns the value given to EndDialog, or -1
  // when the dialog could not be created.
  INT_PTR DoModal(HWND parent);
  // Creates the dialog modelessly (for child pages); false on failure.
  bool Create(HWND parent);
  // Destroys a modeless dialog's window (the object stays).
  void Destroy();

 protected:
  // The dialog's own message handling. Return TRUE when handled (with the
  // result, where one is needed, set through SetMessageResult), FALSE to
  // let the dialog manager do its default processing.
  virtual INT_PTR DialogProc(UINT msg, WPARAM wParam, LPARAM lParam);

  virtual BOOL OnInitDialog() { return TRUE; }
  // IDOK and IDCANCEL end a modal dialog with that value.
  virtual void OnOK() { EndDialog(IDOK); }
  virtual void OnCancel() { EndDialog(IDCANCEL); }

  void EndDialog(INT_PTR result);
  INT_PTR SetMessageResult(LRESULT result);
  bool isModal() const { return modal_; }

 private:
  static INT_PTR CALLBACK StaticDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND hwnd_ = nullptr;
  bool modal_ = false;
};

#pragma once
// The small window layer: a C++ object per window, with one virtual window
// procedure. A window is either created by us (CreateChild, from the shared
// window class) or an existing window subclassed (Attach), such as a control
// that a dialog template made.

#include <windows.h>

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }

  // Creates a child window at `rect` (parent client coordinates).
  bool CreateChild(HWND parent, int id, const RECT& rect, DWORD style, DWORD exStyle = 0);
  // Routes an existing window's messages through WindowProc until it is
  // destroyed or Detach is called.
  bool Attach(HWND hwnd);
  void Detach();

 protected:
  // Handles one message; the default passes it on (DefaultProc).
  virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // What the window would do without this object: DefWindowProc for our own
  // windows, the original procedure for subclassed ones.
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone (after WM_NCDESTROY); hwnd() is null then.
  virtual void OnFinalDestroy() {}

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK StaticSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                             UINT_PTR id, DWORD_PTR refData);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  bool subclassed_ = false;
};

#pragma once
// The small window layer: a C++ object per window, with one virtual window
// procedure. A window is either created by us (CreateChild, from the shared
// window class) or an existing window subclassed (Attach), such as a control
// that a dialog template made.
//
// Attach replaces the window's procedure itself rather than using the
// common controls' subclass helper, which looks its chain up in a window
// property on every message: under Wine each such look-up is a round trip
// to the server, and the pages' labels and sliders get thousands of
// messages while the window opens.

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
  static LRESULT CALLBACK StaticAttachedProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
  void Unhook(bool windowGone);

  // What an attached window's GWLP_USERDATA points to. It outlives the
  // object when another subclass went in above ours before Detach: the
  // window's messages then still pass through it to the original
  // procedure, until the window is destroyed.
  struct Hook {
    Window* self;
    WNDPROC original;
  };

  HWND hwnd_ = nullptr;
  Hook* hook_ = nullptr;  // attached windows only
};

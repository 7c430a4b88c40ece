// Counts the pictures the program decodes while it paints. The program is
// started for real (CSettingApp::Run with the card folder given on this
// tool's command line); hooks on this thread note the decode count when the
// main window has been built and around every WM_PAINT dispatched until the
// window is on the screen (the first paint), apart from what the program
// does between those paints (it builds the pages not shown yet). Then a
// timer repaints everything: each tab shown, each button hovered and left,
// full redraws of the window and all its children. Every WM_PAINT sent in
// that time is counted, so a run that painted nothing cannot pass.
//
// Usage: paint_decodes CARD_FOLDER
// Exits 0 when painting decoded no picture and something was painted.

#include <windows.h>

#include <cstdio>

#include "resource_ids.h"
#include "win/app/setting_app.h"
#include "win/controls/picture_library.h"

namespace {

constexpr int kTabs[] = {IDC_MAIN_TAB_CONTINUOUS, IDC_MAIN_TAB_PARKING, IDC_MAIN_TAB_ADDITIONAL,
                         IDC_MAIN_TAB_COMMON};
constexpr int kButtons[] = {IDC_MAIN_TAB_COMMON,  IDC_MAIN_TAB_CONTINUOUS, IDC_MAIN_TAB_PARKING,
                            IDC_MAIN_TAB_ADDITIONAL, IDC_MAIN_MINIMIZE,    IDC_MAIN_CLOSE,
                            IDC_MAIN_INITIALIZE,  IDC_MAIN_CANCEL,         IDC_MAIN_SAVE};
constexpr int kRounds = 3;

HWND mainWindow = nullptr;
int decodesWhenBuilt = -1;
int decodesBeforeRepaints = -1;
int decodesAfterRepaints = -1;
int paintsCounted = 0;
bool countingPaints = false;
// Dispatched paints before the timer: the decodes inside them, and the
// count when the last one retrieved began (-1: none under way).
int decodesInFirstPaints = 0;
int decodesAtPaintStart = -1;

// Notes the count when a top-level dialog's WM_INITDIALOG returns: the main
// window's is the last, after its pages'.
LRESULT CALLBACK AfterMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && message->message == WM_INITDIALOG &&
      (GetWindowLongPtrW(message->hwnd, GWL_STYLE) & WS_CHILD) == 0) {
    mainWindow = message->hwnd;
    decodesWhenBuilt = skin::PictureDecodeCount();
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK BeforeMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && countingPaints && message->message == WM_PAINT) ++paintsCounted;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A message retrieved for dispatch: the one before it has been handled.
LRESULT CALLBACK RetrievedMessage(int code, WPARAM removed, LPARAM lParam) {
  if (code == HC_ACTION && removed == PM_REMOVE && decodesWhenBuilt >= 0 &&
      decodesBeforeRepaints < 0) {
    const int now = skin::PictureDecodeCount();
    if (decodesAtPaintStart >= 0) decodesInFirstPaints += now - decodesAtPaintStart;
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    decodesAtPaintStart = message->message == WM_PAINT ? now : -1;
  }
  return CallNextHookEx(nullptr, code, removed, lParam);
}

void RedrawAll(HWND window) {
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void HoverAndLeave(HWND button) {
  SendMessageW(button, WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
  UpdateWindow(button);
  SendMessageW(button, WM_MOUSELEAVE, 0, 0);
  UpdateWindow(button);
}

void RepaintEverything(HWND window) {
  for (int round = 0; round < kRounds; ++round) {
    RedrawAll(window);
    for (int tab : kTabs) {
      SendMessageW(window, WM_COMMAND, tab, 0);
      RedrawAll(window);
    }
    for (int id : kButtons) HoverAndLeave(GetDlgItem(window, id));
  }
}

// Runs inside the main window's modal loop; queued paints come before
// timers, so the first paint is over when the window is found visible.
void CALLBACK OnTick(HWND, UINT, UINT_PTR timer, DWORD) {
  if (mainWindow == nullptr || !IsWindowVisible(mainWindow)) return;
  KillTimer(nullptr, timer);
  decodesBeforeRepaints = skin::PictureDecodeCount();
  countingPaints = true;
  RepaintEverything(mainWindow);
  countingPaints = false;
  decodesAfterRepaints = skin::PictureDecodeCount();
  PostMessageW(mainWindow, WM_COMMAND, IDC_MAIN_CANCEL, 0);
}

}  // namespace

int wmain(int argc, wchar_t**) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: paint_decodes CARD_FOLDER\n");
    return 2;
  }
  const DWORD thread = GetCurrentThreadId();
  HHOOK after = SetWindowsHookExW(WH_CALLWNDPROCRET, AfterMessage, nullptr, thread);
  HHOOK before = SetWindowsHookExW(WH_CALLWNDPROC, BeforeMessage, nullptr, thread);
  HHOOK retrieved = SetWindowsHookExW(WH_GETMESSAGE, RetrievedMessage, nullptr, thread);
  SetTimer(nullptr, 0, 50, OnTick);
  CSettingApp::Run();
  UnhookWindowsHookEx(retrieved);
  UnhookWindowsHookEx(before);
  UnhookWindowsHookEx(after);

  if (decodesWhenBuilt < 0 || decodesAfterRepaints < 0) {
    std::fprintf(stderr, "paint_decodes: the main window was never shown\n");
    return 1;
  }
  const int afterFirstPaint = decodesBeforeRepaints - decodesWhenBuilt - decodesInFirstPaints;
  const int repaints = decodesAfterRepaints - decodesBeforeRepaints;
  std::printf("built=%d first_paint=%d after_first_paint=%d repaints=%d paints=%d\n",
              decodesWhenBuilt, decodesInFirstPaints, afterFirstPaint, repaints, paintsCounted);
  return decodesInFirstPaints == 0 && repaints == 0 && paintsCounted > 0 ? 0 : 1;
}

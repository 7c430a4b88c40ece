#pragma once
// Formatting the memory card that holds cardFolder, started from the
// Additional-functions page once the user has confirmed.
//
// On the user-interface thread: the card's setup.cfg is taken (see
// core/card/card_restore.h), the progress popup is shown and, once it is
// up, a worker thread formats the card (FAT32, quick, label "R470") and
// moves the bar 20 points per finished structure step; the worker sets the
// bar to 100 or 0, leaves it on screen for a second and closes the popup.
// After the worker has ended, the card folder, setup.cfg, the program file
// and the web page settings.html are put back, and a message box says
// whether the format succeeded and names whatever is not back on the card.

#include <windows.h>

#include <string>

#include "core/card/format_files.h"
#include "core/card/kept_settings.h"
#include "win/card/format_engine.h"
#include "win/pages/prog_popup_dlg.h"

// 1 when the format reported success, else 0. Written by the worker;
// read on the user-interface thread once the worker has ended.
extern int formatSucceeded;
// The popup of the format that runs, or nullptr between formats.
extern CProgPopupDlg* progressPopup;

// Formats the card on a removable drive; returns once the final message box
// is closed. owner: the window the popup and the message box belong to.
// Does nothing without a card folder; refuses with the failure message a
// drive that is not removable and the drive the program runs from.
void FormatMemoryCard(HWND owner);
// The same with another engine and other files, keeping settings that did
// not go back on their card in `kept` (FormatMemoryCard keeps them for the
// whole run).
void FormatMemoryCardWith(HWND owner, card::FormatEngine& engine, card::FormatFiles& files,
                          card::KeptSettings& kept);

// What the worker thread is given; lives in FormatMemoryCard's frame until
// the worker has ended.
struct FormatJob {
  std::wstring driveRoot;  // "E:\"
  card::FormatEngine* engine = nullptr;
  card::FormatAttempt attempt = card::FormatAttempt::kUnavailable;  // written by the worker
};

// The worker: runs the engine, leaves its answer in the job, shows the
// result on the bar for a second and closes progressPopup.
DWORD WINAPI FormatThreadProc(LPVOID formatJob);

// The engine's progress callback: 11 sets formatSucceeded from the BOOLEAN
// behind actionInfo, 15 moves the bar 20 points on; always TRUE (go on).
BOOLEAN WINAPI FormatCallback(int command, DWORD subAction, PVOID actionInfo);

#pragma once
// Where Tab and Shift+Tab move the focus, for windows that keep their own
// order of controls instead of leaving it to the dialog manager.

#include <windows.h>

#include <functional>
#include <span>

// Whether Tab may stop at `control`: shown (it and every window it lies
// in), enabled and marked WS_TABSTOP; of a radio group only the ticked
// radio, because Windows ticks a radio that gets the focus by key and the
// record would change behind the driver's back. A group whose stored value
// none of its shown radios stands for is reached at its first shown radio.
// (A radio's WS_TABSTOP follows its tick, so radios are judged by group.)
bool IsTabStop(HWND control);

// Whether a BN_CLICKED from `button` is no click but Windows telling that a
// radio without its tick got the focus by key, as the Tab stop of a group
// none of whose radios the record ticks: the pages leave the record alone
// then, so that moving through a page never changes it.
bool IsFocusNotice(HWND button);

// The window after the one holding `focus` in `order` (before it when
// `backwards`), wrapping at both ends, that `isStop` accepts. When no
// window of `order` holds the focus the search starts at an end. Null when
// `isStop` accepts none.
HWND NextTabStop(std::span<const HWND> order, HWND focus, bool backwards,
                 const std::function<bool(HWND)>& isStop);

#pragma once
// Real input, as the mouse and keyboard give it: events queued with
// SendInput, which reach whatever window is under the pointer or has the
// focus, exactly as a driver's hand would.

#include <windows.h>

#include <initializer_list>

namespace monkey::input {

void Click(POINT at);
void DoubleClick(POINT at);
void Drag(POINT from, POINT to);
void Wheel(POINT at, int notches);  // positive: away from the user (up)
// Presses the keys in order and releases them in reverse: {VK_CONTROL,
// VK_TAB} is Ctrl+Tab.
void Keys(std::initializer_list<WORD> keys);

}  // namespace monkey::input

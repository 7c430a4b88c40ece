#include "user_input.h"

#include <vector>

namespace monkey::input {
namespace {

INPUT Mouse(DWORD flags, POINT at = {}, DWORD data = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // Absolute positions run from 0 to 65535 across the primary screen.
    input.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
    input.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  }
  return input;
}

void Send(std::vector<INPUT> inputs) {
  SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(10);
}

void MoveTo(POINT at) {
  Send({Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, at)});
}

void Press(POINT at) {
  MoveTo(at);
  Send({Mouse(MOUSEEVENTF_LEFTDOWN), Mouse(MOUSEEVENTF_LEFTUP)});
}

}  // namespace

void Click(POINT at) {
  Press(at);
}

void DoubleClick(POINT at) {
  Press(at);
  Sleep(60);
  Press(at);
}

void Drag(POINT from, POINT to) {
  MoveTo(from);
  Send({Mouse(MOUSEEVENTF_LEFTDOWN)});
  for (int step = 1; step <= 4; ++step) {
    MoveTo({from.x + (to.x - from.x) * step / 4, from.y + (to.y - from.y) * step / 4});
  }
  Send({Mouse(MOUSEEVENTF_LEFTUP)});
}

void Wheel(POINT at, int notches) {
  MoveTo(at);
  Send({Mouse(MOUSEEVENTF_WHEEL, {}, DWORD(notches * WHEEL_DELTA))});
}

void Keys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = keys.end(); key != keys.begin();) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *--key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  Send(inputs);
}

}  // namespace monkey::input

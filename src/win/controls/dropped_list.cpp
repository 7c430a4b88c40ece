#include "win/controls/dropped_list.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr int kMostItems = 30;  // what a list shows when nothing limits it

}  // namespace

void FitDroppedListBesideField(HWND combo) {
  RECT field{};
  GetWindowRect(combo, &field);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!GetMonitorInfoW(MonitorFromRect(&field, MONITOR_DEFAULTTOPRIMARY), &monitor)) return;
  const int room = std::max(monitor.rcWork.bottom - field.bottom, field.top - monitor.rcWork.top);
  const int itemHeight = static_cast<int>(SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0));
  if (itemHeight <= 0) return;
  // The list's frame takes a pixel or two above and below its items.
  const int frame = 2 * GetSystemMetrics(SM_CYEDGE);
  const int fitting = std::clamp((room - frame) / itemHeight, 1, kMostItems);
  SendMessageW(combo, CB_SETMINVISIBLE, static_cast<WPARAM>(fitting), 0);
}

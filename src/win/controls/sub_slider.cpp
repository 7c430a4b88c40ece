#include "win/controls/sub_slider.h"

#include <commctrl.h>

#include "win/controls/accessibility.h"
#include "win/platform/wide.h"

int CSubSlider::GetPos() const {
  return static_cast<int>(SendMessageW(hwnd(), TBM_GETPOS, 0, 0));
}

void CSubSlider::SetRange(int low, int high) {
  SendMessageW(hwnd(), TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
  SendMessageW(hwnd(), TBM_SETTICFREQ, 1, 0);
}

void CSubSlider::SetPos(int position) { SendMessageW(hwnd(), TBM_SETPOS, TRUE, position); }

// Some trackbar implementations fill their tooltip themselves with the raw
// position instead of asking; put the meaning back after they did. The
// drag tooltip is a tracking one, which shows a new text only when it is
// activated again.
void CSubSlider::UpdateTooltip() {
  HWND tooltip = reinterpret_cast<HWND>(SendMessageW(hwnd(), TBM_GETTOOLTIPS, 0, 0));
  if (tooltip == nullptr || !IsWindowVisible(tooltip)) return;
  std::wstring text = ToWide(pages::SliderTooltipText(m_nValueType, GetPos()));
  TOOLINFOW info{};
  info.cbSize = sizeof(info);
  if (!SendMessageW(tooltip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info))) return;
  info.lpszText = text.data();
  SendMessageW(tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
}

LRESULT CSubSlider::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_GETOBJECT) {
    if (const LRESULT object =
            accessibility::AnswerGetObject(hwnd(), wParam, lParam, accessibility::Role::kSlider)) {
      return object;
    }
  }
  if (msg == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == TTN_NEEDTEXTW && header->idFrom == 0) {
      auto* info = reinterpret_cast<NMTTDISPINFOW*>(lParam);
      std::wstring text = ToWide(pages::SliderTooltipText(m_nValueType, GetPos()));
      lstrcpynW(info->szText, text.c_str(), static_cast<int>(std::size(info->szText)));
      info->lpszText = info->szText;
      return 0;
    }
  }
  LRESULT result = DefaultProc(msg, wParam, lParam);
  if (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_KEYDOWN) UpdateTooltip();
  return result;
}

#include "win/pages/base_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include "core/pages/scroll_delta.h"

CBaseDialog::CBaseDialog(int templateId)
    : Dialog(templateId), m_brBack(CreateSolidBrush(RGB(254, 254, 254))) {}

int CBaseDialog::CalcTextWidth(const std::wstring& text, HFONT font) {
  WindowDc screen(nullptr);
  UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
  SelectGuard select(dc.get(), font);
  RECT rc{};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rc, DT_CALCRECT);
  return rc.right - rc.left;
}

void CBaseDialog::Place(int id, HFONT font, const std::wstring& text, int x, int y, int width,
                        int height, bool setText) {
  HWND item = GetDlgItem(hwnd(), id);
  if (item == nullptr) return;
  SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  if (setText) SetWindowTextW(item, text.c_str());
  MoveWindow(item, x, y, width, height, TRUE);
}

void CBaseDialog::PlaceItemText(int id, HFONT font, const std::wstring& text, int x, int y,
                                int width, int height, bool fitText) {
  Place(id, font, text, x, y, fitText ? CalcTextWidth(text, font) : width, height, true);
}

void CBaseDialog::PlaceItemTextWide(int id, HFONT font, const std::wstring& text, int x, int y,
                                    int width, int height, bool fitText) {
  if (fitText) {
    int measured = CalcTextWidth(text, font);
    width = measured > 0 ? measured + 4 * CalcTextWidth(L" ", font) : measured;
  }
  Place(id, font, text, x, y, width, height, true);
}

void CBaseDialog::PlaceItem(int id, HFONT font, const std::wstring& text, int x, int y, int width,
                            int height, bool fitText) {
  Place(id, font, text, x, y, fitText ? CalcTextWidth(text, font) : width, height, false);
}

void CBaseDialog::InitScrollBar() {
  m_nScrollPos = 0;
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, m_nScrollMax + kPageHeight, kPageHeight, 0, 0};
  SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
}

void CBaseDialog::ResetScroll() {
  m_nScrollPos = 0;
  SetScrollPos(hwnd(), SB_VERT, 0, TRUE);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void CBaseDialog::ScrollBy(int delta) {
  m_nScrollPos += delta;
  SetScrollPos(hwnd(), SB_VERT, m_nScrollPos, TRUE);
  ScrollWindow(hwnd(), 0, -delta, nullptr, nullptr);
}

namespace {

// A list or calendar open under a control: the wheel belongs to it.
bool IsDroppedDown(HWND control) {
  wchar_t cls[32] = {};
  GetClassNameW(control, cls, 32);
  if (lstrcmpiW(cls, WC_COMBOBOXW) == 0) return SendMessageW(control, CB_GETDROPPEDSTATE, 0, 0);
  if (lstrcmpiW(cls, DATETIMEPICK_CLASSW) == 0) {
    return SendMessageW(control, DTM_GETMONTHCAL, 0, 0) != 0;
  }
  return false;
}

}  // namespace

bool CBaseDialog::TakeWheel(const MSG& msg) {
  if (msg.message != WM_MOUSEWHEEL || hwnd() == nullptr || !IsChild(hwnd(), msg.hwnd)) {
    return false;
  }
  if (IsDroppedDown(msg.hwnd)) return false;
  SendMessageW(hwnd(), WM_MOUSEWHEEL, msg.wParam, msg.lParam);
  return true;
}

INT_PTR CBaseDialog::OnVScroll(int code, int thumb) {
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  GetScrollInfo(hwnd(), SB_VERT, &si);
  pages::ScrollRequest request = pages::ScrollRequest::kOther;
  switch (code) {
    case SB_LINEUP: request = pages::ScrollRequest::kLineUp; break;
    case SB_LINEDOWN: request = pages::ScrollRequest::kLineDown; break;
    case SB_PAGEUP: request = pages::ScrollRequest::kPageUp; break;
    case SB_PAGEDOWN: request = pages::ScrollRequest::kPageDown; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: request = pages::ScrollRequest::kThumb; break;
    default: return TRUE;
  }
  pages::ScrollState state{m_nScrollPos, m_nScrollMax, m_nScrollStep, static_cast<int>(si.nPage)};
  ScrollBy(pages::ScrollBarDelta(state, request, thumb));
  return TRUE;
}

INT_PTR CBaseDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CTLCOLOREDIT:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(m_brBack.get());
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(m_brBack.get());
    case WM_VSCROLL:
      if (lParam != 0) return FALSE;  // a scroll-bar control, not the page's own bar
      return OnVScroll(LOWORD(wParam), HIWORD(wParam));
    case WM_MOUSEWHEEL: {
      pages::ScrollState state{m_nScrollPos, m_nScrollMax, m_nScrollStep, kPageHeight};
      ScrollBy(pages::WheelDelta(state, GET_WHEEL_DELTA_WPARAM(wParam)));
      return FALSE;
    }
    case WM_LBUTTONDOWN:
      // A disabled control passes its clicks to the page; a press there is
      // not one on the page background, so it neither drags the window nor
      // moves the focus.
      if (ChildWindowFromPointEx(hwnd(), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)},
                                 CWP_SKIPINVISIBLE) != hwnd()) {
        return FALSE;
      }
      [[fallthrough]];
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      // Dragging on a page moves the captionless main window, and a press
      // on its background takes the focus away from its controls.
      SendMessageW(GetParent(hwnd()), msg, wParam, lParam);
      return FALSE;
    default:
      return Dialog::DialogProc(msg, wParam, lParam);
  }
}

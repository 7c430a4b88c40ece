#include "win/pages/base_dialog.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "win/controls/accessibility.h"
#include "win/controls/skin_text_style.h"
#include "win/controls/window_scale.h"
#include "win/platform/wide.h"

CBaseDialog::CBaseDialog(int templateId)
    : Dialog(templateId), m_brBack(CreateSolidBrush(RGB(254, 254, 254))) {}

int CBaseDialog::CalcTextWidth(const std::wstring& text, HFONT font) {
  // One device context for every measurement of the run: the pages measure
  // dozens of texts while they are laid out, and a context made for each
  // cost more than the measuring.
  static const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  SelectGuard select(dc.get(), font);
  RECT rc{};
  DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rc, DT_CALCRECT);
  return rc.right - rc.left;
}

int CBaseDialog::TextWidth(const std::wstring& text, HFONT font) const {
  return scale_.ToDesign(CalcTextWidth(text, font));
}

void CBaseDialog::MoveItem(HWND item, int x, int y, int width, int height) const {
  MoveToDesignRect(item, {x, y, x + width, y + height}, scale_);
}

UniqueFont CBaseDialog::MakeFont(int height, int weight) const {
  return CreateSkinFont(scale_.Px(height), weight);
}

void CBaseDialog::RemoveLabelMargins(int id) const {
  SendDlgItemMessageW(hwnd(), id, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
}

void CBaseDialog::ShowTick(int id, bool ticked) const {
  const HWND button = GetDlgItem(hwnd(), id);
  const LONG_PTR style = GetWindowLongPtrW(button, GWL_STYLE);
  const WPARAM check = ticked ? BST_CHECKED : BST_UNCHECKED;
  if (!ticked || (style & BS_TYPEMASK) != BS_AUTORADIOBUTTON) {
    SendMessageW(button, BM_SETCHECK, check, 0);
    return;
  }
  // Under Wine, ticking an automatic radio button makes it walk every
  // control of the page, a server round trip each, to untick the rest of
  // its group: a few milliseconds a button. As a plain radio button just
  // while it is ticked, it ticks itself only, as on Windows.
  SetWindowLongPtrW(button, GWL_STYLE, (style & ~BS_TYPEMASK) | BS_RADIOBUTTON);
  SendMessageW(button, BM_SETCHECK, check, 0);
  // The tick also sets WS_TABSTOP; only the type goes back.
  const LONG_PTR ticking = GetWindowLongPtrW(button, GWL_STYLE);
  SetWindowLongPtrW(button, GWL_STYLE, (ticking & ~BS_TYPEMASK) | BS_AUTORADIOBUTTON);
}

void CBaseDialog::Place(int id, HFONT font, const std::wstring& text, int x, int y, int width,
                        int height, bool setText) {
  HWND item = GetDlgItem(hwnd(), id);
  if (item == nullptr) return;
  // Without a redraw of its own: the page is hidden or drawing nothing
  // while it is laid out, and is drawn whole afterwards.
  SendMessageW(item, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  if (setText) SetWindowTextW(item, text.c_str());
  MoveItem(item, x, y, width, height);
}

void CBaseDialog::PlaceItemText(int id, HFONT font, const std::wstring& text, int x, int y,
                                int width, int height, bool fitText) {
  Place(id, font, text, x, y, fitText ? TextWidth(text, font) : width, height, true);
}

void CBaseDialog::PlaceItemTextWide(int id, HFONT font, const std::wstring& text, int x, int y,
                                    int width, int height, bool fitText) {
  if (fitText) {
    int measured = TextWidth(text, font);
    width = measured > 0 ? measured + 4 * TextWidth(L" ", font) : measured;
  }
  Place(id, font, text, x, y, width, height, true);
}

void CBaseDialog::PlaceItem(int id, HFONT font, const std::wstring& text, int x, int y, int width,
                            int height, bool fitText) {
  Place(id, font, text, x, y, fitText ? TextWidth(text, font) : width, height, false);
}

void CBaseDialog::SetScale(const skin::Scale& scale) {
  if (scale == scale_) return;
  const int oldPos = m_nScrollPos;
  const skin::Scale old = scale_;
  scale_ = scale;
  SetWindowPos(hwnd(), nullptr, 0, 0, scale_.Px(kPageWidth), scale_.Px(kPageHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CreateSkin();
  // The layout places every control as on an unscrolled page; the page
  // then scrolls back to where it was, at the new scale.
  ResetScroll();
  LayOut();
  InitScrollBar();
  ScrollBy(std::min(MulDiv(oldPos, scale_.dpi(), old.dpi()), DeviceScroll().max));
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

pages::ScrollState CBaseDialog::DeviceScroll() const {
  return {m_nScrollPos, scale_.Px(m_nScrollMax), scale_.Px(m_nScrollStep), scale_.Px(kPageHeight)};
}

void CBaseDialog::InitScrollBar() {
  m_nScrollPos = 0;
  const pages::ScrollState scroll = DeviceScroll();
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  si.nMax = scroll.max + scroll.page;
  si.nPage = static_cast<UINT>(scroll.page);
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
  pages::ScrollState state = DeviceScroll();
  state.page = static_cast<int>(si.nPage);
  ScrollBy(pages::ScrollBarDelta(state, request, thumb));
  return TRUE;
}

INT_PTR CBaseDialog::AnswerTextRequest(HWND control, accessibility::TextRequest& request) {
  const int id = GetDlgCtrlID(control);
  request.text = ToWide(request.value ? AccessibleValue(id) : AccessibleName(id));
  return SetMessageResult(!request.text.empty());
}

INT_PTR CBaseDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == accessibility::TextRequestMessage()) {
    return AnswerTextRequest(reinterpret_cast<HWND>(wParam),
                             *reinterpret_cast<accessibility::TextRequest*>(lParam));
  }
  switch (msg) {
    case WM_INITDIALOG: {
      // Before the page's own initialisation, which lays it out.
      scale_ = WindowScale(hwnd());
      const INT_PTR result = Dialog::DialogProc(msg, wParam, lParam);
      accessibility::DescribeControls(hwnd());
      return result;
    }
    case WM_GETOBJECT:
      if (const LRESULT object =
              accessibility::AnswerGetObject(hwnd(), wParam, lParam, accessibility::Role::kPage)) {
        return SetMessageResult(object);
      }
      return FALSE;
    case WM_HSCROLL:
      // Readers hear a slider's value as the page shows it, which the
      // trackbar itself does not know has changed.
      if (lParam != 0) {
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, reinterpret_cast<HWND>(lParam), OBJID_CLIENT,
                       CHILDID_SELF);
      }
      return FALSE;
    case WM_CTLCOLOREDIT:
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      return reinterpret_cast<INT_PTR>(m_brBack.get());
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<INT_PTR>(m_brBack.get());
    case WM_VSCROLL:
      if (lParam != 0) return FALSE;  // a scroll-bar control, not the page's own bar
      return OnVScroll(LOWORD(wParam), HIWORD(wParam));
    case WM_MOUSEWHEEL:
      ScrollBy(pages::WheelDelta(DeviceScroll(), GET_WHEEL_DELTA_WPARAM(wParam)));
      return FALSE;
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

#pragma once
// Shared by the Continuous and Parking page tests and the popup test: a page
// inside a hidden top-level window over a fresh record, control probes, and
// a way to answer a modal popup. A popup runs its own modal loop, so a test
// queues steps before the action that opens it; a thread timer then performs
// one step per tick on the popup (found by its caption) from inside that loop.

#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "core/lang/lang_manager.h"
#include "core/pages/mode_page_rows.h"
#include "core/settings/settings_record.h"
#include "core/text/u16.h"
#include "win/lang/program_lang_resources.h"
#include "win/platform/wide.h"

namespace page_test {

// A step on the popup window; returns false to be tried again next tick.
using PopupStep = std::function<bool(HWND popup)>;

class PopupScript {
 public:
  static void Start(std::wstring caption, std::deque<PopupStep> steps) {
    state() = {std::move(caption), std::move(steps), 0, SetTimer(nullptr, 0, 20, Tick)};
  }
  // Stops the timer; returns how many steps ran.
  static int Finish() {
    KillTimer(nullptr, state().timer);
    return std::exchange(state(), {}).done;
  }

 private:
  struct State {
    std::wstring caption;
    std::deque<PopupStep> steps;
    int done = 0;
    UINT_PTR timer = 0;
  };
  static State& state() {
    static State s;
    return s;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    State& s = state();
    HWND popup = FindWindowW(MAKEINTATOM(32770), s.caption.c_str());
    if (popup == nullptr || !IsWindowVisible(popup) || s.steps.empty()) return;
    // Taken off the queue first: a step may open another modal loop that
    // ticks again before it returns.
    PopupStep step = std::move(s.steps.front());
    s.steps.pop_front();
    if (step(popup)) {
      ++s.done;
    } else {
      s.steps.push_front(std::move(step));
    }
  }
};

// A key press as the keyboard delivers it: to the focused control.
inline PopupStep PressKey(WPARAM key) {
  return [key](HWND popup) {
    HWND target = GetFocus();
    if (target == nullptr || !IsChild(popup, target)) target = popup;
    PostMessageW(target, WM_KEYDOWN, key, 1);
    return true;
  };
}
inline PopupStep ClickButton(int id) {
  return [id](HWND popup) { return PostMessageW(GetDlgItem(popup, id), BM_CLICK, 0, 0) != FALSE; };
}
inline PopupStep CloseBox() {
  return [](HWND popup) { return PostMessageW(popup, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE; };
}

inline std::wstring WindowText(HWND hwnd) {
  std::wstring text(GetWindowTextLengthW(hwnd), L'\0');
  GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()) + 1);
  return text;
}

// `hwnd`'s rectangle in the client coordinates of `parent`.
inline RECT RectIn(HWND parent, HWND hwnd) {
  RECT rc{};
  GetWindowRect(hwnd, &rc);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

template <typename Page>
class PageTest : public testing::Test {
 protected:
  void SetUp() override {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    ASSERT_TRUE(lang::LoadProgramLanguage(u"english"));
    settingsRecord = &record_;
    parent_ = CreateWindowExW(0, L"STATIC", L"page test", WS_POPUP, 0, 0, 620, 480, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(page_.Create(parent_));
  }
  void TearDown() override {
    page_.Destroy();
    DestroyWindow(parent_);
    settingsRecord = nullptr;
    lang::LoadProgramLanguage(u"english");
  }

  SettingsRecord& record() { return record_; }
  HWND item(int id) const { return GetDlgItem(page_.hwnd(), id); }
  bool Checked(int id) const { return SendMessageW(item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
  bool Shown(int id) const { return (GetWindowLongPtrW(item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
  bool Enabled(int id) const { return IsWindowEnabled(item(id)) != FALSE; }
  std::wstring Text(int id) const { return WindowText(item(id)); }
  int SliderPos(int id) const { return static_cast<int>(SendMessageW(item(id), TBM_GETPOS, 0, 0)); }
  RECT Rect(int id) const { return RectIn(page_.hwnd(), item(id)); }
  void Click(int id) { SendMessageW(item(id), BM_CLICK, 0, 0); }
  // As a drag does: the trackbar moves, then tells the page.
  void MoveSlider(int id, int position) {
    SendMessageW(item(id), TBM_SETPOS, TRUE, position);
    SendMessageW(page_.hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(item(id)));
  }

  // In English and French: every shown text fits its control, no two shown
  // controls overlap, and each slider starts where its caption ends.
  void ExpectLayoutFitsInEveryLanguage(std::span<const pages::rows::PageRow> rows) {
    for (std::u16string_view language : {u"english", u"french"}) {
      SCOPED_TRACE(text::ToUtf8(language));
      ASSERT_TRUE(lang::LoadProgramLanguage(language));
      page_.ShowRecord();
      RECT previous{};
      for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        RECT rc = Rect(row.id);
        if (row.x == pages::rows::kRightOfPrevious) {
          EXPECT_EQ(rc.left, previous.right);
        }
        previous = rc;
        if (!Shown(row.id) || row.textKey == nullptr) continue;
        std::wstring text = Text(row.id);
        EXPECT_EQ(text, ToWide(lang::Lang().GetLangText(row.textKey)));
        int room = rc.right - rc.left - Padding(row);
        EXPECT_GE(room, TextWidth(row.id, text)) << "cut off: " << text::ToUtf8(U16(text));
        for (const auto& other : rows) {
          RECT ro = Rect(other.id), overlap{};
          if (other.id != row.id && Shown(other.id)) {
            EXPECT_FALSE(IntersectRect(&overlap, &rc, &ro)) << "overlaps " << other.id;
          }
        }
      }
    }
  }

  SettingsRecord record_{};
  HWND parent_ = nullptr;
  Page page_;

 private:
  // What a control keeps beside its text: a radio's check circle, a label's
  // margins.
  int Padding(const pages::rows::PageRow& row) const {
    using enum pages::rows::RowKind;
    if (row.kind == kRadio || row.kind == kWideRadio) return GetSystemMetrics(SM_CXMENUCHECK);
    DWORD margins = static_cast<DWORD>(SendMessageW(item(row.id), EM_GETMARGINS, 0, 0));
    return LOWORD(margins) + HIWORD(margins);
  }
  int TextWidth(int id, const std::wstring& text) const {
    HDC dc = GetDC(item(id));
    auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(item(id), WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(item(id), dc);
    return extent.cx;
  }
};

}  // namespace page_test

// The progress popup run modally and driven from inside its own loop.
#include <gtest/gtest.h>
#include <windows.h>
// After windows.h, whose types it needs.
#include <commctrl.h>

#include <deque>
#include <functional>
#include <string>

#include "format_test_support.h"
#include "resource_ids.h"
#include "win/pages/prog_popup_dlg.h"

namespace {

using format_test::Ticker;
using format_test::WindowText;

constexpr wchar_t kCaption[] = L"Progress under test";
constexpr wchar_t kTwoLines[] = L"Working.\r\nPlease wait.\r\n";
constexpr int kGiveUpTicks = 250;  // 5 s: the popup ignored every way to end it

// A step on the shown popup; false to be tried again on the next tick.
using Step = std::function<bool(CProgPopupDlg& popup)>;

class ProgPopup : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
  }
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"popup owner", WS_POPUP, 100, 100, 600, 500, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  // Runs `popup` modally, performing `steps` one per tick; its result.
  INT_PTR Run(CProgPopupDlg& popup, std::deque<Step> steps, const wchar_t* message = kTwoLines) {
    popup.SetContent(kCaption, message, 400, 150);
    int ticks = 0;
    Ticker ticker([&] {
      if (popup.hwnd() == nullptr) return;
      if (++ticks == kGiveUpTicks) {
        ADD_FAILURE() << "the popup did not end";
        DestroyWindow(popup.hwnd());
      } else if (!steps.empty() && steps.front()(popup)) {
        steps.pop_front();
      }
    });
    INT_PTR result = popup.DoModal(owner_);
    EXPECT_TRUE(steps.empty()) << steps.size() << " steps did not run";
    return result;
  }

  HWND owner_ = nullptr;
};

int BarPosition(const CProgPopupDlg& popup) {
  return static_cast<int>(
      SendMessageW(GetDlgItem(popup.hwnd(), IDC_PROGRESS_POPUP_BAR), PBM_GETPOS, 0, 0));
}

Step Close() {
  return [](CProgPopupDlg& popup) {
    SendMessageW(popup.hwnd(), WM_CLOSE, 0, 0);
    return true;
  };
}

TEST_F(ProgPopup, SetProgressKeepsTheBarWithinItsRange) {
  const struct {
    int set;
    int shown;
  } cases[] = {{60, 60}, {120, 100}, {100, 100}, {0, 0}, {-5, 0}, {99, 99}, {101, 100}};
  CProgPopupDlg popup;
  INT_PTR result = Run(popup, {[&](CProgPopupDlg& p) {
                                 for (const auto& c : cases) {
                                   SCOPED_TRACE(c.set);
                                   p.SetProgress(c.set);
                                   EXPECT_EQ(p.GetProgress(), c.shown);
                                   EXPECT_EQ(BarPosition(p), c.shown);
                                 }
                                 return true;
                               },
                               Close()});
  EXPECT_EQ(result, IDCANCEL);
}

TEST_F(ProgPopup, OnlyWmCloseEndsIt) {
  auto key = [](WPARAM vk) {
    return [vk](HWND popup) {
      HWND target = GetFocus();
      if (target == nullptr || (target != popup && !IsChild(popup, target))) target = popup;
      PostMessageW(target, WM_KEYDOWN, vk, 1);
      PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
    };
  };
  const struct {
    const char* name;
    std::function<void(HWND)> act;
  } cases[] = {
      {"Escape", key(VK_ESCAPE)},
      {"Enter", key(VK_RETURN)},
      {"Alt+F4", [](HWND popup) { PostMessageW(popup, WM_SYSCOMMAND, SC_CLOSE, 0); }},
      {"hidden Confirm button",
       [](HWND popup) { PostMessageW(GetDlgItem(popup, IDC_PROGRESS_POPUP_CONFIRM), BM_CLICK, 0, 0); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CProgPopupDlg popup;
    bool openAfterwards = false;
    INT_PTR result = Run(popup, {[&](CProgPopupDlg& p) {
                                   c.act(p.hwnd());
                                   return true;
                                 },
                                 [&](CProgPopupDlg& p) {
                                   openAfterwards = IsWindowVisible(p.hwnd()) != FALSE;
                                   return true;
                                 },
                                 Close()});
    EXPECT_TRUE(openAfterwards);
    EXPECT_EQ(result, IDCANCEL);
  }
}

TEST_F(ProgPopup, SizesItselfAndPlacesTextAndBar) {
  const struct {
    const char* name;
    const wchar_t* message;
    int textHeight;
  } cases[] = {
      {"two lines", kTwoLines, 50},
      {"one line with a break", L"only\r\n", 40},
      {"one line", L"only", 40},
      {"three breaks", L"a\r\nb\r\nc\r\n", 40},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RECT window{}, text{}, bar{};
    std::wstring caption, shown;
    auto rectIn = [](HWND popup, int id) {
      RECT rc{};
      GetWindowRect(GetDlgItem(popup, id), &rc);
      MapWindowPoints(HWND_DESKTOP, popup, reinterpret_cast<POINT*>(&rc), 2);
      return rc;
    };
    CProgPopupDlg popup;
    Run(popup,
        {[&](CProgPopupDlg& p) {
           GetWindowRect(p.hwnd(), &window);
           text = rectIn(p.hwnd(), IDC_PROGRESS_POPUP_TEXT);
           bar = rectIn(p.hwnd(), IDC_PROGRESS_POPUP_BAR);
           caption = WindowText(p.hwnd());
           shown = WindowText(GetDlgItem(p.hwnd(), IDC_PROGRESS_POPUP_TEXT));
           return true;
         },
         Close()},
        c.message);
    EXPECT_EQ(window.right - window.left, 400);
    EXPECT_EQ(window.bottom - window.top, 150);
    EXPECT_EQ(caption, kCaption);
    EXPECT_EQ(shown, c.message);
    EXPECT_EQ(text.left, 0);
    EXPECT_EQ(text.top, 28);
    EXPECT_EQ(text.right, 400);
    EXPECT_EQ(text.bottom - text.top, c.textHeight);
    EXPECT_EQ(bar.left, 40);
    EXPECT_EQ(bar.right, 360);
    EXPECT_EQ(bar.top, 80);
    EXPECT_EQ(bar.bottom, 110);
  }
}

TEST_F(ProgPopup, RunsTheShownActionOnceItsWindowIsInitialised) {
  CProgPopupDlg popup;
  popup.SetProgress(70);  // before the window exists: only stored
  int runs = 0;
  bool barReady = false;
  int positionThen = -1;
  popup.SetOnShown([&] {
    ++runs;
    barReady = GetDlgItem(popup.hwnd(), IDC_PROGRESS_POPUP_BAR) != nullptr;
    positionThen = popup.GetProgress();
  });
  Run(popup, {Close()});
  EXPECT_EQ(runs, 1);
  EXPECT_TRUE(barReady);
  EXPECT_EQ(positionThen, 0);
}

}  // namespace

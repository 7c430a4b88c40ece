// The Yes/No popup run modally and answered from inside its own loop.
#include <array>

#include "mode_page_fixture.h"
#include "resource_ids.h"
#include "win/pages/msg_popup_dlg.h"

namespace {

using namespace page_test;

constexpr wchar_t kCaption[] = L"Popup under test";

using Box = std::array<LONG, 4>;
Box Edges(const RECT& r) {
  return {r.left, r.top, r.right, r.bottom};
}

INT_PTR RunPopup(std::deque<PopupStep> steps, const std::wstring& message = L"1\r\n2\r\n") {
  HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 100, 100, 600, 500, nullptr,
                               nullptr, GetModuleHandleW(nullptr), nullptr);
  CMsgPopupDlg popup;
  popup.SetContent(kCaption, message, 330, 150);
  size_t count = steps.size();
  PopupScript::Start(kCaption, std::move(steps));
  INT_PTR result = popup.DoModal(owner);
  EXPECT_EQ(PopupScript::Finish(), static_cast<int>(count)) << "the popup ended early";
  DestroyWindow(owner);
  return result;
}

TEST(MsgPopup, EveryWayToEndItGivesItsAnswer) {
  bool openAfterEscape = false;
  const struct {
    const char* name;
    std::deque<PopupStep> steps;
    INT_PTR result;
  } cases[] = {
      {"Yes button", {ClickButton(IDC_MSG_POPUP_YES)}, IDOK},
      {"No button", {ClickButton(IDC_MSG_POPUP_NO)}, IDCANCEL},
      {"Y key", {PressKey('Y')}, IDOK},
      {"N key", {PressKey('N')}, IDCANCEL},
      {"Enter", {PressKey(VK_RETURN)}, IDOK},
      {"Tab to No, then Enter", {PressKey(VK_TAB), PressKey(VK_RETURN)}, IDCANCEL},
      {"close box", {CloseBox()}, IDCANCEL},
      {"Escape, then Y",
       {PressKey(VK_ESCAPE),
        [&](HWND popup) {
          openAfterEscape = IsWindowVisible(popup) != FALSE;
          return true;
        },
        PressKey('Y')},
       IDOK},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(RunPopup(c.steps), c.result);
  }
  EXPECT_TRUE(openAfterEscape);
}

// While its message fits, the popup is 330 x 150 with its text and buttons
// where they always stood. A longer line widens it, more lines heighten
// it, and a line wider than the screen wraps within a popup as wide as the
// screen. Every line shows whole with a margin on either side, above the
// buttons, and the popup stays on the screen.
TEST(MsgPopup, SizesItselfToItsMessageWithinTheScreen) {
  std::wstring tooWide;
  for (int i = 0; i < 40; ++i) tooWide += L"enregistrement ";
  const struct {
    const char* name;
    std::wstring message;
    int textHeight;  // 0: as the message needs, beyond the popup's own size
  } cases[] = {
      {"two lines", L"first\r\nsecond\r\n", 50},
      {"one line", L"only\r\n", 20},
      {"one line without a break", L"only", 20},
      {"three lines", L"a\r\nb\r\nc\r\nd\r\n", 0},
      {"a long line",
       L"Si le mode Stationnement est d\u00e9sactiv\u00e9,\r\nla dashcam arr\u00eatera "
       L"l'enregistrement une fois le moteur du v\u00e9hicule arr\u00eat\u00e9.\r\n",
       0},
      {"a line wider than the screen", tooWide, 0},
  };
  RECT screen{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RECT window{}, client{}, text{}, yes{}, no{};
    int needed = 0;  // the height of the message at the text's width
    std::wstring caption, shown, yesText, noText;
    RunPopup({[&](HWND popup) {
                GetWindowRect(popup, &window);
                GetClientRect(popup, &client);
                const HWND message = GetDlgItem(popup, IDC_MSG_POPUP_TEXT);
                text = RectIn(popup, message);
                yes = RectIn(popup, GetDlgItem(popup, IDC_MSG_POPUP_YES));
                no = RectIn(popup, GetDlgItem(popup, IDC_MSG_POPUP_NO));
                caption = WindowText(popup);
                shown = WindowText(message);
                yesText = WindowText(GetDlgItem(popup, IDC_MSG_POPUP_YES));
                noText = WindowText(GetDlgItem(popup, IDC_MSG_POPUP_NO));
                HDC dc = GetDC(message);
                const HGDIOBJ old = SelectObject(
                    dc, reinterpret_cast<HFONT>(SendMessageW(message, WM_GETFONT, 0, 0)));
                RECT measured{0, 0, text.right - text.left, 0};
                DrawTextW(dc, c.message.c_str(), -1, &measured,
                          DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
                needed = measured.bottom;
                SelectObject(dc, old);
                ReleaseDC(message, dc);
                return true;
              },
              PressKey('N')},
             c.message);
    EXPECT_EQ(caption, kCaption);
    EXPECT_EQ(shown, c.message);
    EXPECT_EQ(yesText, L"Yes(Y)");
    EXPECT_EQ(noText, L"No(N)");
    EXPECT_GE(text.bottom - text.top, needed) << "a line is cut off";
    EXPECT_EQ(text.left, 12);
    EXPECT_EQ(client.right - text.right, 12);
    EXPECT_GE(yes.top, text.bottom);
    EXPECT_LE(yes.bottom, client.bottom);
    EXPECT_EQ(no.top, yes.top);
    EXPECT_GE(window.left, screen.left);
    EXPECT_GE(window.top, screen.top);
    EXPECT_LE(window.right, screen.right);
    EXPECT_LE(window.bottom, screen.bottom);
    if (c.textHeight != 0) {
      EXPECT_EQ(window.right - window.left, 330);
      EXPECT_EQ(window.bottom - window.top, 150);
      EXPECT_EQ(text.top, 28);
      EXPECT_EQ(text.bottom - text.top, c.textHeight);
      EXPECT_EQ(Edges(yes), (Box{70, 90, 155, 115}));
      EXPECT_EQ(Edges(no), (Box{175, 90, 260, 115}));
    } else {
      EXPECT_GT((window.right - window.left) + (window.bottom - window.top), 330 + 150);
    }
  }
}

}  // namespace

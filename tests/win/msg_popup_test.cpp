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

TEST(MsgPopup, SizesItselfAndPlacesTextAndButtons) {
  const struct {
    std::wstring message;
    int textHeight;
  } cases[] = {
      {L"first\r\nsecond\r\n", 50}, {L"only\r\n", 20}, {L"only", 20}, {L"a\r\nb\r\nc\r\n", 20}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(text::ToUtf8(U16(c.message))));
    RECT window{}, text{}, yes{}, no{};
    std::wstring caption, shown, yesText, noText;
    RunPopup({[&](HWND popup) {
                GetWindowRect(popup, &window);
                text = RectIn(popup, GetDlgItem(popup, IDC_MSG_POPUP_TEXT));
                yes = RectIn(popup, GetDlgItem(popup, IDC_MSG_POPUP_YES));
                no = RectIn(popup, GetDlgItem(popup, IDC_MSG_POPUP_NO));
                caption = WindowText(popup);
                shown = WindowText(GetDlgItem(popup, IDC_MSG_POPUP_TEXT));
                yesText = WindowText(GetDlgItem(popup, IDC_MSG_POPUP_YES));
                noText = WindowText(GetDlgItem(popup, IDC_MSG_POPUP_NO));
                return true;
              },
              PressKey('N')},
             c.message);
    EXPECT_EQ(window.right - window.left, 330);
    EXPECT_EQ(window.bottom - window.top, 150);
    EXPECT_EQ(caption, kCaption);
    EXPECT_EQ(shown, c.message);
    EXPECT_EQ(yesText, L"Yes(Y)");
    EXPECT_EQ(noText, L"No(N)");
    EXPECT_EQ(Edges(text), (Box{0, 28, 330, 28 + c.textHeight}));
    EXPECT_EQ(Edges(yes), (Box{70, 90, 155, 115}));
    EXPECT_EQ(Edges(no), (Box{175, 90, 260, 115}));
  }
}

}  // namespace

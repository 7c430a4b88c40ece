#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "controls_support.h"
#include "win/controls/picture_library.h"
#include "win/controls/rbutton.h"

namespace {

using namespace controls_test;
using State = CRButton::State;

constexpr int kId = 2302;
constexpr std::uint32_t kBackground = 0xFF203040;

enum class Event {
  kMove,
  kLeave,
  kDown,
  kUp,
  kDisable,
  kEnable,
  kCheck,
  kUncheck,
  kSpaceDown,
  kSpaceUp,
  kEnter,
  kEnterHeld,  // Enter's auto-repeat
  kClickMessage,
  kFocus,
  kBlur,
};

struct Step {
  Event event;
  State state;
  std::uint32_t pixel;  // what the button shows afterwards
  bool posts = false;   // whether the parent is told of a click
};

class RButtonTest : public testing::Test {
 protected:
  void Create(const RECT& rect) {
    ASSERT_TRUE(button_.CreateChild(parent_.hwnd(), kId, rect, WS_VISIBLE));
  }
  void CreatePlain(int disabledId) {
    Create({20, 10, 36, 18});  // the plain pictures' 16 x 8
    button_.SetImages(kPlainNormal, kPlainHover, kPlainPressed, parent_.background(), disabledId);
  }
  void CreateTab() {
    Create({20, 10, 80, 30});
    button_.SetCheckedSkin(kNinePatchSelected);
    button_.SetSkin(kNinePatchNormal, kNinePatchHover, kNinePatchPressed, parent_.background());
  }

  void Apply(Event event) {
    const HWND hwnd = button_.hwnd();
    const LPARAM point = MAKELPARAM(5, 4);
    switch (event) {
      case Event::kMove:
        SendMessageW(hwnd, WM_MOUSEMOVE, 0, point);
        break;
      case Event::kLeave:
        SendMessageW(hwnd, WM_MOUSELEAVE, 0, 0);
        break;
      case Event::kDown:
        SendMessageW(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, point);
        break;
      case Event::kUp:
        SendMessageW(hwnd, WM_LBUTTONUP, 0, point);
        break;
      case Event::kDisable:
        EnableWindow(hwnd, FALSE);
        break;
      case Event::kEnable:
        EnableWindow(hwnd, TRUE);
        break;
      case Event::kCheck:
        button_.SetCheck(true);
        break;
      case Event::kUncheck:
        button_.SetCheck(false);
        break;
      case Event::kSpaceDown:
        SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 1);
        break;
      case Event::kSpaceUp:
        SendMessageW(hwnd, WM_KEYUP, VK_SPACE, 0xC0000001);
        break;
      case Event::kEnter:
        SendMessageW(hwnd, WM_KEYDOWN, VK_RETURN, 1);
        break;
      case Event::kEnterHeld:
        SendMessageW(hwnd, WM_KEYDOWN, VK_RETURN, 0x40000001);
        break;
      case Event::kClickMessage:
        SendMessageW(hwnd, BM_CLICK, 0, 0);
        break;
      case Event::kFocus:
        SetFocus(hwnd);
        UpdateWindow(hwnd);
        break;
      case Event::kBlur:
        SetFocus(parent_.hwnd());
        UpdateWindow(hwnd);
        break;
    }
  }

  // The pixel that the button shows at (5, 4) on its own window, as drawn
  // there at once by the state change (no WM_PAINT in between).
  std::uint32_t OnScreen(int x = 5, int y = 4) {
    const HDC dc = GetDC(button_.hwnd());
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(button_.hwnd(), dc);
    return 0xFF000000 | GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
  }

  void Run(const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
      SCOPED_TRACE(testing::Message() << "step " << i);
      Apply(steps[i].event);
      EXPECT_EQ(button_.GetState(), steps[i].state);
      EXPECT_EQ(OnScreen(), steps[i].pixel);
      const std::vector<Received> commands = parent_.TakeCommands();
      ASSERT_EQ(commands.size(), steps[i].posts ? 1u : 0u);
      if (steps[i].posts) {
        EXPECT_EQ(commands[0].wParam, MAKEWPARAM(kId, 0));
        EXPECT_EQ(commands[0].lParam, 0);
      }
    }
  }

  TestParent parent_{120, 60, kBackground};
  CRButton button_;
};

TEST_F(RButtonTest, StatesFollowTheMouse) {
  CreatePlain(kPlainDisabled);
  Run({
      {Event::kMove, State::kHover, kHoverPixel},
      {Event::kMove, State::kHover, kHoverPixel},
      {Event::kLeave, State::kNormal, kNormalPixel},
      {Event::kDown, State::kPressed, kPressedPixel},
      {Event::kUp, State::kHover, kHoverPixel, true},
      // Pressed, then the pointer leaves: back to normal, no click.
      {Event::kDown, State::kPressed, kPressedPixel},
      {Event::kLeave, State::kNormal, kNormalPixel},
      // A release over the button is a click wherever the press began.
      {Event::kUp, State::kHover, kHoverPixel, true},
      {Event::kDisable, State::kDisabled, kDisabledPixel},
      {Event::kMove, State::kDisabled, kDisabledPixel},
      {Event::kLeave, State::kDisabled, kDisabledPixel},
      {Event::kEnable, State::kNormal, kNormalPixel},
  });
}

TEST_F(RButtonTest, CheckedTabKeepsItsSelectedPicture) {
  CreateTab();
  Run({
      {Event::kCheck, State::kSelected, kSelectedPixel},
      {Event::kMove, State::kSelected, kSelectedPixel},
      {Event::kLeave, State::kSelected, kSelectedPixel},
      {Event::kDown, State::kPressed, kPressedPixel},
      // The release leaves a checked tab pressed until SetCheck.
      {Event::kUp, State::kPressed, kPressedPixel, true},
      {Event::kLeave, State::kPressed, kPressedPixel},
      {Event::kUncheck, State::kNormal, kNormalPixel},
      {Event::kDown, State::kPressed, kPressedPixel},
      {Event::kUp, State::kHover, kHoverPixel, true},
      // Space on the selected tab, too, keeps it pressed until SetCheck.
      {Event::kCheck, State::kSelected, kSelectedPixel},
      {Event::kSpaceDown, State::kPressed, kPressedPixel},
      {Event::kSpaceUp, State::kPressed, kPressedPixel, true},
      {Event::kUncheck, State::kNormal, kNormalPixel},
  });
  EXPECT_FALSE(button_.GetCheck());
}

// The keys a standard button takes, and BM_CLICK, press it as the mouse
// does; a key held down clicks once.
TEST_F(RButtonTest, SpaceEnterAndBmClickPressIt) {
  CreatePlain(kPlainDisabled);
  Run({
      {Event::kSpaceDown, State::kPressed, kPressedPixel},
      {Event::kSpaceDown, State::kPressed, kPressedPixel},
      {Event::kSpaceUp, State::kNormal, kNormalPixel, true},
      {Event::kSpaceUp, State::kNormal, kNormalPixel},
      {Event::kEnter, State::kNormal, kNormalPixel, true},
      {Event::kEnterHeld, State::kNormal, kNormalPixel},
      {Event::kClickMessage, State::kNormal, kNormalPixel, true},
      {Event::kDisable, State::kDisabled, kDisabledPixel},
      {Event::kClickMessage, State::kDisabled, kDisabledPixel},
  });
  EXPECT_EQ(SendMessageW(button_.hwnd(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  button_.SetCheck(true);
  EXPECT_EQ(SendMessageW(button_.hwnd(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

// A focused button shows an outline inside its edge (Wine always shows the
// keyboard cues, so their hiding is not seen here); a Space press that
// loses the focus before its release clicks nothing.
TEST_F(RButtonTest, TheFocusShowsAndAnInterruptedPressDoesNotClick) {
  CreateTab();
  const auto outline = [this] { return OnScreen(4, 10); };
  ASSERT_NE(outline(), 0xFFFFFFFF);
  Run({
      {Event::kFocus, State::kNormal, kNormalPixel},
      {Event::kSpaceDown, State::kPressed, kPressedPixel},
  });
  EXPECT_EQ(outline(), 0xFFFFFFFF);
  Run({
      {Event::kBlur, State::kNormal, kNormalPixel},
      {Event::kSpaceUp, State::kNormal, kNormalPixel},
  });
  EXPECT_NE(outline(), 0xFFFFFFFF);
}

TEST_F(RButtonTest, PlainButtonWithoutDisabledOrSelectedPicture) {
  CreatePlain(0);
  Run({
      {Event::kMove, State::kHover, kHoverPixel},
      // No disabled picture: the last picture stays.
      {Event::kDisable, State::kHover, kHoverPixel},
      {Event::kEnable, State::kHover, kHoverPixel},
      // No selected picture: only the background shows, and a release
      // returns to hover even though the button is checked.
      {Event::kCheck, State::kSelected, kBackground},
      {Event::kDown, State::kPressed, kPressedPixel},
      {Event::kUp, State::kHover, kHoverPixel, true},
  });
}

TEST_F(RButtonTest, TransparentPixelsShowTheParentBackground) {
  CreatePlain(0);
  const std::vector<std::uint32_t> pixels = Drawn(button_, 16, 8);
  for (int y = 0; y < 8; ++y) {
    SCOPED_TRACE(y);
    EXPECT_EQ(pixels[y * 16], kBackground);
    EXPECT_EQ(pixels[y * 16 + 1], kNormalPixel);
  }
}

// Pixels whose colour (alpha aside) is `color`.
int CountColor(const std::vector<std::uint32_t>& pixels, COLORREF color) {
  const std::uint32_t rgb = GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color);
  return static_cast<int>(std::count_if(pixels.begin(), pixels.end(),
                                        [rgb](std::uint32_t p) { return (p & 0xFFFFFF) == rgb; }));
}

TEST_F(RButtonTest, CaptionTakesTheColourOfTheState) {
  Create({10, 10, 90, 34});
  const SkinTextStyle caption{u"Save", RGB(255, 255, 255), RGB(0, 255, 255), RGB(255, 0, 255),
                              14,      TextAlign::kCenter};
  button_.SetCheckedSkin(kNinePatchSelected);
  button_.SetSkin(kNinePatchNormal, kNinePatchHover, kNinePatchPressed, parent_.background(),
                  &caption, kNinePatchDisabled);
  struct Case {
    Event event;
    COLORREF shown;
  };
  const Case cases[] = {
      {Event::kMove, caption.colorHover},     {Event::kDown, caption.colorPressed},
      {Event::kLeave, caption.colorNormal},   {Event::kCheck, caption.colorPressed},
      {Event::kUncheck, caption.colorNormal}, {Event::kDisable, caption.colorNormal}};
  for (const Case& c : cases) {
    Apply(c.event);
    SCOPED_TRACE(button_.GetState());
    const std::vector<std::uint32_t> pixels = Drawn(button_, 80, 24);
    for (COLORREF color : {caption.colorNormal, caption.colorHover, caption.colorPressed}) {
      if (color == c.shown) {
        EXPECT_GT(CountColor(pixels, color), 5);
      } else {
        EXPECT_EQ(CountColor(pixels, color), 0);
      }
    }
  }
}

TEST_F(RButtonTest, WithoutCaptionOnlyThePictureShows) {
  Create({10, 10, 50, 30});
  button_.SetSkin(kNinePatchNormal, kNinePatchHover, kNinePatchPressed);
  EXPECT_EQ(Drawn(button_, 40, 20), std::vector<std::uint32_t>(40 * 20, kNormalPixel));
}

// A picture is decoded once, when a button is first given it: never while
// painting, nor for a second button with the same skin.
TEST_F(RButtonTest, PaintingDecodesNothing) {
  CPictureLibrary library;
  const int before = skin::PictureDecodeCount();
  CreateTab();
  const int afterSkin = skin::PictureDecodeCount();
  EXPECT_EQ(afterSkin, before + 4);
  CRButton twin;
  ASSERT_TRUE(twin.CreateChild(parent_.hwnd(), kId + 1, {0, 0, 60, 20}, WS_VISIBLE));
  twin.SetCheckedSkin(kNinePatchSelected);
  twin.SetSkin(kNinePatchNormal, kNinePatchHover, kNinePatchPressed, parent_.background());
  EXPECT_EQ(skin::PictureDecodeCount(), afterSkin);

  const std::pair<Event, std::uint32_t> steps[] = {{Event::kMove, kHoverPixel},
                                                   {Event::kDown, kPressedPixel},
                                                   {Event::kUp, kHoverPixel},
                                                   {Event::kCheck, kSelectedPixel}};
  for (const auto& [event, pixel] : steps) {
    Apply(event);
    // Blank the window, then let WM_PAINT put the picture back.
    const HDC dc = GetDC(button_.hwnd());
    PatBlt(dc, 0, 0, 60, 20, BLACKNESS);
    ReleaseDC(button_.hwnd(), dc);
    ASSERT_EQ(OnScreen(), 0xFF000000);
    InvalidateRect(button_.hwnd(), nullptr, FALSE);
    UpdateWindow(button_.hwnd());
    EXPECT_EQ(OnScreen(), pixel);
  }
  EXPECT_EQ(skin::PictureDecodeCount(), afterSkin);
}

TEST(RButtonResources, GdiObjectsComeBackAfterManyButtons) {
  const auto gdiObjects = [] { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); };
  if (gdiObjects() == 0) GTEST_SKIP() << "GDI objects cannot be counted here (Wine)";
  TestParent parent(200, 100, kBackground);
  const SkinTextStyle caption{u"Save", RGB(255, 255, 255), 0, 0, 14, TextAlign::kCenter};
  const auto cycle = [&] {
    CRButton button;
    button.CreateChild(parent.hwnd(), kId, {10, 10, 110, 40}, WS_VISIBLE);
    button.SetCheckedSkin(kNinePatchSelected);
    button.SetSkin(kNinePatchNormal, kNinePatchHover, kNinePatchPressed, parent.background(),
                   &caption, kNinePatchDisabled);
    button.SetCheck(true);
    SendMessageW(button.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    UpdateWindow(button.hwnd());
  };
  cycle();  // the first round may set up caches of the system's own
  const DWORD before = gdiObjects();
  for (int i = 0; i < 25; ++i) cycle();
  EXPECT_EQ(gdiObjects(), before);
}

}  // namespace

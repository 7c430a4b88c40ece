#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "controls_support.h"
#include "win/controls/rstatic_text.h"
#include "win/controls/skin_text_style.h"
#include "win/framework/handle.h"
#include "win/platform/wide.h"

namespace {

using namespace controls_test;

constexpr int kWidth = 120;
constexpr int kHeight = 24;

class RStaticTextTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(
        text_.CreateChild(parent_.hwnd(), 2001, {10, 5, 10 + kWidth, 5 + kHeight}, WS_VISIBLE));
    ASSERT_TRUE(font_);
  }
  void Show(const SkinTextStyle& style, int pngId = 0) {
    text_.SetSkin(pngId, font_.get(), parent_.background(), &style);
  }
  std::vector<std::uint32_t> Drawn() { return controls_test::Drawn(text_, kWidth, kHeight); }

  // Each pixel as an (red, green, blue) triple, alpha aside.
  static int Channel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

  TestParent parent_{200, 60, 0xFF204060};
  UniqueFont font_ = CreateSkinFont(14);
  CRStaticText text_;
};

TEST_F(RStaticTextTest, ForwardsMouseMessagesToTheParentUnchanged) {
  const Received sent[] = {{WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 4)},
                           {WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 2)},
                           {WM_LBUTTONUP, 0, MAKELPARAM(110, 20)}};
  for (const Received& m : sent) SendMessageW(text_.hwnd(), m.msg, m.wParam, m.lParam);
  SendMessageW(text_.hwnd(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(1, 1));

  const std::vector<Received>& received = parent_.mouse();
  ASSERT_EQ(received.size(), std::size(sent));
  for (std::size_t i = 0; i < received.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(received[i].msg, sent[i].msg);
    EXPECT_EQ(received[i].wParam, sent[i].wParam);
    EXPECT_EQ(received[i].lParam, sent[i].lParam);  // the control's own coordinates
  }
}

// Every pixel must lie between the background and the text colour: the text
// is blended by its coverage, with premultiplied colour.
TEST_F(RStaticTextTest, TextIsBlendedByItsCoverage) {
  struct Case {
    const char* name;
    COLORREF color;
  };
  const Case cases[] = {
      {"title colour", RGB(214, 223, 233)}, {"black", RGB(0, 0, 0)}, {"red", RGB(255, 0, 0)}};
  const int background[] = {0x20, 0x40, 0x60};  // red, green, blue of the parent's picture
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Show({u"Settings", c.color, 0, 0, 14, TextAlign::kLeft});
    const int text[] = {GetRValue(c.color), GetGValue(c.color), GetBValue(c.color)};
    int covered = 0;
    for (std::uint32_t pixel : Drawn()) {
      // The coverage, read back from the channel where text and background differ most.
      const int channel =
          std::abs(text[0] - background[0]) >= std::abs(text[1] - background[1]) ? 0 : 1;
      const int got = Channel(pixel, 16 - 8 * channel);
      const double a = double(got - background[channel]) / (text[channel] - background[channel]);
      ASSERT_GE(a, -0.02);
      ASSERT_LE(a, 1.02);
      for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(Channel(pixel, 16 - 8 * i), background[i] + a * (text[i] - background[i]), 3);
      }
      if (a > 0.97) ++covered;
    }
    EXPECT_GT(covered, 10);
  }
}

// The columns that hold text, as [first, last].
std::pair<int, int> TextColumns(const std::vector<std::uint32_t>& pixels,
                                std::uint32_t background) {
  int first = kWidth;
  int last = -1;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    if ((pixels[i] & 0xFFFFFF) == (background & 0xFFFFFF)) continue;
    first = std::min(first, static_cast<int>(i % kWidth));
    last = std::max(last, static_cast<int>(i % kWidth));
  }
  return {first, last};
}

TEST_F(RStaticTextTest, AlignmentPlacesTheText) {
  SkinTextStyle style{u"Title", RGB(255, 255, 255), 0, 0, 14, TextAlign::kLeft};
  Show(style);
  const auto [leftFirst, leftLast] = TextColumns(Drawn(), 0xFF204060);
  EXPECT_LE(leftFirst, 2);

  style.alignment = TextAlign::kCenter;
  Show(style);
  const auto [first, last] = TextColumns(Drawn(), 0xFF204060);
  EXPECT_NEAR(first, kWidth - 1 - last, 3);
  EXPECT_EQ(last - first, leftLast - leftFirst);

  // Too wide for the control: starts at the left edge and runs off.
  style.text = u"A title much too long for its control";
  Show(style);
  const auto [wideFirst, wideLast] = TextColumns(Drawn(), 0xFF204060);
  EXPECT_LE(wideFirst, 2);
  EXPECT_EQ(wideLast, kWidth - 1);
}

// A line's last letter keeps the anti-aliased edge that reaches past its
// advance: the text shows as far as when drawn with room to spare. (The
// motion editor's hint, in its font, in a control of its width.)
TEST_F(RStaticTextTest, TheLastLetterOfALineKeepsItsEdge) {
  constexpr int kLineWidth = 444;
  constexpr wchar_t kLine[] =
      L"Select the area for motion detection from the picture. The selected area will be";
  TestParent wide(kLineWidth + 20, 40, 0xFF204060);
  CRStaticText line;
  ASSERT_TRUE(line.CreateChild(wide.hwnd(), 2002, {0, 0, kLineWidth, kHeight}, WS_VISIBLE));
  const UniqueFont font = CreateSkinFont(13, FW_NORMAL);
  const SkinTextStyle style{ToU16(kLine), RGB(255, 255, 255), 0, 0, 14, TextAlign::kLeft};
  line.SetSkin(0, font.get(), wide.background(), &style);
  CMemCanvas spare;
  ASSERT_TRUE(spare.Create(nullptr, kLineWidth + 20, kHeight));
  std::fill_n(spare.Pixels(), (kLineWidth + 20) * kHeight, 0xFF204060);
  {
    SelectGuard select(spare.GetDC(), font.get());
    SetTextColor(spare.GetDC(), RGB(255, 255, 255));
    SetBkMode(spare.GetDC(), TRANSPARENT);
    RECT room{0, 0, kLineWidth + 20, kHeight};
    DrawTextW(spare.GetDC(), kLine, -1, &room, DT_NOCLIP);
  }
  GdiFlush();
  auto lastInk = [](const std::uint32_t* pixels, int width) {
    int last = -1;
    for (int i = 0; i < width * kHeight; ++i) {
      if ((pixels[i] & 0xFFFFFF) != 0x204060) last = std::max(last, i % width);
    }
    return last;
  };
  const std::vector<std::uint32_t> shown = controls_test::Drawn(line, kLineWidth, kHeight);
  const int spareLast = lastInk(spare.Pixels(), kLineWidth + 20);
  ASSERT_LT(spareLast, kLineWidth) << "the line must fit the control";
  EXPECT_EQ(lastInk(shown.data(), kLineWidth), spareLast);
}

TEST_F(RStaticTextTest, EmptyTextShowsOnlyTheBackground) {
  Show({u"", RGB(255, 255, 255), 0, 0, 14, TextAlign::kLeft});
  EXPECT_EQ(Drawn(), std::vector<std::uint32_t>(kWidth * kHeight, 0xFF204060));
}

TEST_F(RStaticTextTest, PictureLiesUnderTheText) {
  Show({u"", RGB(255, 255, 255), 0, 0, 14, TextAlign::kLeft}, kNinePatchNormal);
  EXPECT_EQ(Drawn(), std::vector<std::uint32_t>(kWidth * kHeight, kNormalPixel));
}

}  // namespace

#include <gtest/gtest.h>

#include "core/skin/scale.h"

namespace {

using skin::PixelRect;
using skin::Scale;

constexpr int kDpis[] = {96, 120, 144, 168, 192, 240};

// Neighbours stay neighbours: an edge shared in design pixels is shared
// after scaling, at every scale, so controls never overlap nor part.
TEST(SkinScale, RectanglesScaleByTheirEdges) {
  // The main window's tab strip: four tabs edge to edge.
  const PixelRect tabs[] = {
      {11, 48, 161, 85}, {161, 48, 311, 85}, {311, 48, 461, 85}, {461, 48, 611, 85}};
  for (int dpi : kDpis) {
    SCOPED_TRACE(dpi);
    const Scale scale(dpi);
    for (int i = 0; i + 1 < 4; ++i) EXPECT_EQ(scale.Px(tabs[i]).right, scale.Px(tabs[i + 1]).left);
    const PixelRect first = scale.Px(tabs[0]);
    EXPECT_EQ(first.left, scale.Px(11));
    EXPECT_EQ(first.bottom, scale.Px(85));
    // Within half a pixel of the exact product.
    EXPECT_LE(std::abs(first.right * 96 - 161 * dpi), 48);
  }
}

TEST(SkinScale, LengthsRoundToTheNearestPixelAndBack) {
  struct Case {
    int dpi, design, device;
  } cases[] = {{96, 622, 622},   {120, 622, 778},  {144, 622, 933}, {144, 587, 881},
               {192, 622, 1244}, {192, 587, 1174}, {240, 13, 33},   {144, 1, 2},
               {120, 1, 1},      {144, -3, -5},    {168, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.dpi << " " << c.design);
    const Scale scale(c.dpi);
    EXPECT_EQ(scale.Px(c.design), c.device);
  }
  // A measured length in design pixels is never shorter than measured.
  for (int dpi : kDpis) {
    const Scale scale(dpi);
    for (int device = 0; device < 400; ++device) {
      ASSERT_GE(scale.Px(scale.ToDesign(device)), device) << dpi << " " << device;
      ASSERT_LE(scale.Px(scale.ToDesign(device) - 1), device) << dpi << " " << device;
    }
  }
}

TEST(SkinScale, PicturesComeFromTheSetThatKeepsThemSharp) {
  struct Case {
    int dpi, ninePatch, plain;
  } cases[] = {{96, 143, 143},    {120, 143, 1143},  {144, 1143, 1143},
               {168, 1143, 2143}, {192, 2143, 2143}, {240, 2143, 2143}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dpi);
    const Scale scale(c.dpi);
    EXPECT_EQ(scale.NinePatchPicture(143), c.ninePatch);
    EXPECT_EQ(scale.PlainPicture(143), c.plain);
    // A nine-patch picture's fixed parts reach the exact scale: the
    // window's 40-pixel title band, drawn at its set's scale, is 40
    // pixels scaled.
    const int setPercent = 100 + c.ninePatch / 1000 * 50;
    EXPECT_EQ(scale.NinePatchFixedScale().Of(40 * setPercent / 100), scale.Px(40));
  }
  EXPECT_EQ(Scale(0), Scale(96));
}

}  // namespace

#include "core/skin/alpha_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

TEST(AlphaText, CoverageBecomesPremultipliedColour) {
  struct Case {
    std::uint32_t rendered;
    skin::Rgb color;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {0x00000000, {214, 223, 233}, 0x00000000},  // no coverage: fully transparent
      {0x00FFFFFF, {255, 0, 0}, 0xFFFE0000},      // full coverage keeps 255/256 of the colour
      {0x00808080, {214, 223, 233}, 0x806B6F74},
      {0x00C8C8C8, {0, 0, 0}, 0xC8000000},  // black text: only the alpha carries the glyph
      {0xFF0000C8, {0, 0, 0}, 0xC8000000},  // only the blue byte counts
  };
  std::vector<std::uint32_t> pixels;
  for (const Case& c : cases) pixels.push_back(c.rendered);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    SCOPED_TRACE(i);
    std::uint32_t pixel = cases[i].rendered;
    skin::TintCoverage({&pixel, 1}, cases[i].color);
    EXPECT_EQ(pixel, cases[i].expected);
  }
}

TEST(AlphaText, PlacementInTheTextRectangle) {
  struct Case {
    const char* name;
    int width;
    int height;
    bool centred;
    skin::TextOrigin expected;
  };
  const skin::PixelRect rect{10, 20, 110, 40};  // 100 x 20
  const Case cases[] = {
      {"left", 40, 14, false, {10, 23}},
      {"centred, even spare", 40, 14, true, {40, 23}},
      {"centred, odd spare rounds up", 41, 15, true, {40, 22}},
      {"wider than the rectangle starts at its left edge", 130, 14, true, {10, 23}},
      {"taller than the rectangle starts at its top", 40, 25, false, {10, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(skin::PlaceText(rect, c.width, c.height, c.centred), c.expected);
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "controls_support.h"
#include "win/controls/mem_canvas.h"
#include "win/controls/nine_patch.h"
#include "win/controls/picture_library.h"

namespace {

using namespace controls_test;

constexpr std::uint32_t kFill = 0xFF123456;  // an opaque canvas colour

// The picture's pixel at (x, y) as a premultiplied canvas pixel.
std::uint32_t PremultipliedAt(const LoadedPicture& picture, int x, int y) {
  const std::uint32_t pixel = picture.image.pixels[y * picture.image.width + x];
  const std::uint32_t a = pixel >> 24;
  const auto scale = [&](int shift) { return ((pixel >> shift & 0xFF) * a + 127) / 255; };
  return a << 24 | scale(16) << 16 | scale(8) << 8 | scale(0);
}

std::vector<std::uint32_t> Pixels(const CMemCanvas& canvas) {
  GdiFlush();
  return {canvas.Pixels(), canvas.Pixels() + canvas.GetWidth() * canvas.GetHeight()};
}

CMemCanvas& Filled(CMemCanvas& canvas, int width, int height, std::uint32_t pixel) {
  canvas.Create(nullptr, width, height);
  std::fill_n(canvas.Pixels(), width * height, pixel);
  return canvas;
}

TEST(PngResource, LoadsOnlyRealPictures) {
  const int decodes = skin::PictureDecodeCount();
  const std::optional<LoadedPicture> picture = CPictureLibrary::Load(kNinePatchOneMark);
  ASSERT_TRUE(picture);
  EXPECT_EQ(skin::PictureDecodeCount(), decodes + 1);
  EXPECT_EQ(picture->image.width, 10);
  EXPECT_EQ(picture->premultiplied.size(), picture->image.pixels.size());

  for (int id : {kMissing, kNotAPicture}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(CPictureLibrary::Load(id));
  }
}

TEST(PngResource, FailedDrawingLeavesTheCanvasUntouched) {
  CMemCanvas canvas;
  Filled(canvas, 12, 9, kFill);
  EXPECT_FALSE(CNinePatch::DrawPng(canvas, kMissing));
  EXPECT_FALSE(CNinePatch::DrawNinePatch(canvas, kMissing));
  EXPECT_FALSE(CNinePatch::DrawNinePatch(canvas, kNotAPicture));
  EXPECT_FALSE(CNinePatch::DrawNinePatch(canvas, kNinePatchThreeMarks));
  EXPECT_EQ(Pixels(canvas), std::vector<std::uint32_t>(12 * 9, kFill));

  CMemCanvas notCreated;
  EXPECT_FALSE(CNinePatch::DrawPng(notCreated, kPlainAlpha));
  EXPECT_FALSE(CNinePatch::DrawNinePatch(notCreated, kNinePatchOneMark));
}

TEST(PngResource, DrawPngKeepsAlphaAndFillsTheCanvas) {
  const std::optional<LoadedPicture> picture = CPictureLibrary::Load(kPlainAlpha);
  ASSERT_TRUE(picture);
  // At the picture's own size: an exact copy.
  CMemCanvas clear;
  ASSERT_TRUE(clear.Create(nullptr, 4, 3));
  ASSERT_TRUE(CNinePatch::DrawPng(clear, kPlainAlpha));
  const std::vector<std::uint32_t> pixels = Pixels(clear);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 4; ++x) {
      SCOPED_TRACE(testing::Message() << x << "," << y);
      EXPECT_PRED3(Near, pixels[y * 4 + x], PremultipliedAt(*picture, x, y), 1);
    }
  }
  EXPECT_EQ(pixels[0], 0u);          // transparent
  EXPECT_EQ(pixels[1] >> 24, 128u);  // half transparent
  EXPECT_EQ(pixels[2] >> 24, 255u);  // opaque

  // Over an opaque canvas the transparent pixel keeps what was there.
  CMemCanvas filled;
  ASSERT_TRUE(CNinePatch::DrawPng(Filled(filled, 4, 3, kFill), kPlainAlpha));
  const std::vector<std::uint32_t> over = Pixels(filled);
  EXPECT_EQ(over[0], kFill);
  EXPECT_PRED3(Near, over[2], PremultipliedAt(*picture, 2, 0), 1);
  // The half transparent pixel lets half of the canvas show through.
  const std::uint32_t half = PremultipliedAt(*picture, 1, 0);
  std::uint32_t blended = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const std::uint32_t under = (kFill >> shift & 0xFF) * (255 - (half >> 24)) / 255;
    blended |= ((half >> shift & 0xFF) + under) << shift;
  }
  EXPECT_PRED3(Near, over[1], blended, 1);

  // A canvas of a larger scale is filled edge to edge: the transparent
  // corner stays the most transparent, the opaque rows stay opaque.
  CMemCanvas doubled;
  ASSERT_TRUE(doubled.Create(nullptr, 8, 6));
  ASSERT_TRUE(CNinePatch::DrawPng(doubled, kPlainAlpha));
  const std::vector<std::uint32_t> large = Pixels(doubled);
  EXPECT_LT(large[0] >> 24, 100u);
  for (int i = 3 * 8; i < 6 * 8; ++i) EXPECT_EQ(large[i] >> 24, 255u) << i;
}

// The picture position shown at each canvas position along one axis of
// np_one: inner pixels 1 .. last, the mark repeated `stretched` times.
std::vector<int> Shown(int mark, int last, int stretched) {
  std::vector<int> shown;
  for (int i = 1; i < mark; ++i) shown.push_back(i);
  shown.insert(shown.end(), stretched, mark);
  for (int i = mark + 1; i <= last; ++i) shown.push_back(i);
  return shown;
}

// Picture np_one: 10 x 7 with its frame, marks at column 4 and row 3.
TEST(PngResource, NinePatchStretchedWiderAndNarrower) {
  struct Case {
    int width;
    int height;
    std::vector<int> columns;  // picture column shown at each canvas x
    std::vector<int> rows;     // picture row shown at each canvas y
  };
  const Case cases[] = {
      {20, 9, Shown(4, 8, 13), Shown(3, 5, 5)},
      // The main window's size: a long stretch must not lose its first row.
      {622, 587, Shown(4, 8, 615), Shown(3, 5, 583)},
      // Smaller than the picture: the marked column and row vanish.
      {6, 4, {1, 2, 3, 5, 6, 7}, {1, 2, 4, 5}},
  };
  const std::optional<LoadedPicture> picture = CPictureLibrary::Load(kNinePatchOneMark);
  ASSERT_TRUE(picture);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
    CMemCanvas canvas;
    ASSERT_TRUE(
        CNinePatch::DrawNinePatch(Filled(canvas, c.width, c.height, kFill), kNinePatchOneMark));
    const std::vector<std::uint32_t> pixels = Pixels(canvas);
    int wrong = 0;
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        const std::uint32_t expected = PremultipliedAt(*picture, c.columns[x], c.rows[y]);
        if (!Near(pixels[y * c.width + x], expected, 1) && ++wrong <= 5) {
          ADD_FAILURE() << "at " << x << "," << y << ": " << std::hex << pixels[y * c.width + x]
                        << " instead of " << expected;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST(PngResource, NinePatchReportsItsContentRectangle) {
  CMemCanvas canvas;
  ASSERT_TRUE(canvas.Create(nullptr, 20, 9));
  RECT content{};
  ASSERT_TRUE(CNinePatch::DrawNinePatch(canvas, kNinePatchOneMark, &content));
  // Bottom run: columns 2..6 holding the mark at 4 (stretched to 13 pixels);
  // right run: rows 2..4 holding the mark at 3 (stretched to 5 pixels).
  EXPECT_EQ(content.left, 2);
  EXPECT_EQ(content.right, 2 + 5 + 13);
  EXPECT_EQ(content.top, 2);
  EXPECT_EQ(content.bottom, 2 + 3 + 5);
}

TEST(MemCanvas, ReleaseFreesItsDcAndBitmap) {
  CMemCanvas canvas;
  EXPECT_FALSE(canvas.Create(nullptr, 0, 5));
  ASSERT_TRUE(canvas.Create(nullptr, 8, 5));
  EXPECT_FALSE(canvas.Create(nullptr, 8, 5));  // already created
  const HDC dc = canvas.GetDC();
  const HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
  EXPECT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  EXPECT_EQ(Pixels(canvas), std::vector<std::uint32_t>(8 * 5, 0u));

  canvas.Release();
  EXPECT_FALSE(canvas.IsCreated());
  EXPECT_EQ(GetObjectType(dc), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
  EXPECT_TRUE(canvas.Create(nullptr, 3, 3));
}

}  // namespace

#pragma once
// Shared by the skinned-control tests: the test pictures, a top-level parent
// window that records what its children tell it, and pixel helpers.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "win/controls/mem_canvas.h"

namespace controls_test {

// Pictures of tests/win/test_pictures.rc.
enum PictureId : int {
  kMissing = 4999,
  kNinePatchOneMark = 5001,     // 10 x 7, marks at column 4 and row 3
  kNinePatchThreeMarks = 5002,  // three column marks: never drawn
  kPlainAlpha = 5003,           // 4 x 3
  kNotAPicture = 5004,
  kPlainNormal = 5010,  // 16 x 8 plain state pictures, left column transparent
  kPlainHover,
  kPlainPressed,
  kPlainSelected,
  kPlainDisabled,
  kNinePatchNormal = 5020,  // 5 x 5 nine-patch state pictures, one colour each
  kNinePatchHover,
  kNinePatchPressed,
  kNinePatchSelected,
  kNinePatchDisabled,
};

// The opaque colours of the state pictures, as canvas pixels.
constexpr std::uint32_t kNormalPixel = 0xFFC80000;
constexpr std::uint32_t kHoverPixel = 0xFF00C800;
constexpr std::uint32_t kPressedPixel = 0xFF0000C8;
constexpr std::uint32_t kSelectedPixel = 0xFFC8C800;
constexpr std::uint32_t kDisabledPixel = 0xFF808080;

struct Received {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// A visible top-level window at the screen's top-left corner, with a
// background canvas of its client size filled with one colour.
class TestParent {
 public:
  TestParent(int width, int height, std::uint32_t backgroundPixel);
  ~TestParent();
  TestParent(const TestParent&) = delete;
  TestParent& operator=(const TestParent&) = delete;

  HWND hwnd() const { return hwnd_; }
  HDC background() const { return background_.GetDC(); }
  // Mouse messages sent to this window, in order.
  const std::vector<Received>& mouse() const { return mouse_; }
  // Takes the WM_COMMAND messages posted to this window so far, without
  // dispatching anything else.
  std::vector<Received> TakeCommands();

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hwnd_ = nullptr;
  CMemCanvas background_;
  std::vector<Received> mouse_;
};

// A canvas of the given size holding what `draw` put on its DC.
template <typename Control>
std::vector<std::uint32_t> Drawn(Control& control, int width, int height) {
  CMemCanvas canvas;
  canvas.Create(nullptr, width, height);
  control.Draw(canvas.GetDC());
  GdiFlush();
  return {canvas.Pixels(), canvas.Pixels() + width * height};
}

// True when every byte of the two pixels differs by at most `tolerance`.
bool Near(std::uint32_t a, std::uint32_t b, int tolerance = 1);

}  // namespace controls_test

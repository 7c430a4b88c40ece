#include "controls_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "win/controls/picture_library.h"

namespace controls_test {
namespace {

// The picture library is the program's to open; in the tests this
// environment does it.
class PictureLibraryEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    library_ = std::make_unique<CPictureLibrary>();
  }
  void TearDown() override { library_.reset(); }

 private:
  std::unique_ptr<CPictureLibrary> library_;
};

[[maybe_unused]] testing::Environment* const pictures =
    testing::AddGlobalTestEnvironment(new PictureLibraryEnvironment);

constexpr wchar_t kClassName[] = L"ControlsTestParent";
constexpr DWORD kExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

}  // namespace

TestParent::TestParent(int width, int height, std::uint32_t backgroundPixel) {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc);
  }();
  (void)atom;
  hwnd_ = CreateWindowExW(kExStyle, kClassName, L"", WS_POPUP, 0, 0, width, height, nullptr,
                          nullptr, GetModuleHandleW(nullptr), this);
  // Shown without activation: Wine hands an activated window to the window
  // manager, and destroying it then waits for one that the test display
  // does not have.
  ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  background_.Create(nullptr, width, height);
  std::fill_n(background_.Pixels(), width * height, backgroundPixel);
}

TestParent::~TestParent() {
  DestroyWindow(hwnd_);
}

std::vector<Received> TestParent::TakeCommands() {
  std::vector<Received> commands;
  MSG msg;
  while (PeekMessageW(&msg, hwnd_, WM_COMMAND, WM_COMMAND, PM_REMOVE)) {
    commands.push_back({msg.message, msg.wParam, msg.lParam});
  }
  return commands;
}

LRESULT CALLBACK TestParent::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TestParent*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TestParent*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self != nullptr && (msg == WM_MOUSEMOVE || msg == WM_LBUTTONDOWN || msg == WM_LBUTTONUP)) {
    self->mouse_.push_back({msg, wParam, lParam});
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

bool Near(std::uint32_t a, std::uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int difference =
        static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
    if (std::abs(difference) > tolerance) return false;
  }
  return true;
}

}  // namespace controls_test

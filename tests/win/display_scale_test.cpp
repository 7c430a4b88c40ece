// The main window at the display scale of the Wine prefix it runs in: its
// size and a sample of control rectangles are the design values scaled,
// edge by edge. ctest runs this suite once per scale, each in a prefix of
// its own; R470_DISPLAY_DPI tells the scale that prefix was given.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "core/pages/additional_rows.h"
#include "core/pages/common_layout.h"
#include "core/pages/motion_cells.h"
#include "core/pages/normal_rows.h"
#include "core/pages/parking_rows.h"
#include "core/skin/scale.h"
#include "main_window_support.h"
#include "mode_page_fixture.h"
#include "resource_ids.h"
#include "win/controls/mem_canvas.h"
#include "win/controls/window_scale.h"
#include "win/pages/base_dialog.h"
#include "win/pages/motion_dlg.h"

namespace {

using namespace main_window_test;

skin::Scale PrefixScale() {
  const char* dpi = std::getenv("R470_DISPLAY_DPI");
  return skin::Scale(dpi != nullptr ? std::atoi(dpi) : skin::Scale::kDesignDpi);
}

// `window`'s rectangle in the client coordinates of `main`.
RECT RectIn(HWND main, HWND window) {
  RECT rc{};
  GetWindowRect(window, &rc);
  MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void ExpectNear(const RECT& got, const RECT& want) {
  EXPECT_NEAR(got.left, want.left, 1);
  EXPECT_NEAR(got.top, want.top, 1);
  EXPECT_NEAR(got.right, want.right, 1);
  EXPECT_NEAR(got.bottom, want.bottom, 1);
}

// Rectangles in the main window's client area, design pixels: the
// window's own controls, and page controls on the unscrolled page (its
// origin is 11, 85). A control whose width follows its measured text has
// no right edge here.
struct Sample {
  int id;
  skin::PixelRect design;
};

const Sample kSamples[] = {
    {IDC_MAIN_TAB_COMMON, {11, 48, 161, 85}},
    {IDC_MAIN_TAB_ADDITIONAL, {461, 48, 611, 85}},
    {IDC_MAIN_CLOSE, {577, 0, 606, 26}},
    {IDC_MAIN_SAVE, {514, 546, 614, 575}},
    {IDC_COMMON_FRONT_BRIGHTNESS_LABEL, {36, 230, 0, 243}},
    {IDC_COMMON_CLOCK_DATE_PICKER, {61, 520, 151, 545}},
    {IDC_ADDITIONAL_PARTITION_A, {36, 465, 0, 490}},
};

// The page origin in the main window, and the samples there, at `scale`
// with the shown page scrolled down by `scrolled` device pixels (the
// hidden pages are not scrolled).
void ExpectLaidOutAt(HWND main, const skin::Scale& scale, int scrolled) {
  RECT client{};
  GetClientRect(main, &client);
  EXPECT_NEAR(client.right, scale.Px(622), 1);
  EXPECT_NEAR(client.bottom, scale.Px(587), 1);
  HWND page = GetParent(PageControl(main, IDC_COMMON_SPEED_KMH));
  ExpectNear(RectIn(main, page), DeviceRect({11, 85, 611, 522}, scale));
  for (const Sample& sample : kSamples) {
    SCOPED_TRACE(sample.id);
    HWND control = GetDlgItem(main, sample.id);
    const bool onPage = control == nullptr;
    if (onPage) control = PageControl(main, sample.id);
    ASSERT_NE(control, nullptr);
    RECT want = DeviceRect(sample.design, scale);
    if (onPage && IsWindowVisible(GetParent(control))) OffsetRect(&want, 0, -scrolled);
    const RECT got = RectIn(main, control);
    if (sample.design.right == 0) want.right = got.right;
    ExpectNear(got, want);
  }
}

using DisplayScale = CardFolderTest;

// The section titles of the four pages, as their tables list them.
std::vector<int> SectionTitles() {
  std::vector<int> ids;
  for (const auto& row : pages::common::kRows) {
    if (row.font == pages::common::Font::kTitle) ids.push_back(row.id);
  }
  for (const auto rows : {std::span<const pages::rows::PageRow>(pages::normal::kRows),
                          std::span<const pages::rows::PageRow>(pages::parking::kRows)}) {
    for (const auto& row : rows) {
      if (row.kind == pages::rows::RowKind::kTitle && row.shown) ids.push_back(row.id);
    }
  }
  for (const auto& row : pages::additional::kRows) {
    if (row.kind == pages::additional::Kind::kTitle) ids.push_back(row.id);
  }
  return ids;
}

// Every page's section titles show their text from the same x and are as
// wide as it, so the four pages line up and each separator starts the
// same gap after its title's text.
TEST_F(DisplayScale, SectionTitlesLineUpOnEveryPage) {
  const skin::Scale scale = PrefixScale();
  const std::vector<int> titles = SectionTitles();
  ASSERT_EQ(titles.size(), 9u + 4u + 8u + 4u);
  RunMainWindow(folder_, {[](HWND main) { return Pages(main).size() == 4; },
                          [&](HWND main) {
                            for (int id : titles) {
                              SCOPED_TRACE(id);
                              const HWND title = PageControl(main, id);
                              RECT rc = RectIn(GetParent(title), title);
                              EXPECT_EQ(rc.left, scale.Px(15));
                              EXPECT_EQ(SendMessageW(title, EM_GETMARGINS, 0, 0), 0);
                              const std::wstring text = WindowText(title);
                              const auto font =
                                  reinterpret_cast<HFONT>(SendMessageW(title, WM_GETFONT, 0, 0));
                              EXPECT_NEAR(rc.right - rc.left,
                                          CBaseDialog::CalcTextWidth(text, font), 1);
                            }
                            return true;
                          },
                          Command(IDC_MAIN_CANCEL)});
}

TEST_F(DisplayScale, TheWindowAndItsControlsAreTheDesignScaled) {
  const skin::Scale scale = PrefixScale();
  RunMainWindow(folder_, {[&](HWND main) {
                            EXPECT_EQ(WindowScale(main), scale) << "the prefix's scale";
                            ExpectLaidOutAt(main, scale, 0);
                            return true;
                          },
                          Command(IDC_MAIN_CANCEL)});
}

// Moved to a monitor of another scale, the window takes the rectangle
// Windows suggests and lays itself out for it; the edits, the shown page
// and how far it was scrolled stay, and Save writes what it would have.
TEST_F(DisplayScale, AMonitorOfAnotherScaleKeepsTheEditsAndThePlace) {
  const skin::Scale before = PrefixScale();
  const skin::Scale after(before.dpi() * 3 / 2);
  auto run = [&](bool moved) {
    RunMainWindow(folder_,
                  {[&](HWND main) {
                     SendMessageW(PageControl(main, IDC_COMMON_LANGUAGE_FRENCH), BM_CLICK, 0, 0);
                     SendMessageW(GetParent(PageControl(main, IDC_COMMON_SPEED_KMH)), WM_VSCROLL,
                                  SB_LINEDOWN, 0);
                     if (!moved) return true;
                     RECT suggested{40, 30, 40 + after.Px(622), 30 + after.Px(587)};
                     AdjustWindowRectEx(
                         &suggested, static_cast<DWORD>(GetWindowLongPtrW(main, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(GetWindowLongPtrW(main, GWL_EXSTYLE)));
                     SendMessageW(main, WM_DPICHANGED, MAKEWPARAM(after.dpi(), after.dpi()),
                                  reinterpret_cast<LPARAM>(&suggested));
                     return true;
                   },
                   [&](HWND main) {
                     if (!moved) return true;
                     HWND french = PageControl(main, IDC_COMMON_LANGUAGE_FRENCH);
                     EXPECT_TRUE(IsWindowVisible(french)) << "the Common page is still shown";
                     EXPECT_EQ(SendMessageW(french, BM_GETCHECK, 0, 0), BST_CHECKED);
                     const int scrolled = GetScrollPos(GetParent(french), SB_VERT);
                     EXPECT_EQ(scrolled, after.Px(80));
                     ExpectLaidOutAt(main, after, scrolled);
                     RECT window{};
                     GetWindowRect(main, &window);
                     EXPECT_EQ(window.left, 40);
                     EXPECT_EQ(window.top, 30);
                     return true;
                   },
                   Command(IDC_MAIN_SAVE)});
    return ReadAll(folder_ / "setup.cfg");
  };
  const std::string unmoved = run(false);
  EXPECT_EQ(run(true), unmoved);
}

// The motion editor's grid lines fill exactly the gaps between its cells,
// at every scale: no pixel of a gap beside a selected cell shows the white
// under the picture.
TEST_F(DisplayScale, TheMotionEditorsGridLinesFillTheGapsBetweenItsCells) {
  using pages::motion::CellRectOf;
  const skin::Scale scale = PrefixScale();
  ASSERT_TRUE(lang::LoadProgramLanguage(u"english"));
  CMotionDlg editor;
  editor.SelectAllCells();
  CMemCanvas shown;
  page_test::PopupScript::Start(L"Motion detection area", {[&](HWND window) {
                                  RECT client{};
                                  GetClientRect(window, &client);
                                  shown.Create(nullptr, client.right, client.bottom);
                                  SendMessageW(window, WM_PRINTCLIENT,
                                               reinterpret_cast<WPARAM>(shown.GetDC()), PRF_CLIENT);
                                  GdiFlush();
                                  PostMessageW(window, WM_COMMAND, IDC_MOTION_CANCEL, 0);
                                  return true;
                                }});
  editor.DoModal(nullptr);
  ASSERT_EQ(page_test::PopupScript::Finish(), 1);
  constexpr std::uint32_t kGridLine = 0xA3B5C6;
  auto rgb = [&](int x, int y) { return shown.Pixels()[y * shown.GetWidth() + x] & 0xFFFFFF; };
  for (auto picture : {pages::motion::Picture::kFront, pages::motion::Picture::kRear}) {
    for (int cell = 0; cell < pages::motion::kCellCount; ++cell) {
      SCOPED_TRACE(cell);
      const auto r = CellRectOf(picture, cell, scale);
      const auto next = CellRectOf(picture, cell % 4 == 3 ? cell : cell + 1, scale);
      const int y = (r.top + r.bottom) / 2;
      EXPECT_EQ(rgb(r.left - 1, y), kGridLine);
      for (int x = r.right; x < next.left; ++x) EXPECT_EQ(rgb(x, y), kGridLine) << x;
      EXPECT_EQ(rgb((r.left + r.right) / 2, r.top - 1), kGridLine);
    }
  }
}

// The time-zone list opens clear of its field, even with the field in the
// middle of the screen, where the list the system shows unasked fits
// neither above nor below (at 144 and 192 DPI it covered the field).
TEST_F(DisplayScale, TheZoneListOpensClearOfItsField) {
  RECT field{}, list{}, screen{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
  RunMainWindow(folder_, {[](HWND main) {
                            const HWND zones = PageControl(main, IDC_COMMON_TIME_ZONE_COMBO);
                            return SendMessageW(zones, CB_GETCOUNT, 0, 0) > 30;
                          },
                          [&](HWND main) {
                            const HWND zones = PageControl(main, IDC_COMMON_TIME_ZONE_COMBO);
                            RECT at{}, window{};
                            GetWindowRect(zones, &at);
                            GetWindowRect(main, &window);
                            const int middle = (screen.top + screen.bottom) / 2;
                            SetWindowPos(main, nullptr, window.left,
                                         window.top + middle - at.bottom, 0, 0,
                                         SWP_NOSIZE | SWP_NOZORDER);
                            SendMessageW(zones, CB_SHOWDROPDOWN, TRUE, 0);
                            GetWindowRect(zones, &field);
                            COMBOBOXINFO info{};
                            info.cbSize = sizeof(info);
                            GetComboBoxInfo(zones, &info);
                            GetWindowRect(info.hwndList, &list);
                            SendMessageW(zones, CB_SHOWDROPDOWN, FALSE, 0);
                            return true;
                          },
                          Command(IDC_MAIN_CANCEL)});
  EXPECT_TRUE(list.bottom <= field.top || list.top >= field.bottom)
      << "list " << list.top << ".." << list.bottom << ", field " << field.top << ".."
      << field.bottom;
  EXPECT_GE(list.top, screen.top);
  EXPECT_LE(list.bottom, screen.bottom);
  EXPECT_GT(list.bottom - list.top, 100) << "a list of some length";
}

}  // namespace

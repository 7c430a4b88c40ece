// The motion-area editor run modally and driven from inside its own loop
// with the clicks a user makes; what it shows is read back through
// WM_PRINTCLIENT.
#include "win/pages/motion_dlg.h"

#include <cstdint>
#include <vector>

#include "core/pages/motion_cells.h"
#include "mode_page_fixture.h"
#include "resource_ids.h"
#include "win/controls/mem_canvas.h"

namespace {

using page_test::PopupScript;
using page_test::PopupStep;
using pages::motion::PackCells;
using pages::motion::UnpackCells;

PopupStep ClickAt(int x, int y) {
  return [x, y](HWND editor) {
    SendMessageW(editor, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(editor, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    return true;
  };
}

// A press and release on one of the editor's skinned buttons.
PopupStep PressButton(int id) {
  return [id](HWND editor) {
    HWND button = GetDlgItem(editor, id);
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    return true;
  };
}

// The editor's picture as it would paint now, as 0xRRGGBB pixels.
std::vector<std::uint32_t> Shown(HWND editor) {
  CMemCanvas canvas;
  canvas.Create(nullptr, CMotionDlg::kWidth, CMotionDlg::kHeight);
  SendMessageW(editor, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.GetDC()), PRF_CLIENT);
  GdiFlush();
  std::vector<std::uint32_t> pixels(canvas.Pixels(),
                                    canvas.Pixels() + CMotionDlg::kWidth * CMotionDlg::kHeight);
  for (auto& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// Selected cells are tinted blue, the others grey.
bool LooksSelected(std::uint32_t rgb) {
  int red = (rgb >> 16) & 0xFF;
  int blue = rgb & 0xFF;
  return blue - red > 60;
}

class MotionEditor : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(lang::LoadProgramLanguage(u"english"));
    owner_ = CreateWindowExW(0, L"STATIC", L"editor owner", WS_POPUP, 100, 100, 600, 500, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  // Opens the editor with the masks given, performs `steps` on it and
  // returns DoModal's result; every step must have run.
  INT_PTR Run(std::int32_t front, std::int32_t rear, std::deque<PopupStep> steps) {
    editor_.frontCells = UnpackCells(front);
    editor_.rearCells = UnpackCells(rear);
    size_t count = steps.size();
    PopupScript::Start(ToWide(lang::Lang().GetLangText(u"IDS_STRING164")), std::move(steps));
    // A step that never finds the editor fails the test instead of hanging it.
    UINT_PTR watchdog = SetTimer(nullptr, 0, 15000, [](HWND, UINT, UINT_PTR, DWORD) {
      PostMessageW(GetActiveWindow(), WM_COMMAND, IDC_MOTION_CLOSE, 0);
    });
    INT_PTR result = editor_.DoModal(owner_);
    KillTimer(nullptr, watchdog);
    EXPECT_EQ(PopupScript::Finish(), static_cast<int>(count));
    return result;
  }

  HWND owner_ = nullptr;
  CMotionDlg editor_;
};

TEST_F(MotionEditor, SelectAllCellsSelectsBothPictures) {
  editor_.frontCells = UnpackCells(0x0123);
  editor_.rearCells = UnpackCells(0);
  editor_.SelectAllCells();
  EXPECT_EQ(PackCells(editor_.frontCells), 0x0FFF);
  EXPECT_EQ(PackCells(editor_.rearCells), 0x0FFF);
}

TEST_F(MotionEditor, ClicksToggleOnlyTheCellUnderThePointer) {
  // Front cells: x [26,74) [75,123) [124,172) [173,221); rear from x 241;
  // rows y [136,166) [167,197) [198,228).
  const struct {
    const char* name;
    int x, y;
    std::int32_t front, rear;  // the masks after the click, from none selected
  } cases[] = {
      {"front top-left corner", 26, 136, 0x0100, 0},
      {"front top-left cell's last pixel", 73, 165, 0x0100, 0},
      {"front top-right cell", 200, 150, 0x0800, 0},
      {"front bottom-left cell", 30, 227, 0x0001, 0},
      {"rear middle row, third column", 350, 180, 0, 0x0040},
      {"gap between the first two columns", 74, 150, 0, 0},
      {"gap between the first two rows", 40, 166, 0, 0},
      {"right of the front grid", 221, 150, 0, 0},
      {"left of the rear grid", 240, 150, 0, 0},
      {"above the grids", 100, 135, 0, 0},
      {"below the grids", 100, 228, 0, 0},
  };
  // One opening: each point is clicked twice, which toggles its cell on
  // and off again.
  std::deque<PopupStep> steps;
  for (const auto& c : cases) {
    auto expect = [this, &c](std::int32_t front, std::int32_t rear) -> PopupStep {
      return [this, &c, front, rear](HWND) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PackCells(editor_.frontCells), front);
        EXPECT_EQ(PackCells(editor_.rearCells), rear);
        return true;
      };
    };
    steps.push_back(ClickAt(c.x, c.y));
    steps.push_back(expect(c.front, c.rear));
    steps.push_back(ClickAt(c.x, c.y));
    steps.push_back(expect(0, 0));
  }
  steps.push_back(PressButton(IDC_MOTION_CONFIRM));
  EXPECT_EQ(Run(0, 0, std::move(steps)), IDOK);
}

TEST_F(MotionEditor, ConfirmKeepsAndEveryOtherEndingRestores) {
  // Top row of the front picture on, bottom-left of the rear; the clicks
  // switch the front top-right cell off, the rear one off and another on.
  const std::deque<PopupStep> edits = {ClickAt(200, 150), ClickAt(250, 210), ClickAt(420, 140)};
  const struct {
    const char* name;
    PopupStep ending;
    INT_PTR result;
    std::int32_t front, rear;
  } cases[] = {
      {"Confirm", PressButton(IDC_MOTION_CONFIRM), IDOK, 0x0700, 0x0800},
      {"Cancel", PressButton(IDC_MOTION_CANCEL), IDCANCEL, 0x0F00, 0x0001},
      {"close button", PressButton(IDC_MOTION_CLOSE), IDCANCEL, 0x0F00, 0x0001},
      {"Alt+F4", page_test::CloseBox(), IDCANCEL, 0x0F00, 0x0001},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::deque<PopupStep> steps = edits;
    steps.push_back([&](HWND) {
      // The edits show in the cells while the editor is open.
      EXPECT_EQ(PackCells(editor_.frontCells), 0x0700);
      EXPECT_EQ(PackCells(editor_.rearCells), 0x0800);
      return true;
    });
    steps.push_back(c.ending);
    EXPECT_EQ(Run(0x0F00, 0x0001, steps), c.result);
    EXPECT_EQ(PackCells(editor_.frontCells), c.front);
    EXPECT_EQ(PackCells(editor_.rearCells), c.rear);
  }
}

TEST_F(MotionEditor, EscapeKeepsTheEditorOpen) {
  bool openAfterEscape = false;
  INT_PTR result = Run(0x0FFF, 0x0FFF,
                       {ClickAt(30, 140), page_test::PressKey(VK_ESCAPE),
                        [&openAfterEscape](HWND editor) {
                          openAfterEscape = IsWindowVisible(editor) != FALSE;
                          return true;
                        },
                        PressButton(IDC_MOTION_CONFIRM)});
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(PackCells(editor_.frontCells), 0x0EFF);
}

// The editor's buttons by keyboard: Cancel has the focus when it opens,
// Tab moves it between Cancel and Confirm only, and Space or Enter
// presses the focused one.
TEST_F(MotionEditor, TabMovesBetweenItsButtonsAndSpaceOrEnterPresses) {
  const struct {
    const char* name;
    std::vector<WPARAM> keys;
    std::vector<int> focused;  // before each key
    INT_PTR result;
  } cases[] = {
      {"Space on Cancel", {VK_SPACE}, {IDC_MOTION_CANCEL}, IDCANCEL},
      {"Tab, Space on Confirm", {VK_TAB, VK_SPACE}, {IDC_MOTION_CANCEL, IDC_MOTION_CONFIRM}, IDOK},
      {"Tab twice, Enter on Cancel",
       {VK_TAB, VK_TAB, VK_RETURN},
       {IDC_MOTION_CANCEL, IDC_MOTION_CONFIRM, IDC_MOTION_CANCEL},
       IDCANCEL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> focused;
    std::deque<PopupStep> steps = {ClickAt(30, 140)};
    for (WPARAM key : c.keys) {
      steps.push_back([key, &focused](HWND) {
        const HWND focus = GetFocus();
        focused.push_back(GetDlgCtrlID(focus));
        PostMessageW(focus, WM_KEYDOWN, key, 1);
        PostMessageW(focus, WM_KEYUP, key, 0xC0000001);
        return true;
      });
    }
    EXPECT_EQ(Run(0x0FFF, 0x0FFF, steps), c.result);
    EXPECT_EQ(focused, c.focused);
    EXPECT_EQ(PackCells(editor_.frontCells), c.result == IDOK ? 0x0EFF : 0x0FFF);
  }
}

TEST_F(MotionEditor, ShowsEveryCellAsLastClicked) {
  std::vector<std::uint32_t> before, after;
  // Cell centres: front top-left and rear bottom-right.
  const int frontAt = 151 * CMotionDlg::kWidth + 50;
  const int rearAt = 213 * CMotionDlg::kWidth + 412;
  Run(0x0100, 0x0000,
      {[&](HWND editor) {
         before = Shown(editor);
         return true;
       },
       ClickAt(50, 151), ClickAt(412, 213),
       [&](HWND editor) {
         // Covering and uncovering the window repaints from this picture.
         after = Shown(editor);
         return true;
       },
       PressButton(IDC_MOTION_CANCEL)});
  ASSERT_EQ(before.size(), after.size());
  EXPECT_TRUE(LooksSelected(before[frontAt]));
  EXPECT_FALSE(LooksSelected(before[rearAt]));
  EXPECT_FALSE(LooksSelected(after[frontAt]));
  EXPECT_TRUE(LooksSelected(after[rearAt]));
  // Outside the cells nothing changed.
  EXPECT_EQ(before[100 * CMotionDlg::kWidth + 30], after[100 * CMotionDlg::kWidth + 30]);
}

TEST_F(MotionEditor, BuildsItselfAnewAtEveryOpening) {
  struct Seen {
    RECT client;
    std::wstring title;
    std::vector<RECT> children;
  };
  const int ids[] = {IDC_MOTION_TITLE,      IDC_MOTION_HINT,  IDC_MOTION_FRONT_LABEL,
                     IDC_MOTION_REAR_LABEL, IDC_MOTION_CLOSE, IDC_MOTION_CANCEL,
                     IDC_MOTION_CONFIRM};
  const RECT want[] = {{11, 7, 410, 27},     {11, 40, 455, 82}, {25, 105, 125, 125},
                       {240, 105, 340, 125}, {418, 1, 448, 27}, {252, 268, 352, 297},
                       {356, 268, 456, 297}};
  for (int opening = 0; opening < 2; ++opening) {
    SCOPED_TRACE(opening);
    Seen seen{};
    EXPECT_EQ(Run(0, 0,
                  {[&](HWND editor) {
                     GetClientRect(editor, &seen.client);
                     seen.title = page_test::WindowText(editor);
                     for (int id : ids) {
                       RECT rc{};
                       GetWindowRect(GetDlgItem(editor, id), &rc);
                       MapWindowPoints(HWND_DESKTOP, editor, reinterpret_cast<POINT*>(&rc), 2);
                       seen.children.push_back(rc);
                     }
                     return true;
                   },
                   ClickAt(30, 140), PressButton(IDC_MOTION_CONFIRM)}),
              IDOK);
    EXPECT_EQ(seen.client.right, CMotionDlg::kWidth);
    EXPECT_EQ(seen.client.bottom, CMotionDlg::kHeight);
    EXPECT_EQ(seen.title, L"Motion detection area");
    ASSERT_EQ(seen.children.size(), std::size(want));
    for (size_t i = 0; i < std::size(want); ++i) {
      SCOPED_TRACE(ids[i]);
      EXPECT_TRUE(EqualRect(&seen.children[i], &want[i]));
    }
    EXPECT_EQ(PackCells(editor_.frontCells), 0x0100);
  }
}

// The hint is drawn over the background in lines that stay inside its
// rectangle: the pixels where it differs from the background are its text.
TEST_F(MotionEditor, TheHintFitsInEveryLanguage) {
  for (const char16_t* language : {u"english", u"french"}) {
    SCOPED_TRACE(text::ToUtf8(language));
    ASSERT_TRUE(lang::LoadProgramLanguage(language));
    std::vector<int> textRows;  // per pixel row of the hint: pixels that are text
    bool touchesRightEdge = false;
    RECT hint{};
    Run(0, 0,
        {[&](HWND editor) {
           HWND control = GetDlgItem(editor, IDC_MOTION_HINT);
           hint = page_test::RectIn(editor, control);
           RedrawWindow(editor, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
           std::vector<std::uint32_t> background = Shown(editor);
           HDC dc = GetDC(control);
           for (int y = 0; y < hint.bottom - hint.top; ++y) {
             int count = 0;
             for (int x = 0; x < hint.right - hint.left; ++x) {
               COLORREF shown = GetPixel(dc, x, y);
               std::uint32_t under =
                   background[(hint.top + y) * CMotionDlg::kWidth + hint.left + x];
               std::uint32_t shownRgb =
                   (GetRValue(shown) << 16) | (GetGValue(shown) << 8) | GetBValue(shown);
               if (shownRgb == under) continue;
               ++count;
               if (x >= hint.right - hint.left - 2) touchesRightEdge = true;
             }
             textRows.push_back(count);
           }
           ReleaseDC(control, dc);
           return true;
         },
         PressButton(IDC_MOTION_CANCEL)});
    ASSERT_FALSE(textRows.empty());
    EXPECT_EQ(textRows.front(), 0) << "cut off at the top";
    EXPECT_EQ(textRows.back(), 0) << "cut off at the bottom";
    EXPECT_FALSE(touchesRightEdge) << "runs past the right edge";
    int lines = 0;
    for (size_t y = 1; y < textRows.size(); ++y) {
      if (textRows[y] > 0 && textRows[y - 1] == 0) ++lines;
    }
    EXPECT_EQ(lines, 2);
  }
}

}  // namespace

// The Additional-functions page created from its template and driven with
// the messages a user's clicks produce; its drawing is read back through
// WM_PRINTCLIENT.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "core/pages/partition_shares.h"
#include "format_test_support.h"
#include "mode_page_fixture.h"
#include "resource_ids.h"
#include "win/controls/mem_canvas.h"
#include "win/pages/etc_dlg.h"

namespace {

using page_test::PopupScript;

// The page with a format that only counts.
class CountingEtcDlg : public CEtcDlg {
 public:
  CountingEtcDlg() : CEtcDlg([this](HWND owner) { formatOwners.push_back(owner); }) {}
  std::vector<HWND> formatOwners;
};

constexpr std::uint32_t kPageBackground = 0xFFFEFEFE;
constexpr std::uint32_t kSeparator = 0xA3B5C6;

const int kShareLabels[] = {1306, 1307, 1308, 1309, 1310};
const int kSharePercents[] = {1312, 1313, 1314, 1315, 1316};

class EtcPage : public page_test::PageTest<CountingEtcDlg> {
 protected:
  using Base = page_test::PageTest<CountingEtcDlg>;
  using Base::Checked;
  using Base::Click;
  using Base::Enabled;
  using Base::item;
  using Base::record;
  using Base::Rect;
  using Base::Shown;
  using Base::Text;

  void FillDefaults() {
    record().overwriteIncident = 1;
    record().overwriteParkingMotion = 0;
    record().overwriteParkingIncident = 1;
    record().overwriteManual = 0;
    record().overwriteStills = 1;
    record().securityLed = 1;
    record().memoryPartition = 1;
  }

  // What the page draws itself, over its background colour, including what
  // lies below the page area until it is scrolled into view.
  struct Drawing {
    CMemCanvas canvas;
    std::uint32_t Rgb(int x, int y) const {
      if (x < 0 || y < 0 || x >= canvas.GetWidth() || y >= canvas.GetHeight()) {
        ADD_FAILURE() << "outside the page: " << x << ", " << y;
        return 0;
      }
      return canvas.Pixels()[y * canvas.GetWidth() + x] & 0xFFFFFF;
    }
    bool Background(int x, int y) const { return Rgb(x, y) == (kPageBackground & 0xFFFFFF); }
  };
  std::unique_ptr<Drawing> Draw() {
    auto drawing = std::make_unique<Drawing>();
    RECT client{};
    GetClientRect(page_.hwnd(), &client);
    const int height = CBaseDialog::kPageHeight + 240;
    drawing->canvas.Create(nullptr, client.right, height);
    std::fill_n(drawing->canvas.Pixels(), client.right * height, kPageBackground);
    SendMessageW(page_.hwnd(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawing->canvas.GetDC()),
                 PRF_CLIENT);
    GdiFlush();
    return drawing;
  }

  // The drawn bars' lengths, measured along their middle rows from where
  // the first bar starts.
  std::vector<int> BarWidths(const Drawing& drawing) {
    const int left = Rect(IDC_ADDITIONAL_SHARE_CONTINUOUS_PERCENT).right + 10;
    const int top = Rect(IDC_ADDITIONAL_PARTITION_A).bottom + 10;
    std::vector<int> widths;
    for (int i = 0; i < 5; ++i) {
      const int y = top + 30 * i + 7;
      EXPECT_TRUE(drawing.Background(left - 1, y)) << "bar " << i << " starts early";
      int x = left;
      while (x < drawing.canvas.GetWidth() && !drawing.Background(x, y)) ++x;
      widths.push_back(x - left);
    }
    return widths;
  }

  std::vector<std::wstring> Percents() {
    std::vector<std::wstring> texts;
    for (int id : kSharePercents) texts.push_back(Text(id));
    return texts;
  }

  // Clicks Formatting while `steps` answer its question; how many ran.
  int AnswerFormatQuestion(std::deque<page_test::PopupStep> steps) {
    PopupScript::Start(ToWide(lang::Lang().GetLangText(u"IDS_STRING162")), std::move(steps));
    Click(IDC_ADDITIONAL_FORMAT_BUTTON);
    return PopupScript::Finish();
  }
};

TEST_F(EtcPage, ShowsTheRecordWithoutWritingIt) {
  const struct {
    int securityLed;
    int memoryPartition;
    std::vector<int> ticked;  // of the LED and partition radios
  } cases[] = {
      {1, 1, {IDC_ADDITIONAL_LED_MODE_1, IDC_ADDITIONAL_PARTITION_A}},
      {2, 2, {IDC_ADDITIONAL_LED_MODE_2, IDC_ADDITIONAL_PARTITION_B}},
      {3, 3, {IDC_ADDITIONAL_LED_MODE_3, IDC_ADDITIONAL_PARTITION_C}},
      {0, 0, {IDC_ADDITIONAL_LED_OFF, IDC_ADDITIONAL_PARTITION_A}},
      {4, 7, {IDC_ADDITIONAL_PARTITION_A}},  // no LED radio; A for anything unknown
      {-1, -3, {IDC_ADDITIONAL_PARTITION_A}},
  };
  const int radios[] = {IDC_ADDITIONAL_LED_MODE_1,  IDC_ADDITIONAL_LED_MODE_2,
                        IDC_ADDITIONAL_LED_MODE_3,  IDC_ADDITIONAL_LED_OFF,
                        IDC_ADDITIONAL_PARTITION_A, IDC_ADDITIONAL_PARTITION_B,
                        IDC_ADDITIONAL_PARTITION_C};
  FillDefaults();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << "LED " << c.securityLed << " partition " << c.memoryPartition);
    record().securityLed = c.securityLed;
    record().memoryPartition = c.memoryPartition;
    SettingsRecord before = record();
    page_.ShowRecord();
    for (int id : radios) {
      bool want = std::find(c.ticked.begin(), c.ticked.end(), id) != c.ticked.end();
      EXPECT_EQ(Checked(id), want) << id;
    }
    EXPECT_EQ(std::memcmp(&before, &record(), sizeof before), 0) << "showing wrote the record";
  }
}

TEST_F(EtcPage, OverwriteBoxesFollowTheirFields) {
  const struct {
    int id;
    std::int32_t SettingsRecord::*field;
  } boxes[] = {
      {IDC_ADDITIONAL_OVERWRITE_INCIDENT, &SettingsRecord::overwriteIncident},
      {IDC_ADDITIONAL_OVERWRITE_PARKING_MOTION, &SettingsRecord::overwriteParkingMotion},
      {IDC_ADDITIONAL_OVERWRITE_PARKING_INCIDENT, &SettingsRecord::overwriteParkingIncident},
      {IDC_ADDITIONAL_OVERWRITE_MANUAL, &SettingsRecord::overwriteManual},
      {IDC_ADDITIONAL_OVERWRITE_STILLS, &SettingsRecord::overwriteStills},
  };
  // Each box alone on, then each alone off: a box wired to a neighbour's
  // field shows up at once.
  for (int on : {1, 0}) {
    for (const auto& box : boxes) {
      SCOPED_TRACE(testing::Message() << box.id << (on ? " alone on" : " alone off"));
      for (const auto& other : boxes) record().*other.field = on ? 0 : 1;
      record().*box.field = on;
      page_.ShowRecord();
      for (const auto& other : boxes) {
        EXPECT_EQ(Checked(other.id), other.id == box.id ? on == 1 : on == 0) << other.id;
      }
    }
  }
  // Continuous recording always overwrites and cannot be changed; the
  // still-image box is never seen, yet follows its field.
  EXPECT_TRUE(Checked(IDC_ADDITIONAL_OVERWRITE_CONTINUOUS));
  EXPECT_FALSE(Enabled(IDC_ADDITIONAL_OVERWRITE_CONTINUOUS));
  EXPECT_FALSE(Shown(IDC_ADDITIONAL_OVERWRITE_STILLS));
  EXPECT_TRUE(Shown(IDC_ADDITIONAL_OVERWRITE_MANUAL));
}

TEST_F(EtcPage, ClicksWriteTheirFields) {
  FillDefaults();
  page_.ShowRecord();
  const struct {
    int id;
    std::int32_t SettingsRecord::*field;
    int want;
  } clicks[] = {
      {IDC_ADDITIONAL_OVERWRITE_INCIDENT, &SettingsRecord::overwriteIncident, 0},
      {IDC_ADDITIONAL_OVERWRITE_INCIDENT, &SettingsRecord::overwriteIncident, 1},
      {IDC_ADDITIONAL_OVERWRITE_PARKING_MOTION, &SettingsRecord::overwriteParkingMotion, 1},
      {IDC_ADDITIONAL_OVERWRITE_PARKING_INCIDENT, &SettingsRecord::overwriteParkingIncident, 0},
      {IDC_ADDITIONAL_OVERWRITE_MANUAL, &SettingsRecord::overwriteManual, 1},
      {IDC_ADDITIONAL_LED_MODE_3, &SettingsRecord::securityLed, 3},
      {IDC_ADDITIONAL_LED_OFF, &SettingsRecord::securityLed, 0},
      {IDC_ADDITIONAL_LED_MODE_2, &SettingsRecord::securityLed, 2},
      {IDC_ADDITIONAL_LED_MODE_1, &SettingsRecord::securityLed, 1},
      {IDC_ADDITIONAL_PARTITION_B, &SettingsRecord::memoryPartition, 2},
      {IDC_ADDITIONAL_PARTITION_C, &SettingsRecord::memoryPartition, 3},
      {IDC_ADDITIONAL_PARTITION_A, &SettingsRecord::memoryPartition, 1},
  };
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.id);
    SettingsRecord expected = record();
    expected.*c.field = c.want;
    Click(c.id);
    EXPECT_EQ(record().*c.field, c.want);
    EXPECT_EQ(std::memcmp(&expected, &record(), sizeof expected), 0) << "another field changed";
  }
  // The hidden box kept its value through every click.
  EXPECT_EQ(record().overwriteStills, 1);

  // Windows also tells the page of a radio that gets the focus by key,
  // unticked, as the Tab stop of a group with no radio ticked: that is no
  // choice, and the record keeps its value.
  record().securityLed = 5;
  page_.ShowRecord();
  SendMessageW(page_.hwnd(), WM_COMMAND, MAKEWPARAM(IDC_ADDITIONAL_LED_MODE_1, BN_CLICKED),
               reinterpret_cast<LPARAM>(item(IDC_ADDITIONAL_LED_MODE_1)));
  EXPECT_EQ(record().securityLed, 5);
  EXPECT_FALSE(Checked(IDC_ADDITIONAL_LED_MODE_1));
}

TEST_F(EtcPage, BarsAndPercentagesFollowThePartition) {
  const struct {
    int memoryPartition;
    std::vector<int> widths;
    std::vector<std::wstring> percents;
  } cases[] = {
      {1, {181, 60, 15, 8, 30}, {L"60.6%", L"20.0%", L"5.0%", L"3.0%", L"10.0%"}},
      {2, {108, 45, 15, 8, 120}, {L"36.3%", L"15.0%", L"5.0%", L"3.0%", L"40.0%"}},
      {3, {160, 45, 45, 15, 30}, {L"53.6%", L"15.0%", L"15.0%", L"5.0%", L"10.0%"}},
      {9, {181, 60, 15, 8, 30}, {L"60.6%", L"20.0%", L"5.0%", L"3.0%", L"10.0%"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.memoryPartition);
    record().memoryPartition = c.memoryPartition;
    page_.ShowRecord();
    EXPECT_EQ(BarWidths(*Draw()), c.widths);
    EXPECT_EQ(Percents(), c.percents);
  }
  // A click redraws at once, before anything is saved.
  Click(IDC_ADDITIONAL_PARTITION_B);
  EXPECT_EQ(record().memoryPartition, 2);
  EXPECT_EQ(BarWidths(*Draw()), (std::vector<int>{108, 45, 15, 8, 120}));
  EXPECT_EQ(Text(IDC_ADDITIONAL_SHARE_MANUAL_PERCENT), L"40.0%");
}

TEST_F(EtcPage, PaintsSeparatorsAndTheFirstTwoLedPatterns) {
  FillDefaults();
  page_.ShowRecord();
  auto drawing = Draw();
  for (int id :
       {IDC_ADDITIONAL_OVERWRITE_TITLE, IDC_ADDITIONAL_LED_TITLE, IDC_ADDITIONAL_PARTITION_TITLE}) {
    SCOPED_TRACE(id);
    RECT title = Rect(id);
    int y = title.top + (title.bottom - title.top) / 2;
    EXPECT_TRUE(drawing->Background(title.right - title.left + 26, y));
    EXPECT_EQ(drawing->Rgb(title.right - title.left + 27, y), kSeparator);
    EXPECT_EQ(drawing->Rgb(drawing->canvas.GetWidth() - 16, y), kSeparator);
    EXPECT_TRUE(drawing->Background(drawing->canvas.GetWidth() - 15, y));
  }
  // Mode 1 and 2 show a picture of lights beside them; Mode 3 and Disabled
  // show none.
  auto drawnBeside = [&](int radioId) {
    RECT radio = Rect(radioId);
    int drawn = 0;
    for (int y = radio.top + 5; y < radio.top + 5 + 16; ++y) {
      for (int x = radio.right + 15; x < radio.right + 15 + 231; ++x) {
        drawn += drawing->Background(x, y) ? 0 : 1;
      }
    }
    return drawn;
  };
  EXPECT_GT(drawnBeside(IDC_ADDITIONAL_LED_MODE_1), 100);
  EXPECT_GT(drawnBeside(IDC_ADDITIONAL_LED_MODE_2), 100);
  EXPECT_EQ(drawnBeside(IDC_ADDITIONAL_LED_OFF), 0);
}

TEST_F(EtcPage, LaysOutItsRowsAndReturnsToTheTop) {
  page_.ShowRecord();
  const struct {
    int id;
    int x, y, height;
  } homes[] = {
      {IDC_ADDITIONAL_OVERWRITE_TITLE, 15, 20, 14},
      {IDC_ADDITIONAL_OVERWRITE_CONTINUOUS, 25, 43, 25},
      {IDC_ADDITIONAL_OVERWRITE_MANUAL, 25, 143, 25},
      {IDC_ADDITIONAL_OVERWRITE_STILLS, 25, 168, 25},
      {IDC_ADDITIONAL_LED_TITLE, 15, 201, 14},
      {IDC_ADDITIONAL_LED_OFF, 25, 299, 25},
      {IDC_ADDITIONAL_LED_MODE_1_LABEL, 355, 231, 14},
      {IDC_ADDITIONAL_LED_MODE_3_LABEL, 110, 282, 14},
      {IDC_ADDITIONAL_PARTITION_B, 177, 380, 25},
      {IDC_ADDITIONAL_PARTITION_C, 309, 380, 25},
      {IDC_ADDITIONAL_SHARE_MANUAL_LABEL, 25, 538, 14},
      {IDC_ADDITIONAL_FORMAT_TITLE, 15, 588, 14},
      {IDC_ADDITIONAL_FORMAT_BUTTON, 25, 611, 25},
  };
  auto expectHome = [&] {
    for (const auto& h : homes) {
      SCOPED_TRACE(h.id);
      RECT rc = Rect(h.id);
      EXPECT_EQ(rc.left, h.x);
      EXPECT_EQ(rc.top, h.y);
      EXPECT_EQ(rc.bottom - rc.top, h.height);
    }
  };
  expectHome();

  // The percentages stand in one column, 30 pixels right of the widest
  // label's width.
  int widest = 0;
  for (int id : kShareLabels) widest = std::max<int>(widest, Rect(id).right - Rect(id).left);
  for (int id : kSharePercents) {
    SCOPED_TRACE(id);
    EXPECT_EQ(Rect(id).left, widest + 30);
    EXPECT_GE(Rect(id).right - Rect(id).left, 38);
    EXPECT_EQ(Rect(id).right, Rect(kSharePercents[0]).right);
  }

  // A window scrolls its content only while it can be seen.
  ShowWindow(parent_, SW_SHOWNOACTIVATE);
  ShowWindow(page_.hwnd(), SW_SHOWNOACTIVATE);
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(page_.hwnd(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, 240 + 437);
  for (int i = 0; i < 5; ++i) SendMessageW(page_.hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(Rect(IDC_ADDITIONAL_OVERWRITE_TITLE).top, 20 - 240) << "scrolls to its end only";
  // The bars scroll with the rows they belong to.
  Click(IDC_ADDITIONAL_PARTITION_C);
  EXPECT_EQ(BarWidths(*Draw()), (std::vector<int>{160, 45, 45, 15, 30}));
  page_.ShowRecord();
  EXPECT_EQ(GetScrollPos(page_.hwnd(), SB_VERT), 0);
  expectHome();
}

TEST_F(EtcPage, FitsItsTextsInEveryLanguage) {
  for (const char16_t* language : {u"english", u"french"}) {
    SCOPED_TRACE(text::ToUtf8(language));
    ASSERT_TRUE(lang::LoadProgramLanguage(language));
    page_.ShowRecord();
    RECT client{};
    GetClientRect(page_.hwnd(), &client);
    std::vector<int> shown;
    for (HWND child = GetWindow(page_.hwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
      if (Shown(GetDlgCtrlID(child))) shown.push_back(GetDlgCtrlID(child));
    }
    ASSERT_EQ(shown.size(), 30u) << "every row but the still-image box";
    for (int id : shown) {
      SCOPED_TRACE(id);
      std::wstring text = Text(id);
      HDC dc = GetDC(item(id));
      HGDIOBJ old =
          SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item(id), WM_GETFONT, 0, 0)));
      SIZE extent{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
      SelectObject(dc, old);
      ReleaseDC(item(id), dc);
      RECT rc = Rect(id);
      wchar_t className[16]{};
      GetClassNameW(item(id), className, 16);
      int room = rc.right - rc.left;
      if (lstrcmpiW(className, L"Edit") == 0) {
        DWORD margins = static_cast<DWORD>(SendMessageW(item(id), EM_GETMARGINS, 0, 0));
        room -= LOWORD(margins) + HIWORD(margins);
      } else {
        room -= GetSystemMetrics(SM_CXMENUCHECK);
      }
      EXPECT_GE(room, extent.cx) << "cut off: " << text::ToUtf8(U16(text));
      EXPECT_LE(rc.right, client.right) << "runs under the scroll bar";
      for (int other : shown) {
        RECT ro = Rect(other), overlap{};
        if (other > id) {
          EXPECT_FALSE(IntersectRect(&overlap, &rc, &ro)) << "overlaps " << other;
        }
      }
    }
    // The pictures keep clear of the texts beside them.
    EXPECT_LE(Rect(IDC_ADDITIONAL_LED_MODE_1).right + 15 + 231,
              Rect(IDC_ADDITIONAL_LED_MODE_1_LABEL).left);
    EXPECT_LE(Rect(IDC_ADDITIONAL_LED_MODE_2).right + 15 + 231,
              Rect(IDC_ADDITIONAL_LED_MODE_2_LABEL).left);
  }
}

TEST_F(EtcPage, AsksWithTheSystemsYesNoBoxAndFormatsOnlyAfterYes) {
  page_.ShowRecord();
  // A Yes/No box has no Cancel: closing it or pressing Escape does nothing
  // on Windows and ends it with IDCANCEL under Wine. A box still open is
  // then answered No.
  const struct {
    const char* name;
    page_test::PopupStep answer;
    size_t formats;
  } cases[] = {
      {"No", page_test::ClickButton(IDNO), 0},
      {"close box", page_test::CloseBox(), 0},
      {"Escape", page_test::PressKey(VK_ESCAPE), 0},
      // No is the default: a stray Enter never erases the card.
      {"Enter", page_test::PressKey(VK_RETURN), 0},
      {"Yes", page_test::ClickButton(IDYES), 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    page_.formatOwners.clear();
    std::wstring question;
    bool systemBox = false;
    HWND owner = nullptr;
    AnswerFormatQuestion({[&](HWND box) {
                            question = format_test::MessageBoxText(box);
                            auto shown = [box](int id) {
                              HWND button = GetDlgItem(box, id);
                              return button != nullptr && IsWindowVisible(button);
                            };
                            systemBox =
                                (GetWindowLongPtrW(box, GWL_STYLE) & WS_CAPTION) == WS_CAPTION &&
                                shown(IDYES) && shown(IDNO) && !shown(IDOK) && !shown(IDCANCEL);
                            owner = GetWindow(box, GW_OWNER);
                            return true;
                          },
                          c.answer, page_test::ClickButton(IDNO)});
    EXPECT_TRUE(systemBox) << "not a framed box with the system's Yes and No buttons only";
    EXPECT_EQ(owner, parent_) << "not owned by the page's window";
    EXPECT_EQ(question,
              L"Caution: All data will be deleted, if you format the memory card.\r\n"
              L"Select (Yes) to format or select (No) to cancel.\r\n");
    EXPECT_EQ(page_.formatOwners.size(), c.formats);
    if (c.formats == 1) {
      EXPECT_EQ(page_.formatOwners[0], page_.hwnd());
    }
  }
}

TEST_F(EtcPage, EscapeKeepsThePage) {
  FillDefaults();
  page_.ShowRecord();
  ShowWindow(parent_, SW_SHOW);
  ShowWindow(page_.hwnd(), SW_SHOW);
  SetFocus(item(IDC_ADDITIONAL_LED_MODE_2));

  SettingsRecord before = record();
  MSG escape{};
  escape.hwnd = item(IDC_ADDITIONAL_LED_MODE_2);
  escape.message = WM_KEYDOWN;
  escape.wParam = VK_ESCAPE;
  IsDialogMessageW(page_.hwnd(), &escape);
  EXPECT_TRUE(IsWindow(page_.hwnd()));
  EXPECT_EQ(std::memcmp(&before, &record(), sizeof before), 0);
}

}  // namespace

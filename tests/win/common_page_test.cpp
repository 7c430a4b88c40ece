// The Common page created from its template in a hidden window and driven
// with the messages its controls send, checked against the record, the
// clock globals and the controls' states.
#include <gtest/gtest.h>
#include <windows.h>
// The common controls' declarations need windows.h before them.
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "../core/timezone_test_data.h"
#include "core/diag/diagnostics.h"
#include "core/settings/clock_time.h"
#include "core/settings/settings_file.h"
#include "core/settings/settings_record.h"
#include "core/text/u16.h"
#include "resource_ids.h"
#include "win/lang/program_lang_resources.h"
#include "win/pages/common_dlg.h"
#include "win/platform/platform_seams.h"
#include "win/platform/wide.h"

namespace {

constexpr char16_t kLongName[] = u"Somewhere Far Away Standard Time (Islands)";
const tz::PcTimeZone kPcInTokyo{540, 0, u"Tokyo Standard Time", u"Tokyo Standard Time",
                                u"(Tokyo Standard Time)"};

// Registry biases (minutes west of UTC): Tokyo is -540.
tztest::FakeZones Zones() {
  tztest::FakeZones zones;
  zones.Add(u"Tokyo Standard Time", -540)
      .Add(u"Pacific Standard Time", 480)
      .Add(u"US Mountain Standard Time", 420)
      .Add(u"Mountain Standard Time", 420)
      .Add(kLongName, 600);
  return zones;
}

std::string NameField(const SettingsRecord& record) {
  return std::string(record.timeZoneName, strnlen(record.timeZoneName, 32));
}

SYSTEMTIME Time(WORD year, WORD month, WORD day, WORD hour, WORD minute, WORD second) {
  return {year, month, 0, day, hour, minute, second, 0};
}

class CommonPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::InstallWindowsSeams();
    ASSERT_TRUE(lang::LoadProgramLanguage(u"english"));
    savedClockSet_ = clockSet;
    savedClockTime_ = clockTime;
    clockSet = 0;
    clockTime = {};
    SettingsFile().LoadDefaults(record_);
    settingsRecord = &record_;
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 620, 480, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(parent_, nullptr);
  }

  void TearDown() override {
    page_.reset();
    DestroyWindow(parent_);
    settingsRecord = nullptr;
    clockSet = savedClockSet_;
    clockTime = savedClockTime_;
  }

  void Open(const tz::TimeZoneSource& zones = Zones(), const tz::PcTimeZone& pc = kPcInTokyo) {
    page_ = std::make_unique<CCommonDlg>(zones, [pc] { return pc; });
    ASSERT_TRUE(page_->Create(parent_));
  }
  void OpenAndShow() {
    Open();
    page_->ShowRecord();
  }

  HWND Item(int id) const { return GetDlgItem(page_->hwnd(), id); }
  bool Checked(int id) const { return IsDlgButtonChecked(page_->hwnd(), id) == BST_CHECKED; }
  bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
  int SliderPos(int id) const { return static_cast<int>(SendMessageW(Item(id), TBM_GETPOS, 0, 0)); }
  std::wstring Text(int id) const {
    wchar_t buffer[256] = {};
    GetWindowTextW(Item(id), buffer, 256);
    return buffer;
  }
  RECT Rect(int id) const {
    RECT rc{};
    GetWindowRect(Item(id), &rc);
    MapWindowPoints(nullptr, page_->hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
  }

  void Click(int id) { SendMessageW(Item(id), BM_CLICK, 0, 0); }
  void Drag(int id, int position) {
    SendMessageW(Item(id), TBM_SETPOS, TRUE, position);
    SendMessageW(page_->hwnd(), WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position),
                 reinterpret_cast<LPARAM>(Item(id)));
  }
  void PickZone(int index) {
    SendMessageW(Item(IDC_COMMON_TIME_ZONE_COMBO), CB_SETCURSEL, index, 0);
    SendMessageW(page_->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMON_TIME_ZONE_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(IDC_COMMON_TIME_ZONE_COMBO)));
  }
  void Pick(int picker, const SYSTEMTIME& time) {
    SendMessageW(Item(picker), DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    NMDATETIMECHANGE change{};
    change.nmhdr = {Item(picker), static_cast<UINT_PTR>(picker), DTN_DATETIMECHANGE};
    change.dwFlags = GDT_VALID;
    change.st = time;
    SendMessageW(page_->hwnd(), WM_NOTIFY, picker, reinterpret_cast<LPARAM>(&change));
  }
  SYSTEMTIME PickerTime(int picker) const {
    SYSTEMTIME st{};
    SendMessageW(Item(picker), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&st));
    return st;
  }
  int ZoneCount() const {
    return static_cast<int>(SendMessageW(Item(IDC_COMMON_TIME_ZONE_COMBO), CB_GETCOUNT, 0, 0));
  }
  int SelectedZone() const {
    return static_cast<int>(SendMessageW(Item(IDC_COMMON_TIME_ZONE_COMBO), CB_GETCURSEL, 0, 0));
  }
  // The list dropped down, an entry passed over with the keyboard, then
  // closed by a click elsewhere: it shows its old entry again.
  void BrowseZonesWithoutChoosing(int passedOver) {
    const HWND list = Item(IDC_COMMON_TIME_ZONE_COMBO);
    const int shown = SelectedZone();
    const auto notify = [&](int code) {
      SendMessageW(page_->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMON_TIME_ZONE_COMBO, code),
                   reinterpret_cast<LPARAM>(list));
    };
    notify(CBN_DROPDOWN);
    PickZone(passedOver);
    SendMessageW(list, CB_SETCURSEL, shown, 0);
    notify(CBN_CLOSEUP);
  }
  // The time-zone suffix of the time.dat that Save would write now.
  std::string ClockFileSuffix() {
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() /
        (L"common-page-" + std::to_wstring(GetCurrentProcessId()) + L".dat");
    const int wasSet = clockSet;
    clockSet = 1;
    clockTime = {2026, 12, 2, 8, 3, 59, 7, 0};
    SettingsFile().WriteClockFile(path.wstring());
    clockSet = wasSet;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    std::getline(in, line);
    in.close();
    std::filesystem::remove(path);
    return line.size() < 5 ? line : line.substr(line.size() - 5);
  }
  std::wstring SelectedZoneText() const {
    const HWND list = Item(IDC_COMMON_TIME_ZONE_COMBO);
    const LRESULT index = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return L"<none>";
    wchar_t buffer[600] = {};
    SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buffer));
    return buffer;
  }

  SettingsRecord record_{};
  HWND parent_ = nullptr;
  std::unique_ptr<CCommonDlg> page_;
  int savedClockSet_ = 0;
  SystemTime savedClockTime_{};
};

void ExpectTime(const SystemTime& t, int year, int month, int day, int hour, int minute,
                int second) {
  EXPECT_EQ(t.year, year);
  EXPECT_EQ(t.month, month);
  EXPECT_EQ(t.day, day);
  EXPECT_EQ(t.hour, hour);
  EXPECT_EQ(t.minute, minute);
  EXPECT_EQ(t.second, second);
}

}  // namespace

TEST_F(CommonPageTest, ShowRecordSetsTheControlsFromTheRecord) {
  struct Case {
    const char* name;
    std::function<void(SettingsRecord&)> stored;
    std::vector<int> ticked;
    std::vector<std::pair<int, int>> sliders;  // id, position
    std::vector<std::pair<int, bool>> enabled;
    std::function<void(const SettingsRecord&)> afterwards;
  } cases[] = {
      {"factory values",
       [](SettingsRecord&) {},
       {IDC_COMMON_VOICE_RECORDING_ON, IDC_COMMON_VOICE_GUIDANCE_ON, IDC_COMMON_SAFE_DRIVING_OFF,
        IDC_COMMON_DATE_FORMAT_YMD, IDC_COMMON_SPEED_KMH, IDC_COMMON_LANGUAGE_ENGLISH,
        IDC_COMMON_DST_ON},
       {{IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, 1}, {IDC_COMMON_VOLUME_SLIDER, 3}},
       {{IDC_COMMON_VOLUME_SLIDER, true}, {IDC_COMMON_VOICE_LEVEL_SLIDER, true}},
       [](const SettingsRecord& r) { EXPECT_EQ(r.voiceRecording, 1); }},
      {"voice recording 2 shows off and is stored as 0",
       [](SettingsRecord& r) { r.voiceRecording = 2; },
       {IDC_COMMON_VOICE_RECORDING_OFF},
       {},
       {{IDC_COMMON_VOICE_LEVEL_SLIDER, false}},
       [](const SettingsRecord& r) { EXPECT_EQ(r.voiceRecording, 0); }},
      {"voice guidance off disables the volume but shows it",
       [](SettingsRecord& r) {
         r.voiceGuidance = 0;
         r.volume = 5;
       },
       {IDC_COMMON_VOICE_GUIDANCE_OFF},
       {{IDC_COMMON_VOLUME_SLIDER, 5}},
       {{IDC_COMMON_VOLUME_SLIDER, false},
        {IDC_COMMON_SAFE_DRIVING_ON, false},
        {IDC_COMMON_SAFE_DRIVING_OFF, false}},
       [](const SettingsRecord& r) {
         EXPECT_EQ(r.voiceGuidance, 0);
         EXPECT_EQ(r.volume, 5);
       }},
      {"values out of range are shown as near as can be and kept",
       [](SettingsRecord& r) {
         r.frontBrightness = 7;
         r.volume = 0;
         r.safeDrivingVoice = 2;
         r.dateFormat = 2;
         r.speedUnit = 1;
         r.language = 1;
         r.daylightSaving = 5;
       },
       {IDC_COMMON_SAFE_DRIVING_OFF, IDC_COMMON_DATE_FORMAT_MDY, IDC_COMMON_SPEED_MPH,
        IDC_COMMON_LANGUAGE_FRENCH, IDC_COMMON_DST_ON},
       {{IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, 2}, {IDC_COMMON_VOLUME_SLIDER, 1}},
       {},
       [](const SettingsRecord& r) {
         EXPECT_EQ(r.frontBrightness, 7);
         EXPECT_EQ(r.volume, 0);
         EXPECT_EQ(r.safeDrivingVoice, 2);
         EXPECT_EQ(r.dateFormat, 2);
         EXPECT_EQ(r.daylightSaving, 5);
       }},
      {"hidden sliders follow the record",
       [](SettingsRecord& r) {
         r.rearBrightness = 2;
         r.voiceRecordingLevel = 3;
       },
       {},
       {{IDC_COMMON_REAR_BRIGHTNESS_SLIDER, 2}, {IDC_COMMON_VOICE_LEVEL_SLIDER, 3}},
       {},
       [](const SettingsRecord& r) { EXPECT_EQ(r.rearBrightness, 2); }},
  };
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsFile().LoadDefaults(record_);
    c.stored(record_);
    page_->ShowRecord();
    for (int id : c.ticked) EXPECT_TRUE(Checked(id)) << id;
    for (auto [id, position] : c.sliders) EXPECT_EQ(SliderPos(id), position) << id;
    for (auto [id, enabled] : c.enabled) EXPECT_EQ(Enabled(id), enabled) << id;
    for (const pages::common::RadioPair& pair : pages::common::kRadioPairs) {
      EXPECT_NE(Checked(pair.onId), Checked(pair.offId)) << "exactly one of " << pair.onId;
      for (int id : {pair.onId, pair.offId}) {
        EXPECT_EQ(GetWindowLongW(Item(id), GWL_STYLE) & BS_TYPEMASK, BS_AUTORADIOBUTTON) << id;
      }
    }
    c.afterwards(record_);
  }
}

TEST_F(CommonPageTest, ShowRecordLaysThePageOutInTheProgramsLanguage) {
  struct Case {
    const char16_t* language;
    const wchar_t* title;
    const wchar_t* enabled;
  } cases[] = {{u"english", L"Language", L"Enabled"}, {u"french", L"Langue", L"Activ\u00e9"}};
  Open();
  // Windows are only scrolled while they can be seen.
  ShowWindow(parent_, SW_SHOWNOACTIVATE);
  ShowWindow(page_->hwnd(), SW_SHOWNOACTIVATE);
  for (const Case& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.language));
    ASSERT_TRUE(lang::LoadProgramLanguage(c.language));
    // Scrolled down first: the layout starts again at the top.
    SendMessageW(page_->hwnd(), WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    page_->ShowRecord();

    EXPECT_EQ(Text(IDC_COMMON_LANGUAGE_TITLE), c.title);
    const RECT title = Rect(IDC_COMMON_LANGUAGE_TITLE);
    EXPECT_EQ(title.left, 15);
    EXPECT_EQ(title.top, 20);
    EXPECT_EQ(title.bottom - title.top, 14);
    EXPECT_EQ(Text(IDC_COMMON_DST_ON), c.enabled);
    const RECT radio = Rect(IDC_COMMON_DST_ON);
    // Six pixels a character and the box, or more where the letters are wider.
    const auto font =
        reinterpret_cast<HFONT>(SendMessageW(Item(IDC_COMMON_DST_ON), WM_GETFONT, 0, 0));
    EXPECT_EQ(radio.right - radio.left, std::max(6 * static_cast<int>(wcslen(c.enabled)) + 20,
                                                 CBaseDialog::CalcTextWidth(c.enabled, font) + 20));
    EXPECT_EQ(radio.top, 620);

    // Each slider starts where the label before it ends, and the label
    // after it where it ends.
    EXPECT_EQ(Rect(IDC_COMMON_FRONT_BRIGHTNESS_SLIDER).left,
              Rect(IDC_COMMON_FRONT_DARK_LABEL).right);
    EXPECT_EQ(Rect(IDC_COMMON_FRONT_LIGHT_LABEL).left,
              Rect(IDC_COMMON_FRONT_BRIGHTNESS_SLIDER).right);
    EXPECT_EQ(Rect(IDC_COMMON_VOLUME_SLIDER).left, Rect(IDC_COMMON_VOLUME_LABEL).right);
    EXPECT_EQ(Rect(IDC_COMMON_VOLUME_SLIDER).top, 340);

    // Nothing runs into its neighbour, whatever the language's text widths.
    for (const pages::common::Row& a : pages::common::kRows) {
      for (const pages::common::Row& b : pages::common::kRows) {
        RECT overlap{};
        const RECT ra = Rect(a.id);
        const RECT rb = Rect(b.id);
        if (a.id < b.id) {
          EXPECT_FALSE(IntersectRect(&overlap, &ra, &rb)) << a.id << " and " << b.id;
        }
      }
    }
    // Labels show their whole text inside the edit control's margins.
    for (const pages::common::Row& row : pages::common::kRows) {
      if (row.placement != pages::common::Placement::kFittedLabel) continue;
      const HWND label = Item(row.id);
      const auto labelFont = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
      const DWORD margins = static_cast<DWORD>(SendMessageW(label, EM_GETMARGINS, 0, 0));
      RECT client{};
      GetClientRect(label, &client);
      EXPECT_LE(
          CBaseDialog::CalcTextWidth(Text(row.id), labelFont) + LOWORD(margins) + HIWORD(margins),
          client.right)
          << row.id;
    }
    for (int id : pages::common::kHiddenIds) EXPECT_FALSE(IsWindowVisible(Item(id))) << id;

    EXPECT_EQ(GetScrollPos(page_->hwnd(), SB_VERT), 0);

    // Scrolling ends where the content does.
    for (int i = 0; i < 10; ++i) SendMessageW(page_->hwnd(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(Rect(IDC_COMMON_LANGUAGE_TITLE).top, 20 - (pages::common::kContentHeight - 437));
  }
  ASSERT_TRUE(lang::LoadProgramLanguage(u"english"));
}

TEST_F(CommonPageTest, DateFormatRadiosEndInTodaysDate) {
  OpenAndShow();
  SYSTEMTIME today{};
  GetLocalTime(&today);
  wchar_t ymd[16];
  swprintf(ymd, 16, L"%04d-%02d-%02d", today.wYear, today.wMonth, today.wDay);
  const std::wstring text = Text(IDC_COMMON_DATE_FORMAT_YMD);
  EXPECT_EQ(text, std::wstring(L"yyyy-MM-dd   e.g.) ") + ymd);
  EXPECT_TRUE(Text(IDC_COMMON_DATE_FORMAT_MDY).starts_with(L"MMM-dd-yyyy   e.g.) "));
}

TEST_F(CommonPageTest, ZoneListShowsTheCatalogueAndTheStoredZone) {
  struct Case {
    const char* storedName;
    std::int32_t storedOffset;
    const wchar_t* wantSelected;
    const char* wantName;
    std::int32_t wantOffset;
  } cases[] = {
      {"Pacific Standard Time", -480, L"(Pacific Standard Time)", "Pacific Standard Time", -480},
      {"Pacific Standard Time", -420, L"(Mountain Standard Time)", "Pacific Standard Time", -420},
      {"Foo Standard Time", 540, L"(Tokyo Standard Time)", "Foo Standard Time", 540},
      {"Foo Standard Time", -480, L"(Pacific Standard Time)", "Foo Standard Time", -480},
      {"", 0, L"(Tokyo Standard Time)", "Tokyo Standard Time", 540},
  };
  Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.storedName << " " << c.storedOffset);
    std::memset(record_.timeZoneName, 0, sizeof(record_.timeZoneName));
    std::strcpy(record_.timeZoneName, c.storedName);
    record_.timeZoneOffset = c.storedOffset;
    diag::CollectingSink sink;
    page_->ShowRecord();

    EXPECT_EQ(SendMessageW(Item(IDC_COMMON_TIME_ZONE_COMBO), CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(SelectedZoneText(), c.wantSelected);
    EXPECT_EQ(NameField(record_), c.wantName);
    EXPECT_EQ(record_.timeZoneOffset, c.wantOffset);
    EXPECT_EQ(std::ranges::count(sink.lines, u"TimeZone Read  [" + text::Ascii(c.storedName) +
                                                 u"] Bias[" + text::Dec(c.storedOffset) + u"]\n"),
              1);
  }
}

// The camera takes the PC's zone when its record has none; a zone the
// list leaves out is stood in for by a listed zone of its offset, or else
// listed itself, never by a zone of another offset.
TEST_F(CommonPageTest, ARecordWithoutZoneTakesThePcsZoneThoughTheListLeavesItOut) {
  struct Case {
    const char* name;
    tz::PcTimeZone pc;
    const wchar_t* wantShown;
    const char* wantName;
    std::int32_t wantOffset;
    int wantCount;
    const char* wantSuffix;
  } cases[] = {
      {"another zone of its offset is listed",
       {-420, 0, u"Mountain Standard Time (Mexico)", u"Mountain Standard Time (Mexico)",
        u"(UTC-07:00) Chihuahua"},
       L"(Mountain Standard Time)",
       "Mountain Standard Time",
       -420,
       5,
       "-0700"},
      {"no zone of its offset is listed",
       {-660, 0, u"UTC-11", u"UTC-11", u"(UTC-11:00) Coordinated Universal Time-11"},
       L"(UTC-11:00) Coordinated Universal Time-11",
       "UTC-11",
       -660,
       6,
       "-1100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsFile().LoadDefaults(record_);
    std::memset(record_.timeZoneName, 0, sizeof(record_.timeZoneName));
    record_.timeZoneOffset = 0;
    Open(Zones(), c.pc);
    page_->ShowRecord();

    EXPECT_EQ(SelectedZoneText(), c.wantShown);
    EXPECT_EQ(ZoneCount(), c.wantCount);
    EXPECT_EQ(NameField(record_), c.wantName);
    EXPECT_EQ(record_.timeZoneOffset, c.wantOffset);
    EXPECT_EQ(ClockFileSuffix(), c.wantSuffix);
  }
}

// A stored offset that no listed zone has is listed as it is stored and
// kept until the driver chooses another zone, and the driver can come back
// to it; showing the record again lists it once, and Initialize drops it.
TEST_F(CommonPageTest, AnOffsetNoZoneHasIsShownAndKeptUntilAnotherIsChosen) {
  std::memset(record_.timeZoneName, 0, sizeof(record_.timeZoneName));
  record_.timeZoneOffset = 123;
  OpenAndShow();
  EXPECT_EQ(SelectedZoneText(), L"(UTC+02:03)");
  EXPECT_EQ(SelectedZone(), 1);  // east to west: after Tokyo's UTC+09:00
  EXPECT_EQ(ZoneCount(), 6);
  EXPECT_EQ(NameField(record_), "");
  EXPECT_EQ(record_.timeZoneOffset, 123);
  EXPECT_EQ(ClockFileSuffix(), "+0203");

  BrowseZonesWithoutChoosing(0);
  EXPECT_EQ(record_.timeZoneOffset, 123);
  PickZone(0);
  EXPECT_EQ(NameField(record_), "Tokyo Standard Time");
  EXPECT_EQ(record_.timeZoneOffset, 540);
  PickZone(1);
  EXPECT_EQ(std::string(record_.timeZoneName, 32), std::string(32, '\0'));
  EXPECT_EQ(record_.timeZoneOffset, 123);

  page_->ShowRecord();
  EXPECT_EQ(ZoneCount(), 6);
  EXPECT_EQ(SelectedZoneText(), L"(UTC+02:03)");

  SettingsFile().LoadDefaults(record_);
  page_->ShowRecord();
  EXPECT_EQ(ZoneCount(), 5);
  EXPECT_EQ(SelectedZoneText(), L"(Pacific Standard Time)");
  EXPECT_EQ(ClockFileSuffix(), "-0800");
}

// An older camera's file keeps its length on Save, so the fields it lacks
// are shown disabled rather than promised.
TEST_F(CommonPageTest, FieldsBeyondAnOlderLayoutAreDisabled) {
  const int zone = IDC_COMMON_TIME_ZONE_COMBO, dst = IDC_COMMON_DST_ON,
            dateFormat = IDC_COMMON_DATE_FORMAT_MDY, speed = IDC_COMMON_SPEED_MPH,
            language = IDC_COMMON_LANGUAGE_FRENCH;
  struct Case {
    std::uint32_t length;
    std::vector<int> disabled;
  } cases[] = {{356, {zone, dst, dateFormat, speed, language}},
               {372, {zone, dst, dateFormat, speed, language}},
               {412, {dateFormat, speed, language}},
               {420, {language}},
               {432, {}},
               {0, {}}};  // no file: written whole
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    SettingsFile().LoadDefaults(record_);
    record_.checkSum = c.length;
    Open();
    page_->ShowRecord();
    for (int id : {zone, dst, dateFormat, speed, language, IDC_COMMON_VOLUME_SLIDER}) {
      const bool disabled = std::ranges::count(c.disabled, id) == 1;
      EXPECT_EQ(Enabled(id), !disabled) << id;
    }
  }
}

TEST_F(CommonPageTest, PickingAZoneStoresItsNameAndOffset) {
  OpenAndShow();
  diag::CollectingSink sink;
  PickZone(4);  // the westernmost: the long name at UTC-10
  EXPECT_EQ(NameField(record_), "Somewhere Far Away Standard Tim");
  EXPECT_EQ(record_.timeZoneName[31], '\0');
  EXPECT_EQ(record_.timeZoneOffset, -600);
  EXPECT_EQ(sink.lines, std::vector<std::u16string>{u"TimeZone [" + std::u16string(kLongName) +
                                                    u"] Bias[-600]\n"});

  PickZone(0);
  EXPECT_EQ(NameField(record_), "Tokyo Standard Time");
  EXPECT_EQ(std::string(record_.timeZoneName + 19, 13), std::string(13, '\0'));
  EXPECT_EQ(record_.timeZoneOffset, 540);
}

TEST_F(CommonPageTest, AnEmptyCatalogueLeavesTheZoneAlone) {
  std::memset(record_.timeZoneName, 0, sizeof(record_.timeZoneName));
  record_.timeZoneOffset = 0;
  Open(tztest::FakeZones());
  page_->ShowRecord();
  EXPECT_EQ(SendMessageW(Item(IDC_COMMON_TIME_ZONE_COMBO), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(SelectedZoneText(), L"<none>");
  PickZone(0);
  EXPECT_EQ(NameField(record_), "");
  EXPECT_EQ(record_.timeZoneOffset, 0);
}

TEST_F(CommonPageTest, SlidersWriteTheirPositions) {
  struct Case {
    int id;
    int position;
    std::int32_t SettingsRecord::*field;
  } cases[] = {
      {IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, 2, &SettingsRecord::frontBrightness},
      {IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, 0, &SettingsRecord::frontBrightness},
      {IDC_COMMON_VOLUME_SLIDER, 6, &SettingsRecord::volume},
      {IDC_COMMON_VOLUME_SLIDER, 1, &SettingsRecord::volume},
      {IDC_COMMON_REAR_BRIGHTNESS_SLIDER, 4, &SettingsRecord::rearBrightness},
      {IDC_COMMON_VOICE_LEVEL_SLIDER, 7, &SettingsRecord::voiceRecordingLevel},
  };
  OpenAndShow();
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.id << " at " << c.position);
    record_.*c.field = -1;
    Drag(c.id, c.position);
    EXPECT_EQ(record_.*c.field, c.position);
  }
}

TEST_F(CommonPageTest, RadiosWriteTheirFieldsAtOnce) {
  struct Case {
    int id;
    std::int32_t SettingsRecord::*field;
    std::int32_t value;
  } cases[] = {
      {IDC_COMMON_VOICE_RECORDING_OFF, &SettingsRecord::voiceRecording, 0},
      {IDC_COMMON_VOICE_RECORDING_ON, &SettingsRecord::voiceRecording, 1},
      {IDC_COMMON_SAFE_DRIVING_OFF, &SettingsRecord::safeDrivingVoice, 0},
      {IDC_COMMON_SAFE_DRIVING_ON, &SettingsRecord::safeDrivingVoice, 1},
      {IDC_COMMON_VOICE_GUIDANCE_OFF, &SettingsRecord::voiceGuidance, 0},
      {IDC_COMMON_VOICE_GUIDANCE_ON, &SettingsRecord::voiceGuidance, 1},
      {IDC_COMMON_DST_OFF, &SettingsRecord::daylightSaving, 0},
      {IDC_COMMON_DST_ON, &SettingsRecord::daylightSaving, 1},
      {IDC_COMMON_DATE_FORMAT_MDY, &SettingsRecord::dateFormat, 1},
      {IDC_COMMON_DATE_FORMAT_YMD, &SettingsRecord::dateFormat, 0},
      {IDC_COMMON_SPEED_MPH, &SettingsRecord::speedUnit, 1},
      {IDC_COMMON_SPEED_KMH, &SettingsRecord::speedUnit, 0},
      {IDC_COMMON_LANGUAGE_FRENCH, &SettingsRecord::language, 1},
      {IDC_COMMON_LANGUAGE_ENGLISH, &SettingsRecord::language, 0},
  };
  OpenAndShow();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    record_.*c.field = 1 - c.value;
    Click(c.id);
    EXPECT_TRUE(Checked(c.id));
    EXPECT_EQ(record_.*c.field, c.value);
  }
}

TEST_F(CommonPageTest, VoiceRadiosEnableTheirDependentControls) {
  OpenAndShow();
  Click(IDC_COMMON_VOICE_RECORDING_OFF);
  EXPECT_FALSE(Enabled(IDC_COMMON_VOICE_LEVEL_SLIDER));
  Click(IDC_COMMON_VOICE_RECORDING_ON);
  EXPECT_TRUE(Enabled(IDC_COMMON_VOICE_LEVEL_SLIDER));

  const int guidanceDependents[] = {IDC_COMMON_VOLUME_SLIDER, IDC_COMMON_SAFE_DRIVING_ON,
                                    IDC_COMMON_SAFE_DRIVING_OFF};
  Click(IDC_COMMON_VOICE_GUIDANCE_OFF);
  for (int id : guidanceDependents) EXPECT_FALSE(Enabled(id)) << id;
  Click(IDC_COMMON_VOICE_GUIDANCE_ON);
  for (int id : guidanceDependents) EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(CommonPageTest, ChoosingFrenchChangesTheRecordButNoText) {
  OpenAndShow();
  const std::wstring before = Text(IDC_COMMON_LANGUAGE_FRENCH);
  Click(IDC_COMMON_LANGUAGE_FRENCH);
  EXPECT_EQ(record_.language, 1);
  EXPECT_EQ(Text(IDC_COMMON_LANGUAGE_FRENCH), before);
  EXPECT_EQ(Text(IDC_COMMON_LANGUAGE_TITLE), L"Language");
}

const int kClockControls[] = {IDC_COMMON_CLOCK_DATE_PICKER, IDC_COMMON_CLOCK_TIME_PICKER,
                              IDC_COMMON_GET_CURRENT_TIME};

TEST_F(CommonPageTest, WithoutClockSettingThePickersLeaveClockTimeAlone) {
  clockTime = {2024, 2, 0, 29, 8, 9, 10, 0};
  OpenAndShow();
  EXPECT_FALSE(Checked(IDC_COMMON_CLOCK_SET_CHECK));
  for (int id : kClockControls) EXPECT_FALSE(Enabled(id)) << id;

  Pick(IDC_COMMON_CLOCK_DATE_PICKER, Time(2030, 6, 7, 1, 2, 3));
  Pick(IDC_COMMON_CLOCK_TIME_PICKER, Time(2030, 6, 7, 1, 2, 3));
  SendMessageW(page_->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_COMMON_GET_CURRENT_TIME, BN_CLICKED),
               reinterpret_cast<LPARAM>(Item(IDC_COMMON_GET_CURRENT_TIME)));
  EXPECT_EQ(clockSet, 0);
  ExpectTime(clockTime, 2024, 2, 29, 8, 9, 10);
}

TEST_F(CommonPageTest, ClockSettingShowsClockTimeInBothPickers) {
  clockSet = 1;
  clockTime = {2026, 12, 2, 8, 3, 59, 7, 0};
  OpenAndShow();
  EXPECT_TRUE(Checked(IDC_COMMON_CLOCK_SET_CHECK));
  for (int id : kClockControls) EXPECT_TRUE(Enabled(id)) << id;
  for (int picker : {IDC_COMMON_CLOCK_DATE_PICKER, IDC_COMMON_CLOCK_TIME_PICKER}) {
    const SYSTEMTIME shown = PickerTime(picker);
    EXPECT_EQ(shown.wYear, 2026);
    EXPECT_EQ(shown.wDay, 8);
    EXPECT_EQ(shown.wHour, 3);
    EXPECT_EQ(shown.wSecond, 7);
  }
}

TEST_F(CommonPageTest, TickingTakesTheDateAndTheTimeFromTheirPickers) {
  OpenAndShow();
  Pick(IDC_COMMON_CLOCK_DATE_PICKER, Time(2027, 3, 4, 12, 0, 0));
  Pick(IDC_COMMON_CLOCK_TIME_PICKER, Time(2020, 1, 1, 21, 22, 23));
  Click(IDC_COMMON_CLOCK_SET_CHECK);
  EXPECT_EQ(clockSet, 1);
  ExpectTime(clockTime, 2027, 3, 4, 21, 22, 23);
  for (int id : kClockControls) EXPECT_TRUE(Enabled(id)) << id;

  // While set, each picker writes its own half.
  Pick(IDC_COMMON_CLOCK_TIME_PICKER, Time(2001, 2, 3, 4, 5, 6));
  ExpectTime(clockTime, 2027, 3, 4, 4, 5, 6);
  Pick(IDC_COMMON_CLOCK_DATE_PICKER, Time(2028, 9, 10, 11, 12, 13));
  ExpectTime(clockTime, 2028, 9, 10, 4, 5, 6);

  Click(IDC_COMMON_CLOCK_SET_CHECK);
  EXPECT_EQ(clockSet, 0);
  for (int id : kClockControls) EXPECT_FALSE(Enabled(id)) << id;
  ExpectTime(clockTime, 2028, 9, 10, 4, 5, 6);
}

TEST_F(CommonPageTest, GetCurrentTimeFillsThePickersAndTheSetClock) {
  clockSet = 1;
  clockTime = {2001, 1, 1, 1, 1, 1, 1, 0};
  OpenAndShow();
  SYSTEMTIME now{};
  GetLocalTime(&now);
  Click(IDC_COMMON_GET_CURRENT_TIME);
  EXPECT_EQ(PickerTime(IDC_COMMON_CLOCK_DATE_PICKER).wYear, now.wYear);
  EXPECT_EQ(clockTime.year, now.wYear);
  EXPECT_EQ(clockTime.day, now.wDay);
  EXPECT_EQ(clockTime.hour, PickerTime(IDC_COMMON_CLOCK_TIME_PICKER).wHour);
}

TEST_F(CommonPageTest, EscapeKeepsThePage) {
  OpenAndShow();
  ShowWindow(parent_, SW_SHOW);
  MSG escape{};
  escape.hwnd = page_->hwnd();
  escape.message = WM_KEYDOWN;
  escape.wParam = VK_ESCAPE;
  IsDialogMessageW(page_->hwnd(), &escape);
  EXPECT_TRUE(IsWindow(page_->hwnd()));
}

// The separators and the volume scale are drawn by the page itself.
TEST_F(CommonPageTest, PaintsSeparatorsBesideTheVisibleTitles) {
  OpenAndShow();
  SetWindowPos(parent_, HWND_TOP, 0, 0, 620, 480, SWP_SHOWWINDOW);
  ShowWindow(page_->hwnd(), SW_SHOW);
  RedrawWindow(page_->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  HDC dc = GetDC(page_->hwnd());
  const RECT title = Rect(IDC_COMMON_LANGUAGE_TITLE);
  const int y = title.top + (title.bottom - title.top) / 2;
  EXPECT_EQ(GetPixel(dc, title.right - title.left + 40, y), RGB(163, 181, 198));
  EXPECT_NE(GetPixel(dc, title.right - title.left + 40, y + 3), RGB(163, 181, 198));
  ReleaseDC(page_->hwnd(), dc);
}

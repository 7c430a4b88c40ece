#include "web/api/page_views.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <optional>
#include <span>
#include <utility>
#include <vector>

#include "core/lang/lang_manager.h"
#include "core/pages/additional_rows.h"
#include "core/pages/common_clock.h"
#include "core/pages/common_fields.h"
#include "core/pages/common_layout.h"
#include "core/pages/common_paint_geometry.h"
#include "core/pages/common_zone.h"
#include "core/pages/normal_rows.h"
#include "core/pages/parking_rows.h"
#include "core/pages/partition_shares.h"
#include "core/settings/settings_record.h"
#include "core/text/u16.h"
#include "web/api/embedded_tables.h"
#include "web/api/json.h"

namespace web {
namespace {

using pages::common::CalendarDate;
namespace common = pages::common;
namespace rows = pages::rows;
namespace additional = pages::additional;

struct Mark {
  std::u16string text;
  int left;  // pixels from the slider's left edge
};

struct ShareBar {
  std::u16string text;
  std::u16string percent;
  int width;  // pixels
};

// One control of a page, whatever the table it comes from. Positions are
// the program's page pixels; the script lays rows of equal height side by
// side and keeps the program's indents and gaps.
struct Control {
  explicit Control(const char* controlKind) : kind(controlKind) {}

  // title, label, radio, check, slider, date, time, button, zones, shares,
  // note, picture (id: the picture's number)
  const char* kind;
  int id = 0;
  int x = 0;
  int y = 0;
  int width = 0;  // the program's width, or its estimate from the character count
  std::u16string text;
  std::u16string name;  // what a screen reader calls a control without text of its own
  bool bold = false;
  bool checked = false;
  bool enabled = true;
  int group = 0;           // radios: the record field they choose, as its offset
  std::u16string confirm;  // radios: the question asked before the choice is made
  int low = 0, high = 0, value = 0;
  std::u16string valueText;
  std::vector<Mark> marks;
  std::vector<std::u16string> options;  // zones
  std::vector<ShareBar> bars;
  const char* action = "";  // buttons: what the script does
};

std::u16string Text(std::u16string_view key) {
  return lang::Lang().GetLangText(key);
}

// The page's own texts, from a table that the program does not carry.
std::u16string PageText(std::u16string_view key) {
  return PageLang().GetLangText(key);
}

int FieldOffset(std::int32_t SettingsRecord::*field) {
  static const SettingsRecord probe{};
  return static_cast<int>(reinterpret_cast<const char*>(&(probe.*field)) -
                          reinterpret_cast<const char*>(&probe));
}

int EstimatedWidth(std::u16string_view text, int extra) {
  return 6 * static_cast<int>(text.size()) + extra;
}

// --- Common page -------------------------------------------------------

Control CommonControl(const common::Row& row, const CalendarDate& today,
                      const SettingsRecord& record, const common::ZoneList& zones) {
  Control c{""};
  c.id = row.id;
  c.x = row.x;
  c.y = row.y;
  c.width = row.width;
  c.text = common::RowText(row, Text, today);
  switch (row.placement) {
    case common::kFittedLabel:
      c.kind = row.font == common::kTitle ? "title" : "label";
      c.bold = row.font == common::kBold;
      c.width = EstimatedWidth(c.text, 5);
      break;
    case common::kPaddedLabel:
      c.kind = "label";
      c.width = EstimatedWidth(c.text, common::kLabelPadding);
      break;
    case common::kRadio: {
      const common::RadioPair& pair = *common::FindRadioPair(row.id);
      c.kind = "radio";
      c.width = common::RadioWidth(c.text);
      c.group = FieldOffset(pair.field);
      c.checked = common::TickedRadio(pair, record) == row.id;
      c.enabled = common::IsSaved(pair, record);
      break;
    }
    case common::kFixedText:  // the clock setting's check box
      c.kind = "check";
      c.checked = clockSet != 0;
      break;
    case common::kFixedItem: {
      const bool date = row.id == IDC_COMMON_CLOCK_DATE_PICKER;
      c.kind = date ? "date" : "time";
      c.name = PageText(date ? u"IDS_WEB_DATE" : u"IDS_WEB_TIME");
      c.enabled = clockSet != 0;
      // Cleared, the pickers show the present, which the script knows best.
      if (clockSet == 1) {
        const SystemTime& t = clockTime;
        c.valueText =
            date ? text::Dec(t.year) + u"-" + text::TwoDigits(t.month) + u"-" + text::TwoDigits(t.day)
                 : text::TwoDigits(t.hour) + u":" + text::TwoDigits(t.minute) + u":" + text::TwoDigits(t.second);
      }
      break;
    }
    case common::kWideButton:
      c.kind = "button";
      c.action = "now";
      c.enabled = clockSet != 0;
      break;
    case common::kZoneList:
      c.kind = "zones";
      c.width = EstimatedWidth(common::kZoneListSample, 0);
      for (const common::ZoneEntry& entry : zones.entries) c.options.push_back(entry.displayName);
      c.value = zones.selected;
      c.enabled = common::IsZoneSaved(record);
      break;
    case common::kSlider: {
      const auto* binding = std::find_if(std::begin(common::kSliders), std::end(common::kSliders),
                                         [&](const auto& s) { return s.id == row.id; });
      c.kind = "slider";
      c.low = binding->low;
      c.high = binding->high;
      c.value = record.*binding->field;
      c.valueText = text::Dec(c.value);
      if (row.id == IDC_COMMON_VOLUME_SLIDER) {
        int step = 1;
        for (const common::PageRect& cell : common::VolumeScaleCells({0, 0, row.width, 0})) {
          c.marks.push_back({text::Dec(step++), cell.left});
        }
      }
      // A pair's "off" radio disables the controls that depend on it.
      for (const common::RadioPair& pair : common::kRadioPairs) {
        for (int dependent : pair.dependents) {
          if (dependent == row.id && common::TickedRadio(pair, record) != pair.onId) {
            c.enabled = false;
          }
        }
      }
      break;
    }
  }
  return c;
}

std::vector<Control> CommonControls(const CalendarDate& today, const SettingsRecord& record,
                                    const common::ZoneList& zones) {
  std::vector<Control> controls;
  for (const common::Row& row : common::kRows) {
    controls.push_back(CommonControl(row, today, record, zones));
  }
  return controls;
}

// --- Continuous and Parking pages ---------------------------------------

std::vector<Control> ModeControls(std::span<const rows::PageRow> table,
                                  std::span<const rows::SliderScale> scales,
                                  const SettingsRecord& record) {
  std::vector<Control> controls;
  rows::RowRect previous;
  for (const rows::PageRow& row : table) {
    if (!row.shown || row.kind == rows::RowKind::kInert) continue;
    Control c{""};
    c.id = row.id;
    c.text = row.textKey ? Text(row.textKey) : u"";
    const rows::RowRect place = rows::PlaceRow(row, c.text.size(), 0, previous);
    previous = place;
    c.x = place.x;
    c.y = place.y;
    c.width = place.width;
    switch (row.kind) {
      case rows::RowKind::kTitle:
        c.kind = "title";
        break;
      case rows::RowKind::kSubLabel:
      case rows::RowKind::kBoldCaption:
        c.kind = "label";
        c.bold = true;
        break;
      case rows::RowKind::kCaption:
        c.kind = "label";
        break;
      case rows::RowKind::kRadio:
      case rows::RowKind::kWideRadio:
        c.kind = "radio";
        c.group = FieldOffset(row.binding.field);
        c.checked = rows::ShownTick(table, row, record).value_or(false);
        // Parking mode is switched off only once the driver confirmed it.
        if (row.id == IDC_PARKING_MODE_OFF && record.parkingMode != 0) {
          c.confirm = Text(u"IDS_STRING177") + u"\n" + Text(u"IDS_STRING1770");
        }
        break;
      case rows::RowKind::kSlider: {
        const auto* scale = std::find_if(scales.begin(), scales.end(),
                                         [&](const auto& s) { return s.sliderId == row.id; });
        c.kind = "slider";
        c.low = row.binding.low;
        c.high = row.binding.high;
        c.value = rows::ShownSliderPosition(row, record);
        c.valueText =
            rows::SliderValueText(row, scale == scales.end() ? nullptr : &*scale, c.value, u"h");
        if (scale != scales.end()) {
          for (const rows::ScaleText& mark : rows::LayOutScale(*scale, 0, row.width, 0)) {
            c.marks.push_back({std::u16string(mark.text), mark.left});
          }
        }
        // The motion sensitivity means nothing while motion detection is off.
        c.enabled = row.id != IDC_PARKING_MOTION_SENSITIVITY_SLIDER || record.motionDetection == 1;
        break;
      }
      case rows::RowKind::kInert:
        break;
    }
    controls.push_back(c);
  }
  return controls;
}

// --- Additional page ---------------------------------------------------

Control ShareControl(const SettingsRecord& record) {
  Control c{"shares"};
  c.x = additional::kShareLabelX;
  c.y = additional::kShareTop;
  const pages::partition::Shares& shares = pages::partition::SharesFor(record.memoryPartition);
  for (int kind = 0; kind < pages::partition::kShareKinds; ++kind) {
    c.bars.push_back({Text(additional::kShareRows[kind].textKey),
                      pages::partition::PercentText(shares[kind]),
                      pages::partition::BarWidth(shares[kind])});
  }
  return c;
}

std::vector<Control> AdditionalControls(const SettingsRecord& record) {
  std::vector<Control> controls;
  for (const additional::Row& row : additional::kRows) {
    Control c{""};
    c.id = row.id;
    c.x = row.x;
    c.y = row.y;
    c.text = Text(row.textKey);
    c.width = EstimatedWidth(c.text, 20);
    switch (row.kind) {
      case additional::Kind::kTitle:
        c.kind = "title";
        break;
      case additional::Kind::kFixedCheck:
        c.kind = "check";
        c.checked = true;
        c.enabled = false;
        break;
      case additional::Kind::kCheck:
        c.kind = "check";
        c.checked = additional::ShownTick(row, record);
        break;
      case additional::Kind::kHiddenCheck:
        continue;
      case additional::Kind::kRadio:
        c.kind = "radio";
        c.group = FieldOffset(row.field);
        c.checked = additional::ShownTick(row, record);
        break;
      case additional::Kind::kLabel:
        c.kind = "label";
        break;
      case additional::Kind::kButton: {
        // A browser cannot format the card: it says so and offers a copy of
        // the settings to put back afterwards.
        Control note{"note"};
        note.x = row.x;
        note.y = row.y;
        note.text = PageText(u"IDS_WEB_FORMAT_NOTE");
        controls.push_back(note);
        c.kind = "button";
        c.action = "copy";
        c.y = row.y + 40;
        c.text = PageText(u"IDS_WEB_KEEP_COPY");
        break;
      }
    }
    if (row.id == IDC_ADDITIONAL_FORMAT_TITLE) controls.push_back(ShareControl(record));
    controls.push_back(c);
    if (row.picture != 0) {
      Control picture{"picture"};
      picture.id = row.picture;
      picture.x = c.x + c.width + 15;
      picture.y = c.y;
      controls.push_back(picture);
    }
  }
  return controls;
}

// --- Names and writing ---------------------------------------------------

bool IsLabel(const Control& c) {
  return std::string_view(c.kind) == "label";
}

// Controls without text of their own are named by the label before them, or
// when labels stand on both sides of a slider (its ends, "Dark" and
// "Light"), by the bold label before those, or by their section's title.
void NameControls(std::vector<Control>& controls) {
  const Control* title = nullptr;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    Control& c = controls[i];
    if (std::string_view(c.kind) == "title") title = &c;
    const std::string_view kind = c.kind;
    if (!c.text.empty() || !c.name.empty() || kind == "shares" || kind == "picture") continue;
    const bool labelBefore = i > 0 && IsLabel(controls[i - 1]);
    const bool labelAfter = i + 1 < controls.size() && IsLabel(controls[i + 1]);
    if (labelBefore && !labelAfter) {
      c.name = controls[i - 1].text;
      continue;
    }
    for (std::size_t j = i; j-- > 0 && &controls[j] != title;) {
      if (IsLabel(controls[j]) && controls[j].bold) c.name = controls[j].text;
      if (!c.name.empty()) break;
    }
    if (c.name.empty() && title != nullptr) c.name = title->text;
  }
}

void WriteControl(Json& json, const Control& c) {
  json.Open('{').Key("kind").Ascii(c.kind).Key("id").Number(c.id).Key("x").Number(c.x);
  json.Key("width").Number(c.width).Key("text").Text(c.text).Key("name").Text(c.name);
  json.Key("bold").Flag(c.bold).Key("checked").Flag(c.checked).Key("enabled").Flag(c.enabled);
  json.Key("group").Number(c.group).Key("confirm").Text(c.confirm).Key("action").Ascii(c.action);
  json.Key("low").Number(c.low).Key("high").Number(c.high).Key("value").Number(c.value);
  json.Key("valueText").Text(c.valueText);
  json.Key("marks").Open('[');
  for (const Mark& mark : c.marks) {
    json.Open('{').Key("text").Text(mark.text).Key("left").Number(mark.left).Close('}');
  }
  json.Close(']').Key("options").Open('[');
  for (const std::u16string& option : c.options) json.Text(option);
  json.Close(']').Key("bars").Open('[');
  for (const ShareBar& bar : c.bars) {
    json.Open('{').Key("text").Text(bar.text).Key("percent").Text(bar.percent);
    json.Key("width").Number(bar.width).Close('}');
  }
  json.Close(']').Close('}');
}

// Sections begin at each title; within one, controls whose tops lie within
// a few pixels of the line's first stand on one line.
void WritePage(Json& json, std::vector<Control> controls) {
  constexpr int kSameLine = 10;
  NameControls(controls);
  json.Open('[');
  bool inSection = false;
  std::optional<int> lineTop;  // none before a section's first control
  for (const Control& c : controls) {
    if (std::string_view(c.kind) == "title") {
      if (inSection) json.Close(']').Close(']').Close('}');
      json.Open('{').Key("title").Text(c.text).Key("lines").Open('[').Open('[');
      inSection = true;
      lineTop.reset();
      continue;
    }
    if (!lineTop || std::abs(c.y - *lineTop) >= kSameLine) {
      if (lineTop) json.Close(']').Open('[');
      lineTop = c.y;
    }
    WriteControl(json, c);
  }
  if (inSection) json.Close(']').Close(']').Close('}');
  json.Close(']');
}

}  // namespace

SettingsPages::SettingsPages(const CTimeZoneInfoManager& zones, tz::PcTimeZone pcZone)
    : zones_(zones), pcZone_(std::move(pcZone)) {}

void SettingsPages::ShowRecord() {
  SettingsRecord& record = *settingsRecord;
  for (const common::RadioPair& pair : common::kRadioPairs) {
    if (pair.clickWhenShown) {
      record.*pair.field = common::TickedRadio(pair, record) == pair.onId ? 1 : 0;
    }
  }
  zoneList_ = common::BuildZoneList(
      zones_, [this] { return pcZone_; }, record);
}

std::string SettingsPages::View(const CalendarDate& today) const {
  const SettingsRecord& record = *settingsRecord;
  Json json;
  json.Open('[');
  WritePage(json, CommonControls(today, record, zoneList_));
  WritePage(json, ModeControls(pages::normal::kRows, pages::normal::kScales, record));
  WritePage(json, ModeControls(pages::parking::kRows, pages::parking::kScales, record));
  WritePage(json, AdditionalControls(record));
  json.Close(']');
  return json.str();
}

void SettingsPages::Click(Page page, int id, bool checked) {
  SettingsRecord& record = *settingsRecord;
  switch (page) {
    case Page::kCommon:
      if (const common::RadioPair* pair = common::FindRadioPair(id)) {
        record.*pair->field = id == pair->onId ? 1 : 0;
      }
      break;
    case Page::kContinuous:
      if (const rows::PageRow* row = rows::FindRow(pages::normal::kRows, id)) {
        rows::ApplyClick(*row, record);
      }
      break;
    case Page::kParking:
      if (const rows::PageRow* row = rows::FindRow(pages::parking::kRows, id)) {
        rows::ApplyClick(*row, record);
      }
      break;
    case Page::kAdditional:
      if (const additional::Row* row = additional::FindRow(id)) {
        additional::ApplyClick(*row, checked, record);
      }
      break;
  }
}

void SettingsPages::Slide(Page page, int id, int position) {
  SettingsRecord& record = *settingsRecord;
  if (page == Page::kCommon) {
    for (const common::SliderBinding& slider : common::kSliders) {
      if (slider.id == id) record.*slider.field = std::clamp(position, slider.low, slider.high);
    }
    return;
  }
  std::span<const rows::PageRow> table = page == Page::kParking
                                             ? std::span<const rows::PageRow>(pages::parking::kRows)
                                             : std::span<const rows::PageRow>(pages::normal::kRows);
  const rows::PageRow* row = rows::FindRow(table, id);
  if (row != nullptr && row->kind == rows::RowKind::kSlider) {
    rows::ApplySliderPosition(*row, std::clamp(position, row->binding.low, row->binding.high),
                              record);
  }
}

void SettingsPages::ChooseZone(int index) {
  if (common::ChooseZone(zoneList_, index, *settingsRecord)) zoneList_.selected = index;
}

void SettingsPages::EditClock(ClockEdit edit, bool ticked, const SystemTime& shown) {
  switch (edit) {
    case ClockEdit::kTick:
      clockSet = ticked ? 1 : 0;
      if (!ticked) return;
      common::TakeDate(clockTime, shown);
      common::TakeTimeOfDay(clockTime, shown);
      return;
    case ClockEdit::kDate:
      if (clockSet != 0) common::TakeDate(clockTime, shown);
      return;
    case ClockEdit::kTime:
      if (clockSet != 0) common::TakeTimeOfDay(clockTime, shown);
      return;
    case ClockEdit::kNow:
      if (clockSet != 0) clockTime = shown;
      return;
  }
}

}  // namespace web

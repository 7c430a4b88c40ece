#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/lang/lang_table.h"
#include "core/pages/common_date_example.h"
#include "core/pages/common_fields.h"
#include "core/pages/common_layout.h"
#include "core/pages/common_paint_geometry.h"
#include "core/text/u16.h"

using namespace pages::common;

namespace {

lang::CLangTable ShippedTable(const char* name) {
  std::ifstream file(std::string(PROJECT_SOURCE_DIR_PATH "/res/lang/") + name, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
  const auto* begin = reinterpret_cast<const std::byte*>(bytes.data());
  lang::CLangTable table;
  table.Parse({begin, bytes.size()});
  return table;
}

TextLookup LookupIn(const lang::CLangTable& table) {
  return [&table](std::u16string_view key) { return table.GetValue(std::nullopt, key, u"").text; };
}

bool IsHidden(int id) {
  return std::ranges::find(kHiddenIds, id) != std::end(kHiddenIds);
}

}  // namespace

TEST(CommonLayout, EveryControlIsPlacedOnceWithinThePageAndHiddenRowsNever) {
  std::set<int> placed;
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.id);
    EXPECT_TRUE(placed.insert(row.id).second) << "placed twice";
    EXPECT_FALSE(IsHidden(row.id));
    EXPECT_LE(row.y + row.height, kContentHeight);
    EXPECT_LE(row.x + row.width, 600);
    if (row.shiftedByTextOf != 0) {
      EXPECT_TRUE(placed.contains(row.shiftedByTextOf)) << "shifted by a later row";
      ASSERT_NE(FindRow(row.shiftedByTextOf), nullptr);
      EXPECT_NE(FindRow(row.shiftedByTextOf)->key, nullptr) << "shifted by a row without text";
    }
    const bool listsWidth = row.placement == Placement::kFixedText ||
                            row.placement == Placement::kFixedItem ||
                            row.placement == Placement::kSlider;
    EXPECT_EQ(listsWidth, row.width > 0);
  }
  EXPECT_EQ(FindRow(IDC_COMMON_REAR_BRIGHTNESS_SLIDER), nullptr);
}

TEST(CommonLayout, RadiosAndSlidersAreBoundToOneFieldEach) {
  std::set<int> ids;
  // Member pointers have no order: keep them in a list.
  std::vector<std::int32_t SettingsRecord::*> fields;
  const auto firstUse = [&fields](std::int32_t SettingsRecord::*field) {
    if (std::ranges::find(fields, field) != fields.end()) return false;
    fields.push_back(field);
    return true;
  };
  for (const RadioPair& pair : kRadioPairs) {
    SCOPED_TRACE(pair.onId);
    EXPECT_TRUE(ids.insert(pair.onId).second);
    EXPECT_TRUE(ids.insert(pair.offId).second);
    EXPECT_TRUE(firstUse(pair.field));
    for (int id : {pair.onId, pair.offId}) {
      // A radio is either laid out as a radio or one of the hidden rows.
      const Row* row = FindRow(id);
      EXPECT_TRUE(row != nullptr ? row->placement == Placement::kRadio : IsHidden(id));
      EXPECT_EQ(FindRadioPair(id), &pair);
    }
  }
  for (const SliderBinding& slider : kSliders) {
    SCOPED_TRACE(slider.id);
    EXPECT_TRUE(ids.insert(slider.id).second);
    EXPECT_TRUE(firstUse(slider.field));
    const Row* row = FindRow(slider.id);
    EXPECT_TRUE(row != nullptr ? row->placement == Placement::kSlider : IsHidden(slider.id));
    // Only the sliders the user sees get a range of their own.
    EXPECT_EQ(slider.setsRange, row != nullptr);
  }
  EXPECT_EQ(FindRadioPair(IDC_COMMON_CLOCK_SET_CHECK), nullptr);
}

TEST(CommonLayout, EveryTextExistsInBothLanguages) {
  for (const char* name : {"english.lang", "french.lang"}) {
    SCOPED_TRACE(name);
    const lang::CLangTable table = ShippedTable(name);
    std::vector<std::u16string> keys{kExampleKey};
    for (const Row& row : kRows) {
      if (row.key != nullptr) keys.emplace_back(row.key);
    }
    for (const std::u16string& key : keys) {
      const lang::CLangTable::Value value = table.GetValue(std::nullopt, key, u"");
      EXPECT_TRUE(value.found && !value.text.empty()) << text::ToUtf8(key);
    }
  }
}

TEST(CommonLayout, RowTextJoinsKeyExampleLeadAndDate) {
  const TextLookup fake = [](std::u16string_view key) { return u"<" + std::u16string(key) + u">"; };
  const CalendarDate date{2026, 12, 8};
  struct Case {
    int id;
    std::u16string want;
  } cases[] = {
      {IDC_COMMON_LANGUAGE_TITLE, u"<IDS_STRING193>"},
      {IDC_COMMON_DATE_FORMAT_YMD, u"<IDS_STRING187><IDS_STRING183>2026-12-08"},
      {IDC_COMMON_DATE_FORMAT_MDY, u"<IDS_STRING188><IDS_STRING183>Dec-08-2026"},
      {IDC_COMMON_CLOCK_SET_CHECK, u""},
      {IDC_COMMON_TIME_ZONE_COMBO, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    ASSERT_NE(FindRow(c.id), nullptr);
    EXPECT_EQ(RowText(*FindRow(c.id), fake, date), c.want);
  }
  const lang::CLangTable english = ShippedTable("english.lang");
  EXPECT_EQ(RowText(*FindRow(IDC_COMMON_DATE_FORMAT_YMD), LookupIn(english), date),
            u"yyyy-MM-dd   e.g.) 2026-12-08");
}

TEST(DateExample, WritesTheCLocaleFormats) {
  struct Case {
    CalendarDate date;
    const char16_t* yearMonthDay;
    const char16_t* monthNameDayYear;
  } cases[] = {
      {{2026, 12, 8}, u"2026-12-08", u"Dec-08-2026"},
      {{2027, 1, 1}, u"2027-01-01", u"Jan-01-2027"},
      {{2030, 5, 31}, u"2030-05-31", u"May-31-2030"},
      {{2026, 9, 15}, u"2026-09-15", u"Sep-15-2026"},
      {{2026, 13, 1}, u"2026-13-01", u"?-01-2026"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.yearMonthDay));
    EXPECT_EQ(DateExampleText(DateExample::kYearMonthDay, c.date), c.yearMonthDay);
    EXPECT_EQ(DateExampleText(DateExample::kMonthNameDayYear, c.date), c.monthNameDayYear);
    EXPECT_EQ(DateExampleText(DateExample::kNone, c.date), u"");
  }
}

TEST(CommonPaint, SeparatorRunsThroughTheTitleToTheRightMargin) {
  struct Case {
    PageRect title;
    int clientWidth;
    HorizontalLine want;
  } cases[] = {
      {{15, 20, 75, 34}, 583, {27, 87, 568}},
      {{15, 405, 110, 419}, 600, {412, 122, 585}},
      // Scrolled: the page coordinates of a title above the view.
      {{15, -60, 40, -47}, 583, {-54, 52, 568}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title.top);
    const HorizontalLine line = SeparatorBeside(c.title, c.clientWidth);
    EXPECT_EQ(line.y, c.want.y);
    EXPECT_EQ(line.fromX, c.want.fromX);
    EXPECT_EQ(line.toX, c.want.toX);
  }
}

TEST(CommonPaint, VolumeScaleSpreadsSixCellsUnderTheSlider) {
  const auto cells = VolumeScaleCells({137, 340, 437, 380});
  for (int k = 0; k < kVolumeSteps; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(cells[k].left, 147 + 55 * k);
    EXPECT_EQ(cells[k].right, cells[k].left + 100);
    EXPECT_EQ(cells[k].top, 380);
    EXPECT_EQ(cells[k].bottom, 392);
  }
  // Integer division: a 301-pixel slider spaces by 55 all the same.
  EXPECT_EQ(VolumeScaleCells({0, 0, 304, 40})[5].left, 10 + 5 * 55);
}

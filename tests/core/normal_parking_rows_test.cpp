// Wiring checks over the row tables of the Continuous and Parking pages: a
// fault here (an id bound twice, two radios of a group storing one value, a
// group that shows no tick or two, a misspelt text key) would otherwise only
// show as a wrong control on screen.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/lang/lang_table.h"
#include "core/pages/normal_rows.h"
#include "core/pages/parking_rows.h"
#include "core/text/u16.h"

namespace {

using namespace pages::rows;

struct PageTables {
  const char* name;
  std::span<const PageRow> rows;
  std::span<const SliderScale> scales;
};

class PageRowsTest : public testing::TestWithParam<PageTables> {};

TEST_P(PageRowsTest, EveryIdIsBoundOnceAndEveryScaleBelongsToASlider) {
  std::set<int> seen;
  for (const PageRow& row : GetParam().rows) EXPECT_TRUE(seen.insert(row.id).second) << row.id;
  for (const SliderScale& scale : GetParam().scales) {
    const PageRow* slider = FindRow(GetParam().rows, scale.sliderId);
    ASSERT_NE(slider, nullptr) << scale.sliderId;
    EXPECT_EQ(slider->kind, RowKind::kSlider);
  }
}

// The radios of a group store distinct values, and whatever the field holds,
// even a value no radio stands for, the visible radios show exactly one tick
// and the hidden ones at most one.
TEST_P(PageRowsTest, EveryGroupStoresDistinctValuesAndShowsOneTick) {
  static const SettingsRecord probe{};
  std::map<const void*, std::vector<const PageRow*>> groups;
  for (const PageRow& row : GetParam().rows) {
    if (row.kind == RowKind::kRadio || row.kind == RowKind::kWideRadio) {
      groups[&(probe.*row.binding.field)].push_back(&row);
    }
  }
  for (const auto& [field, radios] : groups) {
    SCOPED_TRACE("group of radio " + std::to_string(radios.front()->id));
    std::set<int> values;
    for (const PageRow* radio : radios) EXPECT_TRUE(values.insert(radio->binding.value).second);
    for (int stored = -2; stored <= 60; ++stored) {
      SettingsRecord record{};
      record.*radios.front()->binding.field = stored;
      int ticks = 0;
      for (const PageRow* radio : radios) {
        bool counted = radio->shown == radios.front()->shown;
        ticks += counted && ShownTick(GetParam().rows, *radio, record).value_or(false);
      }
      EXPECT_TRUE(radios.front()->shown ? ticks == 1 : ticks <= 1) << ticks << " for " << stored;
    }
  }
}

// Moving a slider and showing the record again puts it back where it was,
// for every position of its range; a table-driven slider has one entry per
// position.
TEST_P(PageRowsTest, SlidersRoundTripOverTheirRange) {
  const std::map<pages::SliderValueType, size_t> tableSizes = {
      {pages::SliderValueType::kStopTimerHours, std::size(pages::kStopTimerHours)},
      {pages::SliderValueType::kMotionSensitivity, std::size(pages::kMotionSensitivity)},
      {pages::SliderValueType::kVoltage12, std::size(pages::kVoltage12)},
      {pages::SliderValueType::kVoltage24, std::size(pages::kVoltage24)}};
  for (const PageRow& row : GetParam().rows) {
    if (row.kind != RowKind::kSlider) continue;
    SCOPED_TRACE(row.id);
    const Binding& b = row.binding;
    if (auto size = tableSizes.find(b.sliderType); size != tableSizes.end()) {
      EXPECT_EQ(static_cast<size_t>(b.high - b.low + 1), size->second);
    }
    for (int position = b.low; position <= b.high; ++position) {
      SettingsRecord record{};
      ApplySliderPosition(row, position, record);
      EXPECT_EQ(ShownSliderPosition(row, record), position);
    }
  }
}

TEST_P(PageRowsTest, TextKeysExistInBothLanguages) {
  for (const char* file : {"english.lang", "french.lang"}) {
    SCOPED_TRACE(file);
    std::ifstream in(std::string(PROJECT_SOURCE_DIR_PATH "/res/lang/") + file, std::ios::binary);
    std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    lang::CLangTable table;
    ASSERT_TRUE(table.Parse(std::as_bytes(std::span(bytes))));
    for (const PageRow& row : GetParam().rows) {
      if (row.textKey == nullptr) continue;
      auto value = table.GetValue(std::nullopt, row.textKey, u"");
      EXPECT_TRUE(value.found && !value.text.empty()) << text::ToUtf8(row.textKey);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, PageRowsTest,
    testing::Values(PageTables{"continuous", pages::normal::kRows, pages::normal::kScales},
                    PageTables{"parking", pages::parking::kRows, pages::parking::kScales}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(ModePageRows, ScaleNumbersFollowTheSliderWidth) {
  auto lefts = [](const SliderScale& scale, int right) {
    std::vector<int> xs;
    for (const ScaleText& t : LayOutScale(scale, 100, right, 200)) {
      EXPECT_EQ(t.top, 200);
      EXPECT_EQ(t.bottom, 212);
      xs.push_back(t.left);
    }
    return xs;
  };
  using V = std::vector<int>;
  const auto& scales = pages::parking::kScales;
  EXPECT_EQ(lefts(scales[0], 400), (V{110, 230, 380}));                      // f = (300 - 30) / 9
  EXPECT_EQ(lefts(scales[1], 400), (V{110, 247, 384}));                      // g = (300 - 25) / 2
  EXPECT_EQ(lefts(scales[2], 500), (V{110, 172, 234, 296, 358, 420, 482}));  // h = 375 / 6
  EXPECT_EQ(lefts(scales[3], 400), (V{85, 100, 262, 377}));                  // v = 290 / 7
  EXPECT_EQ(lefts(scales[4], 400), (V{85, 100, 262, 377}));
}

}  // namespace

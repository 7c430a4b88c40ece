#pragma once
// The controls of the two recording-mode pages (Continuous and Parking) as
// rows of data: where each control goes, which text it shows, whether it is
// shown, and which record field it shows and writes. The pages walk their
// table to lay themselves out, to show the record and to handle a click or a
// slider move, so every control is wired in exactly one place.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/pages/slider_tables.h"
#include "core/settings/settings_record.h"
#include "core/skin/scale.h"

namespace pages::rows {

using RecordField = std::int32_t SettingsRecord::*;

// What a row is; this fixes its font and how its size follows from its text
// (n is the number of characters of the text).
enum class RowKind {
  kTitle,        // section title: title font, as wide as its text (7n + 5 unmeasured) by 14
  kSubLabel,     // "Front" / "Rear" before a row of radios: bold font, 6n + 5 by 12
  kRadio,        // radio of a grid: normal font, the row's width by 25
  kWideRadio,    // radio as wide as its text: normal font, 6n + 20 by 25
  kCaption,      // text beside a slider: normal font, 6n + 5 by 14
  kBoldCaption,  // the same in the bold font
  kSlider,       // trackbar: the row's width by 35
  kInert,        // stays hidden where the template put it, without text
};

enum class FontKind { kTitle, kBold, kNormal, kNone };

FontKind FontOf(RowKind kind);

// When ShowRecord ticks a radio.
enum class Tick {
  kNever,      // left as it is: a hidden choice that the visible group does not show
  kWhenEqual,  // exactly when its field holds its value
  kOtherwise,  // when no kWhenEqual radio of the same field matches (the group's catch-all)
};

// What a control shows and what the user's action on it writes.
struct Binding {
  RecordField field = nullptr;  // a radio's group, a slider's value; nullptr: none
  int value = 0;                // the value a radio stands for
  Tick tick = Tick::kNever;
  bool writes = false;               // a click or a slider move stores into `field`...
  RecordField alsoWrites = nullptr;  // ...and into this field too (one frame rate for two cameras)
  int low = 0;                       // slider range
  int high = 0;
  SliderValueType sliderType = SliderValueType::kPosition;  // how positions map to values
};

// A radio that shows and writes `field`.
constexpr Binding Choice(RecordField field, int value, Tick tick) {
  return {field, value, tick, true};
}
// A radio that only shows `field`: clicking it writes nothing.
constexpr Binding Display(RecordField field, int value) {
  return {field, value, Tick::kWhenEqual, false};
}
// A frame-rate radio: one setting for both cameras.
constexpr Binding FrameRate(RecordField front, RecordField rear, int value, Tick tick) {
  return {front, value, tick, true, rear};
}
constexpr Binding Slider(RecordField field, int low, int high,
                         SliderValueType type = SliderValueType::kPosition) {
  return {field, 0, Tick::kNever, true, nullptr, low, high, type};
}

// A row's x when it starts at the right edge of the row before it (a slider
// after its left caption, the right caption after the slider).
inline constexpr int kRightOfPrevious = -1;

inline constexpr bool kShown = true;
inline constexpr bool kHidden = false;

struct PageRow {
  int id;
  RowKind kind;
  int x;  // page pixels, or kRightOfPrevious
  int y;
  int width;                // radios and sliders; rows sized by their text ignore it
  const char16_t* textKey;  // language key, nullptr for none
  bool shown;
  Binding binding{};
  int namedBy = 0;  // a slider's label, whose text screen readers hear as its name
};

struct RowRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  int right() const { return x + width; }
};

// Where `row` goes, given the length of its text, the width its text needs
// in the control's font (0 when unknown), and the place of the row before it
// in the table. A row sized by its text is as wide as the estimate from its
// character count or, where that would cut the text off, as it needs; a
// title is as wide as it needs.
RowRect PlaceRow(const PageRow& row, std::size_t textLength, int neededWidth,
                 const RowRect& previous);

const PageRow* FindRow(std::span<const PageRow> rows, int id);

// Whether ShowRecord ticks radio `row` for `record`; nullopt when it leaves
// the radio alone.
std::optional<bool> ShownTick(std::span<const PageRow> rows, const PageRow& row,
                              const SettingsRecord& record);

// A click on radio `row`: stores its value where its binding says.
void ApplyClick(const PageRow& row, SettingsRecord& record);

// The position slider `row` shows for `record`, and what moving it to
// `position` stores.
int ShownSliderPosition(const PageRow& row, const SettingsRecord& record);
void ApplySliderPosition(const PageRow& row, int position, SettingsRecord& record);

// The numbers drawn under a slider: each at the slider's left edge plus
// `steps` scale steps plus `offset` pixels, where one step is
// (slider width - widthLess) / divisions, rounded down. The slider is given
// in device pixels; `offset`, `widthLess` and the box are design pixels,
// scaled by `display`.
struct ScaleMark {
  std::u16string_view text;
  int steps;
  int offset;
};
struct SliderScale {
  int sliderId;
  int widthLess;
  int divisions;
  std::span<const ScaleMark> marks;
};
struct ScaleText {
  std::u16string_view text;
  int left, top, right, bottom;  // a 100 by 12 box under the slider, text left-aligned
};
// The impact-sensitivity scale (positions 1 to 10) under the slider of both pages.
inline constexpr ScaleMark kImpactScaleMarks[] = {{u"1", 0, 10}, {u"5", 4, 10}, {u"10", 9, 10}};
inline constexpr int kImpactScaleWidthLess = 30;
inline constexpr int kImpactScaleDivisions = 9;

std::vector<ScaleText> LayOutScale(const SliderScale& scale, int sliderLeft, int sliderRight,
                                   int sliderBottom, const skin::Scale& display = {});

// What a screen reader calls the control of `row`: the title of its
// section and its text, or the text of its label (pages/accessible_name.h).
// Empty for a label, whose text is its name.
std::u16string AccessibleName(std::span<const PageRow> rows, const PageRow& row,
                              const std::function<std::u16string(std::u16string_view)>& lookup);

// The value of slider `row` at `position` as the page shows it, for the
// driver who cannot see the slider: the hours followed by `hoursUnit`
// ("24 hours"), a voltage in volts ("11.6 V"), a step by the name its
// scale `scale` gives it ("MID"), any other position by its number.
std::u16string SliderValueText(const PageRow& row, const SliderScale* scale, int position,
                               std::u16string_view hoursUnit);

}  // namespace pages::rows

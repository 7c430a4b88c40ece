#include <gtest/gtest.h>

#include "core/pages/scroll_delta.h"
#include "core/pages/slider_tables.h"
#include "core/text/u16.h"

using pages::ScrollRequest;

TEST(ScrollBarDelta, ClampsAtBothEnds) {
  struct Case {
    const char* name;
    pages::ScrollState state;
    ScrollRequest request;
    int thumb;
    int want;
  } cases[] = {
      {"line up at the top", {0, 435, 80, 437}, ScrollRequest::kLineUp, 0, 0},
      {"line up near the top", {30, 435, 80, 437}, ScrollRequest::kLineUp, 0, -30},
      {"line down 30 before the end", {405, 435, 80, 437}, ScrollRequest::kLineDown, 0, 30},
      {"line down in the middle", {100, 435, 80, 437}, ScrollRequest::kLineDown, 0, 80},
      {"page down clamped", {100, 435, 80, 437}, ScrollRequest::kPageDown, 0, 335},
      {"page up clamped", {100, 435, 80, 437}, ScrollRequest::kPageUp, 0, -100},
      {"thumb drag", {100, 435, 80, 437}, ScrollRequest::kThumb, 250, 150},
      {"thumb past the end", {100, 435, 80, 437}, ScrollRequest::kThumb, 436, 335},
      {"end of scroll", {100, 435, 80, 437}, ScrollRequest::kOther, 0, 0},
      {"page that never scrolls", {0, 0, 80, 437}, ScrollRequest::kLineDown, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(pages::ScrollBarDelta(c.state, c.request, c.thumb), c.want);
  }
}

TEST(WheelDelta, OnlyWholeNotchesScroll) {
  pages::ScrollState mid{100, 435, 80, 437};
  EXPECT_EQ(pages::WheelDelta(mid, 120), -80);
  EXPECT_EQ(pages::WheelDelta(mid, -120), 80);
  EXPECT_EQ(pages::WheelDelta(mid, 30), 0);
  EXPECT_EQ(pages::WheelDelta(mid, -240), 0);
  EXPECT_EQ(pages::WheelDelta({0, 0, 80, 437}, -120), 0);
  EXPECT_EQ(pages::WheelDelta({20, 435, 80, 437}, 120), -20);
}

TEST(RevealDelta, MovesAsLittleAsItCanWithinTheRange) {
  struct Case {
    const char* name;
    pages::ScrollState state;
    int top, bottom;
    int want;
  } cases[] = {
      {"in view", {0, 435, 80, 437}, 100, 130, 0},
      {"below the fold", {0, 435, 80, 437}, 500, 525, 98},
      {"partly below", {0, 435, 80, 437}, 420, 445, 18},
      {"above the top", {200, 435, 80, 437}, -60, -35, -70},
      {"below, past the last offset", {400, 435, 80, 437}, 500, 525, 35},
      {"above, past the top", {5, 435, 80, 437}, -5, 20, -5},
      {"taller than the view", {0, 435, 80, 437}, 50, 600, 40},
      {"page that never scrolls", {0, 0, 80, 437}, 500, 525, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(pages::RevealDelta(c.state, c.top, c.bottom, 10), c.want);
  }
}

TEST(SliderTooltipText, ShowsTheStoredMeaning) {
  using T = pages::SliderValueType;
  struct Case {
    T type;
    int position;
    const char* want;
  } cases[] = {
      {T::kStopTimerHours, 6, "48"}, {T::kStopTimerHours, 0, "1"}, {T::kVoltage12, 0, "11.6"},
      {T::kVoltage12, 7, "12.3"},    {T::kVoltage24, 7, "24.6"},   {T::kVoltage24, 4, "24.0"},
      {T::kMotionSensitivity, 1, "3"}, {T::kPosition, 5, "5"},
      // Outside a table: the nearest entry.
      {T::kStopTimerHours, 9, "48"}, {T::kVoltage12, -1, "11.6"}, {T::kMotionSensitivity, 3, "5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.want);
    EXPECT_EQ(text::ToUtf8(pages::SliderTooltipText(c.type, c.position)), c.want);
  }
}

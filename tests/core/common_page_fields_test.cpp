#include <gtest/gtest.h>

#include "core/pages/common_fields.h"

using namespace pages::common;

// Which radio shows a stored value, including values the page never writes.
TEST(CommonFields, TickedRadioFollowsEachFieldsRule) {
  struct Case {
    int anyIdOfPair;
    std::int32_t value;
    int want;
  } cases[] = {
      {IDC_COMMON_VOICE_RECORDING_ON, 1, IDC_COMMON_VOICE_RECORDING_ON},
      {IDC_COMMON_VOICE_RECORDING_ON, 0, IDC_COMMON_VOICE_RECORDING_OFF},
      {IDC_COMMON_VOICE_RECORDING_ON, 2, IDC_COMMON_VOICE_RECORDING_OFF},
      {IDC_COMMON_VOICE_GUIDANCE_OFF, -1, IDC_COMMON_VOICE_GUIDANCE_OFF},
      {IDC_COMMON_VOICE_GUIDANCE_OFF, 1, IDC_COMMON_VOICE_GUIDANCE_ON},
      {IDC_COMMON_SAFE_DRIVING_ON, 1, IDC_COMMON_SAFE_DRIVING_ON},
      {IDC_COMMON_SAFE_DRIVING_ON, 3, IDC_COMMON_SAFE_DRIVING_OFF},
      {IDC_COMMON_DATE_FORMAT_YMD, 0, IDC_COMMON_DATE_FORMAT_YMD},
      {IDC_COMMON_DATE_FORMAT_YMD, 1, IDC_COMMON_DATE_FORMAT_MDY},
      {IDC_COMMON_DATE_FORMAT_YMD, 2, IDC_COMMON_DATE_FORMAT_MDY},
      {IDC_COMMON_SPEED_KMH, 0, IDC_COMMON_SPEED_KMH},
      {IDC_COMMON_SPEED_KMH, 1, IDC_COMMON_SPEED_MPH},
      {IDC_COMMON_LANGUAGE_ENGLISH, 0, IDC_COMMON_LANGUAGE_ENGLISH},
      {IDC_COMMON_LANGUAGE_ENGLISH, 1, IDC_COMMON_LANGUAGE_FRENCH},
      {IDC_COMMON_DST_OFF, 0, IDC_COMMON_DST_OFF},
      {IDC_COMMON_DST_OFF, 1, IDC_COMMON_DST_ON},
      {IDC_COMMON_DST_OFF, 2, IDC_COMMON_DST_ON},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.anyIdOfPair << " = " << c.value);
    const RadioPair* pair = FindRadioPair(c.anyIdOfPair);
    ASSERT_NE(pair, nullptr);
    SettingsRecord record{};
    record.*pair->field = c.value;
    EXPECT_EQ(TickedRadio(*pair, record), c.want);
  }
}

#pragma once
// Where the Common page puts its controls, top to bottom, with their fonts
// and texts. The page walks these tables each time it shows the record, so
// the layout and the language of every text are described here once.
// Positions are page pixels from the top-left corner of the unscrolled page.

#include <functional>
#include <string>
#include <string_view>

#include "core/pages/common_date_example.h"
// The control ids are shared with the resource scripts, which live outside
// the source tree.
#include "resource_ids.h"

namespace pages::common {

enum class Font { kTitle, kBold, kNormal };

// How a control's width is found; each kind maps to one placement helper of
// the page base.
enum class Placement {
  kFittedLabel,  // the width of its text
  kPaddedLabel,  // the width of its text plus kLabelPadding
  kRadio,        // RadioWidth of its text, or the text's width and
                 // kRadioBoxWidth where wide letters need more ("mph")
  kFixedText,    // the listed width, with its text (the clock check box)
  kWideButton,   // the width of its text plus four spaces
  kFixedItem,    // the listed width, no text (the date and time pickers)
  kZoneList,     // the width of kZoneListSample, no text
  kSlider,       // the listed position and size only, no font
};

struct Row {
  int id;
  Placement placement;
  int x;
  int y;
  int width;  // for kFixedText, kFixedItem and kSlider; 0 otherwise
  int height;
  Font font;
  const char16_t* key;  // the text's key, or nullptr for no text
  // A sample date appended, after the key text and the text of
  // kExampleKey, to the date-format radios.
  DateExample example = DateExample::kNone;
  // The id of an earlier row whose text width is added to x: the slider
  // and its right-hand label follow the width of the left-hand label.
  int shiftedByTextOf = 0;
  // A slider's label, whose text screen readers hear as its name.
  int namedBy = 0;
};

inline constexpr int kLabelPadding = 10;
// The box of a radio button or check box and the gap before its text.
inline constexpr int kRadioBoxWidth = 20;
inline constexpr char16_t kExampleKey[] = u"IDS_STRING183";
// Only measures the width of the zone list: 70 characters.
inline constexpr char16_t kZoneListSample[] =
    u"123456789 123456789 123456789 123456789 123456789 123456789 123456789 ";
// The height of everything the page shows; what exceeds the page's own
// height is reached by scrolling.
inline constexpr int kContentHeight = 880;

using enum Placement;
using enum Font;

inline constexpr Row kRows[] = {
    {IDC_COMMON_LANGUAGE_TITLE, kFittedLabel, 15, 20, 0, 14, kTitle, u"IDS_STRING193"},
    {IDC_COMMON_LANGUAGE_ENGLISH, kRadio, 25, 45, 0, 13, kNormal, u"IDS_STRING194"},
    {IDC_COMMON_LANGUAGE_FRENCH, kRadio, 25, 70, 0, 13, kNormal, u"IDS_STRING195"},

    {IDC_COMMON_BRIGHTNESS_TITLE, kFittedLabel, 15, 110, 0, 14, kTitle, u"IDS_STRING109"},
    {IDC_COMMON_FRONT_BRIGHTNESS_LABEL, kFittedLabel, 25, 145, 0, 13, kBold, u"IDS_STRING110"},
    {IDC_COMMON_FRONT_DARK_LABEL, kPaddedLabel, 85, 145, 0, 13, kNormal, u"IDS_STRING112"},
    {IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, kSlider, 95, 140, 300, 35, kNormal, nullptr,
     DateExample::kNone, IDC_COMMON_FRONT_DARK_LABEL, IDC_COMMON_FRONT_BRIGHTNESS_LABEL},
    {IDC_COMMON_FRONT_LIGHT_LABEL, kPaddedLabel, 395, 145, 0, 13, kNormal, u"IDS_STRING113",
     DateExample::kNone, IDC_COMMON_FRONT_DARK_LABEL},

    {IDC_COMMON_VOICE_RECORDING_TITLE, kFittedLabel, 15, 215, 0, 14, kTitle, u"IDS_STRING114"},
    {IDC_COMMON_VOICE_RECORDING_ON, kRadio, 25, 240, 0, 13, kNormal, u"IDS_STRING115"},
    {IDC_COMMON_VOICE_RECORDING_OFF, kRadio, 25, 265, 0, 13, kNormal, u"IDS_STRING116"},

    {IDC_COMMON_VOICE_GUIDANCE_TITLE, kFittedLabel, 15, 310, 0, 14, kTitle, u"IDS_STRING118"},
    {IDC_COMMON_VOICE_GUIDANCE_ON, kRadio, 25, 335, 0, 13, kNormal, u"IDS_STRING115"},
    {IDC_COMMON_VOICE_GUIDANCE_OFF, kRadio, 25, 360, 0, 13, kNormal, u"IDS_STRING116"},
    {IDC_COMMON_VOLUME_LABEL, kPaddedLabel, 125, 345, 0, 13, kNormal, u"IDS_STRING117"},
    {IDC_COMMON_VOLUME_SLIDER, kSlider, 135, 340, 300, 40, kNormal, nullptr, DateExample::kNone,
     IDC_COMMON_VOLUME_LABEL, IDC_COMMON_VOLUME_LABEL},

    {IDC_COMMON_CLOCK_TITLE, kFittedLabel, 15, 405, 0, 14, kTitle, u"IDS_STRING182"},
    {IDC_COMMON_CLOCK_SET_CHECK, kFixedText, 25, 435, 20, 13, kNormal, nullptr},
    {IDC_COMMON_CLOCK_DATE_PICKER, kFixedItem, 50, 435, 90, 25, kNormal, nullptr},
    {IDC_COMMON_CLOCK_TIME_PICKER, kFixedItem, 150, 435, 100, 25, kNormal, nullptr},
    {IDC_COMMON_GET_CURRENT_TIME, kWideButton, 260, 435, 0, 25, kNormal, u"IDS_STRING184"},

    {IDC_COMMON_TIME_ZONE_TITLE, kFittedLabel, 15, 500, 0, 14, kTitle, u"IDS_STRING185"},
    {IDC_COMMON_TIME_ZONE_COMBO, kZoneList, 25, 530, 0, 25, kNormal, nullptr},

    {IDC_COMMON_DST_TITLE, kFittedLabel, 15, 595, 0, 14, kTitle, u"IDS_STRING196"},
    {IDC_COMMON_DST_ON, kRadio, 25, 620, 0, 13, kNormal, u"IDS_STRING115"},
    {IDC_COMMON_DST_OFF, kRadio, 25, 645, 0, 13, kNormal, u"IDS_STRING116"},

    {IDC_COMMON_DATE_FORMAT_TITLE, kFittedLabel, 15, 690, 0, 14, kTitle, u"IDS_STRING186"},
    {IDC_COMMON_DATE_FORMAT_YMD, kRadio, 25, 720, 0, 13, kNormal, u"IDS_STRING187",
     DateExample::kYearMonthDay},
    {IDC_COMMON_DATE_FORMAT_MDY, kRadio, 235, 720, 0, 13, kNormal, u"IDS_STRING188",
     DateExample::kMonthNameDayYear},

    {IDC_COMMON_SPEED_UNIT_TITLE, kFittedLabel, 15, 785, 0, 14, kTitle, u"IDS_STRING190"},
    {IDC_COMMON_SPEED_KMH, kRadio, 25, 815, 0, 13, kNormal, u"IDS_STRING191"},
    {IDC_COMMON_SPEED_MPH, kRadio, 100, 815, 0, 13, kNormal, u"IDS_STRING192"},
};

// Rows of the template that follow the record but that this camera does not
// offer: the rear brightness, the voice-recording level and the voice
// guidance in safe-driving sections. They stay hidden and unplaced.
inline constexpr int kHiddenIds[] = {
    IDC_COMMON_REAR_BRIGHTNESS_LABEL,  IDC_COMMON_REAR_DARK_LABEL,
    IDC_COMMON_REAR_BRIGHTNESS_SLIDER, IDC_COMMON_REAR_LIGHT_LABEL,
    IDC_COMMON_VOICE_LEVEL_LABEL,      IDC_COMMON_VOICE_LEVEL_SLIDER,
    IDC_COMMON_SAFE_DRIVING_TITLE,     IDC_COMMON_SAFE_DRIVING_ON,
    IDC_COMMON_SAFE_DRIVING_OFF,
};

// Section titles with a separator line to their right while they are
// visible (the daylight-saving title has none).
inline constexpr int kSeparatedTitles[] = {
    IDC_COMMON_LANGUAGE_TITLE,        IDC_COMMON_BRIGHTNESS_TITLE,
    IDC_COMMON_VOICE_RECORDING_TITLE, IDC_COMMON_VOICE_GUIDANCE_TITLE,
    IDC_COMMON_SAFE_DRIVING_TITLE,    IDC_COMMON_DATE_FORMAT_TITLE,
    IDC_COMMON_SPEED_UNIT_TITLE,      IDC_COMMON_CLOCK_TITLE,
    IDC_COMMON_TIME_ZONE_TITLE,
};

// The row of control `id`, or nullptr.
const Row* FindRow(int id);

// Width of a radio button or check box by the character count: 6 pixels a
// character and kRadioBoxWidth.
int RadioWidth(std::u16string_view text);

// Looks a text key up in the program's language.
using TextLookup = std::function<std::u16string(std::u16string_view key)>;

// The text a row shows: its key's text, and for the date-format radios the
// example lead-in and `today` in the row's format. Empty without a key.
std::u16string RowText(const Row& row, const TextLookup& lookup, const CalendarDate& today);

// What a screen reader calls the control of `row`: the title of its
// section and its text, or the text of its label (pages/accessible_name.h).
// Empty for a label, whose text is its name.
std::u16string AccessibleName(const Row& row, const TextLookup& lookup, const CalendarDate& today);

}  // namespace pages::common

#include "screen_promise.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "resource_ids.h"

namespace monkey {
namespace {

constexpr std::size_t kRecordSize = 432;
constexpr std::size_t kOldestLayout = 356;
constexpr std::uint32_t kVersion15 = 0x00010005;

enum class View { kHidden, kRadios, kSlider, kCheck };

// One field of the settings record and how the screen shows it.
struct Field {
  const char* name;
  int offset;
  int factory;  // what Initialize writes
  View view = View::kHidden;
  Page page = Page::kCommon;
  std::vector<int> ids = {};     // radios: one per value; slider, check box: one
  std::vector<int> values = {};  // radios: the value of each id; slider: its table
  // Radios: the index shown for a value none of them stands for (-1: none
  // ticked). Slider with a table: the position shown for a value outside it.
  int fallback = -1;
  int lowest = 0, highest = 0;  // slider range
  // A hidden field that one shown choice writes too (a rear frame rate
  // with its front one): the offset of that shown field, or -1.
  int follows = -1;
};

Field Hidden(const char* name, int offset, int factory, int follows = -1) {
  Field field{name, offset, factory};
  field.follows = follows;
  return field;
}

Field Radios(const char* name, int offset, int factory, Page page,
             std::vector<std::pair<int, int>> idValues, int fallback) {
  Field field{name, offset, factory, View::kRadios, page};
  for (auto [id, value] : idValues) {
    field.ids.push_back(id);
    field.values.push_back(value);
  }
  field.fallback = fallback;
  return field;
}

Field Slider(const char* name, int offset, int factory, Page page, int id, int lowest, int highest,
             std::vector<int> table = {}, int fallback = -1) {
  Field field{name, offset, factory, View::kSlider, page, {id}, std::move(table), fallback};
  field.lowest = lowest;
  field.highest = highest;
  return field;
}

Field Check(const char* name, int offset, int factory, int id) {
  return {name, offset, factory, View::kCheck, Page::kAdditional, {id}};
}

// The integer fields with a factory value; the record's other words (its
// length and version, hidden slider values, motion areas, reserved words)
// are kept as loaded, through Initialize too.
const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = {
      Radios("contFrontResolution", 52, 2, Page::kContinuous,
             {{IDC_CONTINUOUS_FRONT_RES_VGA, 1}, {IDC_CONTINUOUS_FRONT_RES_HD, 2}}, 1),
      Radios("contFrontFrameRate", 56, 3, Page::kContinuous,
             {{IDC_CONTINUOUS_FRONT_FPS_15, 2}, {IDC_CONTINUOUS_FRONT_FPS_30, 3}}, 1),
      Radios("contFrontQuality", 60, 3, Page::kContinuous,
             {{IDC_CONTINUOUS_FRONT_QUALITY_LOW, 1},
              {IDC_CONTINUOUS_FRONT_QUALITY_MID, 2},
              {IDC_CONTINUOUS_FRONT_QUALITY_HIGH, 3}},
             2),
      Slider("frontBrightness", 64, 1, Page::kCommon, IDC_COMMON_FRONT_BRIGHTNESS_SLIDER, 0, 2),
      Hidden("contRearResolution", 76, 0),
      Hidden("contRearFrameRate", 80, 0, 56),
      Hidden("contRearQuality", 84, 0),
      Radios("voiceRecording", 100, 1, Page::kCommon,
             {{IDC_COMMON_VOICE_RECORDING_ON, 1}, {IDC_COMMON_VOICE_RECORDING_OFF, 0}}, 1),
      Radios("voiceGuidance", 108, 1, Page::kCommon,
             {{IDC_COMMON_VOICE_GUIDANCE_ON, 1}, {IDC_COMMON_VOICE_GUIDANCE_OFF, 0}}, 1),
      Slider("volume", 112, 3, Page::kCommon, IDC_COMMON_VOLUME_SLIDER, 1, 6),
      Hidden("safeDrivingVoice", 116, 0),
      Slider("contImpactSensitivity", 120, 7, Page::kContinuous, IDC_CONTINUOUS_IMPACT_SLIDER, 1,
             10),
      Check("overwriteIncident", 132, 1, IDC_ADDITIONAL_OVERWRITE_INCIDENT),
      Check("overwriteParkingMotion", 136, 1, IDC_ADDITIONAL_OVERWRITE_PARKING_MOTION),
      Check("overwriteParkingIncident", 140, 1, IDC_ADDITIONAL_OVERWRITE_PARKING_INCIDENT),
      Check("overwriteManual", 144, 1, IDC_ADDITIONAL_OVERWRITE_MANUAL),
      Hidden("overwriteStills", 148, 1),
      Radios("parkFrontResolution", 152, 2, Page::kParking,
             {{IDC_PARKING_FRONT_RES_VGA, 1}, {IDC_PARKING_FRONT_RES_HD, 2}}, 1),
      Radios("parkFrontFrameRate", 156, 3, Page::kParking,
             {{IDC_PARKING_FRONT_FPS_15, 2}, {IDC_PARKING_FRONT_FPS_30, 3}}, 1),
      Radios("parkFrontQuality", 160, 3, Page::kParking,
             {{IDC_PARKING_FRONT_QUALITY_LOW, 1},
              {IDC_PARKING_FRONT_QUALITY_MID, 2},
              {IDC_PARKING_FRONT_QUALITY_HIGH, 3}},
             2),
      Hidden("parkRearResolution", 164, 0),
      Hidden("parkRearFrameRate", 168, 0, 156),
      Hidden("parkRearQuality", 172, 0),
      Slider("parkImpactSensitivity", 176, 7, Page::kParking, IDC_PARKING_IMPACT_SLIDER, 1, 10),
      Radios("parkingMode", 180, 0, Page::kParking,
             {{IDC_PARKING_MODE_ON, 1}, {IDC_PARKING_MODE_OFF, 0}}, 1),
      Radios("motionDetection", 184, 1, Page::kParking,
             {{IDC_PARKING_MOTION_ON, 1}, {IDC_PARKING_MOTION_OFF, 0}}, 1),
      Slider("motionSensitivity", 196, 3, Page::kParking, IDC_PARKING_MOTION_SENSITIVITY_SLIDER, 0,
             2, {1, 3, 5}, 0),
      Slider("stopTimerHours", 200, 48, Page::kParking, IDC_PARKING_TIMER_SLIDER, 0, 6,
             {1, 2, 4, 6, 12, 24, 48}, 6),
      Slider("stopVoltage12", 204, 6, Page::kParking, IDC_PARKING_VOLTAGE_12V_SLIDER, 0, 7),
      Slider("stopVoltage24", 208, 6, Page::kParking, IDC_PARKING_VOLTAGE_24V_SLIDER, 0, 7),
      Radios("memoryPartition", 212, 1, Page::kAdditional,
             {{IDC_ADDITIONAL_PARTITION_A, 1},
              {IDC_ADDITIONAL_PARTITION_B, 2},
              {IDC_ADDITIONAL_PARTITION_C, 3}},
             0),
      Radios("securityLed", 216, 0, Page::kAdditional,
             {{IDC_ADDITIONAL_LED_MODE_1, 1},
              {IDC_ADDITIONAL_LED_MODE_2, 2},
              {IDC_ADDITIONAL_LED_MODE_3, 3},
              {IDC_ADDITIONAL_LED_OFF, 0}},
             -1),
      Radios("daylightSaving", 376, 1, Page::kCommon,
             {{IDC_COMMON_DST_ON, 1}, {IDC_COMMON_DST_OFF, 0}}, 0),
      Radios("dateFormat", 412, 0, Page::kCommon,
             {{IDC_COMMON_DATE_FORMAT_YMD, 0}, {IDC_COMMON_DATE_FORMAT_MDY, 1}}, 1),
      Radios("speedUnit", 416, 0, Page::kCommon,
             {{IDC_COMMON_SPEED_KMH, 0}, {IDC_COMMON_SPEED_MPH, 1}}, 1),
      Radios("language", 428, 0, Page::kCommon,
             {{IDC_COMMON_LANGUAGE_ENGLISH, 0}, {IDC_COMMON_LANGUAGE_FRENCH, 1}}, 1),
  };
  return fields;
}

struct TextField {
  const char* name;
  int offset;
  int size;
  const char* factory;
};
constexpr TextField kProductName{"productName", 8, 16, "R470"};
constexpr TextField kProgramPath{"settingProgramPath", 228, 128, "SETTING\\R470_Setting.exe"};
constexpr int kZoneOffset = 372;
constexpr TextField kZoneName{"timeZoneName", 380, 32, "Pacific Standard Time"};

std::int32_t WordAt(const std::vector<std::uint8_t>& bytes, int offset) {
  std::int32_t value;
  std::memcpy(&value, bytes.data() + offset, sizeof value);
  return value;
}
void PutWord(std::vector<std::uint8_t>& bytes, int offset, std::int32_t value) {
  std::memcpy(bytes.data() + offset, &value, sizeof value);
}
void PutText(std::vector<std::uint8_t>& bytes, const TextField& field, const char* text) {
  std::fill_n(bytes.begin() + field.offset, field.size, 0);
  std::memcpy(bytes.data() + field.offset, text, std::strlen(text));
}
std::string Narrow(const std::wstring& text) {
  return {text.begin(), text.end()};
}
std::string TextAt(const std::vector<std::uint8_t>& bytes, const TextField& field) {
  const char* start = reinterpret_cast<const char*>(bytes.data() + field.offset);
  return {start, strnlen(start, field.size)};
}

std::string Printf(const char* format, auto... values) {
  char line[512];
  std::snprintf(line, sizeof line, format, values...);
  return line;
}

// The radio of a group that is ticked, as an index into its ids; -1 when
// none is, -2 when more than one is.
int TickedIndex(const ScreenView& screen, const Field& field) {
  int ticked = -1;
  for (std::size_t i = 0; i < field.ids.size(); ++i) {
    const ControlView* control = screen.Find(field.page, field.ids[i]);
    if (control && control->check == BST_CHECKED) ticked = ticked == -1 ? int(i) : -2;
  }
  return ticked;
}

// How the page shows `value`: the radio index or the slider position. A
// slider without a table shows its value itself, within its range.
int Shown(const Field& field, std::int32_t value) {
  const auto& table = field.values;
  if (field.view == View::kSlider && table.empty()) {
    return std::clamp<std::int32_t>(value, field.lowest, field.highest);
  }
  auto found = std::find(table.begin(), table.end(), value);
  return found == table.end() ? field.fallback : int(found - table.begin());
}

// What the control's state stands for: the value the page writes for it.
std::optional<std::int32_t> Meaning(const Field& field, int shown) {
  if (field.view == View::kCheck) return shown;
  if (field.view == View::kRadios) {
    if (shown < 0) return std::nullopt;
    return field.values[shown];
  }
  if (field.values.empty()) return shown;
  if (shown < 0 || shown >= int(field.values.size())) return std::nullopt;
  return field.values[shown];
}

// The state the screen shows for the field: ticked radio, slider position
// or check state.
int ScreenState(const ScreenView& screen, const Field& field) {
  if (field.view == View::kRadios) return TickedIndex(screen, field);
  const ControlView* control = screen.Find(field.page, field.ids[0]);
  if (!control) return -3;
  return field.view == View::kSlider ? control->position : control->check;
}

bool AllDisabled(const ScreenView& screen, Page page, const std::vector<int>& ids) {
  return std::all_of(ids.begin(), ids.end(), [&](int id) {
    const ControlView* control = screen.Find(page, id);
    return !control || !control->enabled;
  });
}

// The offset in minutes east of UTC that an entry's leading "(UTC)" or
// "(UTC+hh:mm)" label names; nullopt for an entry without one.
std::optional<std::int32_t> LabelledOffset(const std::wstring& entry) {
  if (entry.rfind(L"(UTC)", 0) == 0) return 0;
  if (entry.rfind(L"(UTC", 0) != 0 || entry.size() < 5) return std::nullopt;
  const wchar_t sign = entry[4];
  std::size_t at = 5;
  const auto number = [&](std::int64_t& value) {
    const std::size_t start = at;
    for (value = 0; at < entry.size() && at - start < 6 && iswdigit(entry[at]); ++at) {
      value = value * 10 + (entry[at] - L'0');
    }
    return at > start;
  };
  const auto take = [&](wchar_t c) {
    if (at >= entry.size() || entry[at] != c) return false;
    ++at;
    return true;
  };
  std::int64_t hours = 0, minutes = 0;
  if ((sign != L'+' && sign != L'-') || !number(hours) || !take(L':') || !number(minutes) ||
      !take(L')')) {
    return std::nullopt;
  }
  const std::int64_t offset = (sign == L'-' ? -1 : 1) * (hours * 60 + minutes);
  return std::int32_t(offset);
}

// What an entry says after its label: the place a zone is named by.
std::wstring Place(const std::wstring& entry) {
  const std::size_t end = LabelledOffset(entry) ? entry.find(L')') + 1 : 0;
  return entry.substr(end);
}

std::wstring Widened(const std::string& text) {
  return {text.begin(), text.end()};
}

// How the list shows a zone that no zone of the PC stands for: its offset's
// label and its name.
std::wstring OwnEntry(std::int32_t offset, const std::string& name) {
  const std::int64_t minutes = offset < 0 ? -std::int64_t(offset) : offset;
  std::string entry =
      Printf("(UTC%c%02d:%02d)", offset < 0 ? '-' : '+', int(minutes / 60), int(minutes % 60));
  if (!name.empty()) entry += " " + name;
  return Widened(entry);
}

std::wstring ShownZone(const ScreenView& screen) {
  if (screen.zoneSelection < 0 || screen.zoneSelection >= int(screen.zoneItems.size())) return {};
  return screen.zoneItems[screen.zoneSelection];
}

// The record as the program holds it after loading the card, before the
// pages show it: the file's bytes, or the factory record when the file is
// missing or too short to be a record at all.
std::vector<std::uint8_t> LoadedRecord(const CardFiles& before) {
  if (!before.setupCfg || before.setupCfg->size() < kOldestLayout) {
    std::vector<std::uint8_t> record = FactoryRecord();
    PutWord(record, 0, 0);
    PutWord(record, 4, 0);
    return record;
  }
  std::vector<std::uint8_t> record(kRecordSize, 0);
  std::copy_n(before.setupCfg->begin(), std::min(kRecordSize, before.setupCfg->size()),
              record.begin());
  return record;
}

std::size_t SavedLength(const std::vector<std::uint8_t>& loaded) {
  auto checkSum = static_cast<std::uint32_t>(WordAt(loaded, 0));
  return checkSum < kOldestLayout ? kRecordSize : std::min<std::size_t>(checkSum, kRecordSize);
}

class PromiseCheck {
 public:
  PromiseCheck(const CardFiles& before, const CardFiles& after, const ScreenView& screen,
               const std::vector<RegistryZone>& zones)
      : before_(before),
        after_(after),
        screen_(screen),
        zones_(zones),
        loaded_(LoadedRecord(before)),
        length_(SavedLength(loaded_)) {}

  std::optional<std::string> Run() {
    if (auto broken = FileShape()) return broken;
    saved_ =
        std::vector<std::uint8_t>(after_.setupCfg->begin(), after_.setupCfg->begin() + length_);
    saved_.resize(kRecordSize, 0);
    Account(0, 8);
    if (auto broken = Header()) return broken;
    for (const Field& field : Fields()) {
      if (field.view == View::kHidden) continue;
      if (auto broken = ShownField(field)) return broken;
    }
    if (auto broken = Zone()) return broken;
    if (auto broken = HiddenFields()) return broken;
    for (std::size_t i = 0; i < length_; ++i) {
      if (!accounted_[i] && saved_[i] != loaded_[i]) {
        return Printf("byte %zu (a kept field or reserved word) was %d, Save wrote %d", i,
                      loaded_[i], saved_[i]);
      }
    }
    return ClockFile();
  }

 private:
  // Length and the bytes beyond what Save writes: an older camera's file
  // keeps its length, a longer file its tail.
  std::optional<std::string> FileShape() {
    if (!after_.setupCfg) return "Save wrote no setup.cfg";
    const std::vector<std::uint8_t> original =
        before_.setupCfg.value_or(std::vector<std::uint8_t>{});
    const std::size_t expected = std::max(original.size(), length_);
    const std::vector<std::uint8_t>& written = *after_.setupCfg;
    if (written.size() != expected) {
      return Printf("setup.cfg is %zu bytes long, expected %zu", written.size(), expected);
    }
    for (std::size_t i = length_; i < expected; ++i) {
      if (written[i] != original[i])
        return Printf("setup.cfg byte %zu beyond the record changed", i);
    }
    return std::nullopt;
  }

  std::optional<std::string> Header() {
    if (WordAt(saved_, 0) != int(kRecordSize)) {
      return Printf("checkSum saved as %d, expected 432", WordAt(saved_, 0));
    }
    // A record never loaded from a whole layout is saved as the current one.
    std::int32_t version = WordAt(loaded_, 4);
    if (std::uint32_t(WordAt(loaded_, 0)) < kOldestLayout && version == 0) version = kVersion15;
    if (WordAt(saved_, 4) != version) {
      return Printf("configVersion saved as 0x%x, expected 0x%x", WordAt(saved_, 4), version);
    }
    return std::nullopt;
  }

  bool IsSaved(int offset, int size) const { return std::size_t(offset + size) <= length_; }
  void Account(int offset, int size) { std::fill_n(accounted_ + offset, size, true); }

  std::optional<std::string> ShownField(const Field& field) {
    Account(field.offset, 4);
    if (!IsSaved(field.offset, 4)) {
      if (AllDisabled(screen_, field.page, field.ids)) return std::nullopt;
      return Printf("%s: an older camera's file lacks it, yet its control is enabled", field.name);
    }
    const int state = ScreenState(screen_, field);
    const std::int32_t value = WordAt(saved_, field.offset);
    const std::int32_t loaded = WordAt(loaded_, field.offset);
    if (state == -2) return Printf("%s: two of its radios are ticked", field.name);
    const int shownForValue = field.view == View::kCheck ? (value != 0) : Shown(field, value);
    const std::optional<std::int32_t> meaning = Meaning(field, state);
    // The value is the one the control stands for, or the loaded one that
    // the control shows that way (a value the page has no control for).
    const bool meant = (meaning && *meaning == value) || value == loaded;
    if (shownForValue != state || !meant) {
      return Printf("%s: the screen shows %s %d (control %d), setup.cfg holds %d", field.name,
                    field.view == View::kSlider ? "position" : "state", state, field.ids[0], value);
    }
    return std::nullopt;
  }

  std::optional<std::string> Zone() {
    Account(kZoneOffset, 4);
    Account(kZoneName.offset, kZoneName.size);
    const std::vector<int> combo = {IDC_COMMON_TIME_ZONE_COMBO};
    if (!IsSaved(kZoneName.offset, kZoneName.size)) {
      if (AllDisabled(screen_, Page::kCommon, combo)) return std::nullopt;
      return "time zone: an older camera's file lacks it, yet the list is enabled";
    }
    const std::wstring shown = ShownZone(screen_);
    const std::string name = TextAt(saved_, kZoneName);
    const std::int32_t offset = WordAt(saved_, kZoneOffset);
    const auto broken = [&](const char* why) {
      return Printf("time zone: the list shows \"%s\", setup.cfg holds \"%s\" %d (%s)",
                    Narrow(shown).c_str(), name.c_str(), offset, why);
    };
    // time.dat carries the offset that Save writes, so it must be the one
    // the entry names.
    if (LabelledOffset(shown) != offset) return broken("another offset");
    const bool asLoaded = std::equal(saved_.begin() + kZoneName.offset,
                                     saved_.begin() + kZoneName.offset + kZoneName.size,
                                     loaded_.begin() + kZoneName.offset) &&
                          offset == WordAt(loaded_, kZoneOffset);
    const auto tail = saved_.begin() + kZoneName.offset + int(name.size());
    const bool padded = std::all_of(tail, saved_.begin() + kZoneName.offset + kZoneName.size,
                                    [](std::uint8_t byte) { return byte == 0; });
    if (!asLoaded && !padded) return broken("bytes left behind the name");
    // The entry of a PC zone, by its place and offset, or a zone listed as
    // it is stored.
    for (const RegistryZone& zone : zones_) {
      if (Place(zone.displayName) == Place(shown) && zone.bias == offset &&
          Narrow(zone.keyName) == name) {
        return std::nullopt;
      }
    }
    if (shown == OwnEntry(offset, name)) return std::nullopt;
    // A zone this PC does not know, or knows at another offset, stays as it
    // was, shown by the first listed zone of its offset.
    if (asLoaded) {
      for (const std::wstring& item : screen_.zoneItems) {
        if (LabelledOffset(item) != offset) continue;
        if (item == shown) return std::nullopt;
        break;
      }
    }
    return broken("another zone");
  }

  // Fields no control shows: kept as loaded, or all set to their factory
  // values by Initialize. The rear frame rates also follow the front ones,
  // since one shown choice writes both.
  std::optional<std::string> HiddenFields() {
    Account(kProductName.offset, kProductName.size);
    Account(kProgramPath.offset, kProgramPath.size);
    for (const Field& field : Fields()) {
      if (field.view == View::kHidden) Account(field.offset, 4);
    }
    std::optional<std::string> firstMismatch;
    for (bool initialized : {false, true}) {
      std::vector<std::uint8_t> expected = loaded_;
      if (initialized) {
        PutText(expected, kProductName, kProductName.factory);
        PutText(expected, kProgramPath, kProgramPath.factory);
      }
      std::optional<std::string> mismatch;
      const auto compare = [&](const TextField& text) {
        if (!mismatch && IsSaved(text.offset, text.size) &&
            !std::equal(saved_.begin() + text.offset, saved_.begin() + text.offset + text.size,
                        expected.begin() + text.offset)) {
          mismatch = Printf("%s: Save wrote \"%s\"", text.name, TextAt(saved_, text).c_str());
        }
      };
      compare(kProductName);
      compare(kProgramPath);
      for (const Field& field : Fields()) {
        if (field.view != View::kHidden || mismatch) continue;
        const std::int32_t value = WordAt(saved_, field.offset);
        const std::int32_t wanted = initialized ? field.factory : WordAt(loaded_, field.offset);
        const bool followsShown = field.follows >= 0 && value == WordAt(saved_, field.follows);
        if (value != wanted && !followsShown) {
          mismatch = Printf("%s: no control shows it, yet Save wrote %d (loaded %d)", field.name,
                            value, WordAt(loaded_, field.offset));
        }
      }
      if (!mismatch) return std::nullopt;
      firstMismatch =
          firstMismatch ? *firstMismatch + "; as after Initialize: " + *mismatch : mismatch;
    }
    return firstMismatch;
  }

  std::optional<std::string> ClockFile() {
    const ControlView* box = screen_.Find(Page::kCommon, IDC_COMMON_CLOCK_SET_CHECK);
    if (!box || box->check != BST_CHECKED) {
      if (after_.timeDat) return "time.dat written, yet \"Setting time\" is not ticked";
      return std::nullopt;
    }
    const ControlView* date = screen_.Find(Page::kCommon, IDC_COMMON_CLOCK_DATE_PICKER);
    const ControlView* time = screen_.Find(Page::kCommon, IDC_COMMON_CLOCK_TIME_PICKER);
    if (!date || !date->time || !time || !time->time) return "the clock pickers show no time";
    std::int32_t offset = WordAt(saved_, kZoneOffset);
    if (!IsSaved(kZoneOffset, 4)) {
      const std::optional<std::int32_t> shown = LabelledOffset(ShownZone(screen_));
      if (!shown) return "time.dat: the time-zone list shows no offset";
      offset = *shown;
    }
    const int minutes = offset < 0 ? -offset : offset;
    const std::string line =
        Printf("%4d,%02d,%02d,%02d,%02d,%02d,%c%02d%02d", date->time->wYear, date->time->wMonth,
               date->time->wDay, time->time->wHour, time->time->wMinute, time->time->wSecond,
               offset > 0 ? '+' : '-', minutes / 60, minutes % 60);
    if (!after_.timeDat) return "\"Setting time\" is ticked, yet Save wrote no time.dat";
    if (*after_.timeDat != line) {
      return Printf("time.dat holds \"%s\", the pickers show \"%s\"", after_.timeDat->c_str(),
                    line.c_str());
    }
    return std::nullopt;
  }

  const CardFiles& before_;
  const CardFiles& after_;
  const ScreenView& screen_;
  const std::vector<RegistryZone>& zones_;
  const std::vector<std::uint8_t> loaded_;
  const std::size_t length_;
  std::vector<std::uint8_t> saved_;
  bool accounted_[kRecordSize] = {};
};

}  // namespace

std::vector<std::uint8_t> FactoryRecord() {
  std::vector<std::uint8_t> record(kRecordSize, 0);
  PutWord(record, 0, kRecordSize);
  PutWord(record, 4, kVersion15);
  PutText(record, kProductName, kProductName.factory);
  PutText(record, kProgramPath, kProgramPath.factory);
  PutWord(record, kZoneOffset, -480);
  PutText(record, kZoneName, kZoneName.factory);
  for (const Field& field : Fields()) PutWord(record, field.offset, field.factory);
  return record;
}

std::optional<std::string> FirstBrokenStartPromise(const CardFiles& before,
                                                   const ScreenView& atStart,
                                                   std::int32_t pcStandardUtc) {
  const std::vector<std::uint8_t> loaded = LoadedRecord(before);
  if (!TextAt(loaded, kZoneName).empty() || WordAt(loaded, kZoneOffset) != 0) return std::nullopt;
  const std::wstring shown = ShownZone(atStart);
  if (LabelledOffset(shown) == pcStandardUtc) return std::nullopt;
  return Printf("time zone: the record has none, and the list shows \"%s\" on a PC at %d min",
                Narrow(shown).c_str(), pcStandardUtc);
}

std::optional<std::string> FirstBrokenPromise(const CardFiles& before, const CardFiles& after,
                                              const ScreenView& screen,
                                              const std::vector<RegistryZone>& zones) {
  return PromiseCheck(before, after, screen, zones).Run();
}

}  // namespace monkey

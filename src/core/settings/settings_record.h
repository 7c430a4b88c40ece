#pragma once
// The in-memory image of setup.cfg: the camera reads and writes this record
// byte for byte, so every field sits at a fixed offset. Integers are 32-bit
// little-endian; only little-endian hosts are supported (checked below). The
// three text fields are ANSI (system code page), NUL-padded, not necessarily
// NUL-terminated.
//
// Older cameras write shorter files; the layout only ever grew at its end:
// 1.0 = 356 bytes, 1.1 = 372, 1.2 = 412, 1.3 = 420, 1.5 = 432.

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

inline constexpr std::uint32_t kSettingsRecordSize = 432;
// The length of the first layout (1.0), the shortest a camera writes.
inline constexpr std::uint32_t kOldestRecordSize = 356;
// Version words hold the major number in the high and the minor in the low half.
inline constexpr std::uint32_t kConfigVersion15 = 0x00010005;

struct SettingsRecord {
  std::uint32_t checkSum;       // the record's length in bytes as the file claims it
  std::uint32_t configVersion;  // layout version, see kConfigVersion15
  char productName[16];
  std::int32_t reserved24[7];
  std::int32_t contFrontResolution;  // 1..3
  std::int32_t contFrontFrameRate;   // 1..3
  std::int32_t contFrontQuality;     // 1..3
  std::int32_t frontBrightness;      // 0..2
  std::int32_t reserved68[2];
  std::int32_t contRearResolution;  // 1..2
  std::int32_t contRearFrameRate;   // 1..3
  std::int32_t contRearQuality;     // 1..3
  std::int32_t rearBrightness;      // slider position
  std::int32_t reserved92[2];
  std::int32_t voiceRecording;         // 0/1
  std::int32_t voiceRecordingLevel;    // slider position
  std::int32_t voiceGuidance;          // 0/1
  std::int32_t volume;                 // 1..6
  std::int32_t safeDrivingVoice;       // 0/1
  std::int32_t contImpactSensitivity;  // 1..10
  std::int32_t reserved124[2];
  std::int32_t overwriteIncident;         // 0/1
  std::int32_t overwriteParkingMotion;    // 0/1
  std::int32_t overwriteParkingIncident;  // 0/1
  std::int32_t overwriteManual;           // 0/1
  std::int32_t overwriteStills;           // 0/1
  std::int32_t parkFrontResolution;       // 1..3
  std::int32_t parkFrontFrameRate;        // 1..3
  std::int32_t parkFrontQuality;          // 1..3
  std::int32_t parkRearResolution;        // 1..2
  std::int32_t parkRearFrameRate;         // 1..3
  std::int32_t parkRearQuality;           // 1..3
  std::int32_t parkImpactSensitivity;     // 1..10
  std::int32_t parkingMode;               // 0/1
  std::int32_t motionDetection;           // 0/1
  // Motion areas: 3 rows of 4 cells, one bit per cell; top row in bits 8-11,
  // middle in 4-7, bottom in 0-3; the leftmost cell is the lowest bit of a row.
  std::int32_t motionAreaFront;
  std::int32_t motionAreaRear;
  std::int32_t motionSensitivity;  // 1, 3 or 5
  std::int32_t stopTimerHours;     // 1, 2, 4, 6, 12, 24 or 48
  std::int32_t stopVoltage12;      // index 0..7 = 11.6 V .. 12.3 V
  std::int32_t stopVoltage24;      // index 0..7 = 23.2 V .. 24.6 V
  std::int32_t memoryPartition;    // 1..3
  std::int32_t securityLed;        // 0 = off, 1..3
  std::int32_t reserved220[2];
  char settingProgramPath[128];  // relative path of this program on the card
  std::int32_t reserved356[4];
  std::int32_t timeZoneOffset;  // minutes east of UTC (UTC-8 is -480)
  std::int32_t daylightSaving;  // 0/1
  char timeZoneName[32];        // Windows time-zone key name
  std::int32_t dateFormat;      // 0 = year-month-day, 1 = month name-day-year
  std::int32_t speedUnit;       // 0 = km/h, 1 = mph
  std::int32_t reserved420[2];
  std::int32_t language;  // 0 = English, 1 = French
};

static_assert(std::endian::native == std::endian::little,
              "setup.cfg is the record's memory image in little-endian order");
static_assert(std::is_standard_layout_v<SettingsRecord>);
static_assert(std::is_trivially_copyable_v<SettingsRecord>);
static_assert(sizeof(SettingsRecord) == kSettingsRecordSize);
static_assert(offsetof(SettingsRecord, checkSum) == 0);
static_assert(offsetof(SettingsRecord, configVersion) == 4);
static_assert(offsetof(SettingsRecord, productName) == 8);
static_assert(offsetof(SettingsRecord, reserved24) == 24);
static_assert(offsetof(SettingsRecord, contFrontResolution) == 52);
static_assert(offsetof(SettingsRecord, contFrontFrameRate) == 56);
static_assert(offsetof(SettingsRecord, contFrontQuality) == 60);
static_assert(offsetof(SettingsRecord, frontBrightness) == 64);
static_assert(offsetof(SettingsRecord, reserved68) == 68);
static_assert(offsetof(SettingsRecord, contRearResolution) == 76);
static_assert(offsetof(SettingsRecord, contRearFrameRate) == 80);
static_assert(offsetof(SettingsRecord, contRearQuality) == 84);
static_assert(offsetof(SettingsRecord, rearBrightness) == 88);
static_assert(offsetof(SettingsRecord, reserved92) == 92);
static_assert(offsetof(SettingsRecord, voiceRecording) == 100);
static_assert(offsetof(SettingsRecord, voiceRecordingLevel) == 104);
static_assert(offsetof(SettingsRecord, voiceGuidance) == 108);
static_assert(offsetof(SettingsRecord, volume) == 112);
static_assert(offsetof(SettingsRecord, safeDrivingVoice) == 116);
static_assert(offsetof(SettingsRecord, contImpactSensitivity) == 120);
static_assert(offsetof(SettingsRecord, reserved124) == 124);
static_assert(offsetof(SettingsRecord, overwriteIncident) == 132);
static_assert(offsetof(SettingsRecord, overwriteParkingMotion) == 136);
static_assert(offsetof(SettingsRecord, overwriteParkingIncident) == 140);
static_assert(offsetof(SettingsRecord, overwriteManual) == 144);
static_assert(offsetof(SettingsRecord, overwriteStills) == 148);
static_assert(offsetof(SettingsRecord, parkFrontResolution) == 152);
static_assert(offsetof(SettingsRecord, parkFrontFrameRate) == 156);
static_assert(offsetof(SettingsRecord, parkFrontQuality) == 160);
static_assert(offsetof(SettingsRecord, parkRearResolution) == 164);
static_assert(offsetof(SettingsRecord, parkRearFrameRate) == 168);
static_assert(offsetof(SettingsRecord, parkRearQuality) == 172);
static_assert(offsetof(SettingsRecord, parkImpactSensitivity) == 176);
static_assert(offsetof(SettingsRecord, parkingMode) == 180);
static_assert(offsetof(SettingsRecord, motionDetection) == 184);
static_assert(offsetof(SettingsRecord, motionAreaFront) == 188);
static_assert(offsetof(SettingsRecord, motionAreaRear) == 192);
static_assert(offsetof(SettingsRecord, motionSensitivity) == 196);
static_assert(offsetof(SettingsRecord, stopTimerHours) == 200);
static_assert(offsetof(SettingsRecord, stopVoltage12) == 204);
static_assert(offsetof(SettingsRecord, stopVoltage24) == 208);
static_assert(offsetof(SettingsRecord, memoryPartition) == 212);
static_assert(offsetof(SettingsRecord, securityLed) == 216);
static_assert(offsetof(SettingsRecord, reserved220) == 220);
static_assert(offsetof(SettingsRecord, settingProgramPath) == 228);
static_assert(offsetof(SettingsRecord, reserved356) == 356);
static_assert(offsetof(SettingsRecord, timeZoneOffset) == 372);
static_assert(offsetof(SettingsRecord, daylightSaving) == 376);
static_assert(offsetof(SettingsRecord, timeZoneName) == 380);
static_assert(offsetof(SettingsRecord, dateFormat) == 412);
static_assert(offsetof(SettingsRecord, speedUnit) == 416);
static_assert(offsetof(SettingsRecord, reserved420) == 420);
static_assert(offsetof(SettingsRecord, language) == 428);

// The one record of the program, used in place by every settings page.
// Owned by the main window: it allocates it zero-filled with
// `new SettingsRecord{}` before anything is read and deletes it (and sets the
// pointer back to nullptr) when it closes. SettingsFile::LoadSettings fills
// it in place (allocating it only if the pointer is still null); nobody keeps
// a copy of the pointer.
extern SettingsRecord* settingsRecord;

namespace settings {

// productName as UTF-16: converted from the ANSI code page in force, ending
// at the first NUL or after 16 bytes.
std::u16string ProductName(const SettingsRecord& record);

// How many bytes of the record a save writes for a record whose length
// word is `checkSum`: an older camera's own length; the whole record when
// the word is larger, or shorter than any layout (never loaded, or
// damaged: writing only those bytes would drop the driver's edits).
std::size_t SavedLength(std::uint32_t checkSum);

// Whether a save writes every byte of the field at `offset` of `size` bytes.
bool IsSaved(const SettingsRecord& record, std::size_t offset, std::size_t size);

}  // namespace settings

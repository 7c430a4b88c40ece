#pragma once
// Loads, defaults and saves the global settingsRecord (setup.cfg), and reads
// and writes the camera clock setting (time.dat). Holds no state: the record,
// clockSet and clockTime are the globals declared beside their types. Every
// operation writes its diagnostic lines through diag::Write. Results are 1 for
// success and 0 for failure; nothing throws.

#include "core/io/file.h"
#include "core/settings/settings_record.h"

class SettingsFile {
 public:
  // Reads setup.cfg into settingsRecord (allocated if still null): the first
  // min(length, 432) bytes of the file, the rest of the record zero. An
  // older camera's shorter file, a longer one or one whose length differs
  // from its checkSum is still used, with a warning line. Returns 0 and
  // leaves the record untouched when the file cannot be opened or read, or
  // is shorter than the oldest layout (damaged).
  int LoadSettings(const io::PathString& path);

  // Puts the factory values into every field that has one. checkSum,
  // configVersion, rearBrightness, voiceRecordingLevel, the motion areas and
  // the reserved words keep their values, so a camera's own values survive.
  void LoadDefaults(SettingsRecord& record);

  // Writes settingsRecord over the start of setup.cfg (created when missing,
  // never truncated: bytes beyond the written length stay). Writes as many
  // bytes as checkSum claims, at most 432, so an older camera gets a file of
  // its own length; a record with checkSum 0 (never loaded) is written whole.
  // After success checkSum is 432 (and a zero configVersion of a whole write
  // is 1.5), followed by a dump of the settings as diagnostic lines. Returns
  // 0, with the record unchanged, when the file cannot be opened or written.
  int SaveSettings(const io::PathString& path);

  // Reads time.dat: sets clockSet to 1 and clockTime's date and time (day of
  // week and milliseconds untouched) when the file's first line holds a valid
  // date and time, and returns 1. Otherwise clockSet is 0, clockTime is left
  // as it was, and the result is 0.
  int ReadClockFile(const io::PathString& path);

  // Writes clockTime and settingsRecord's timeZoneOffset to time.dat when
  // clockSet is 1, or deletes time.dat when clockSet is 0 (a missing file is
  // no error). Returns 0 when the file cannot be opened or written.
  int WriteClockFile(const io::PathString& path);
};

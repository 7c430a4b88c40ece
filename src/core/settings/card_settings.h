#pragma once
// The settings folder of a memory card as a front end uses it: loaded once
// when it is opened, saved on the driver's Save, as often as that fails.

#include <cstdint>

#include "core/io/file.h"
#include "core/settings/settings_file.h"

namespace settings {

class CardSettings {
 public:
  // Reads time.dat and setup.cfg from `folder` (which ends in a separator)
  // into clockSet, clockTime and settingsRecord, which must exist: the
  // factory settings when setup.cfg is missing or damaged.
  void Load(const io::PathString& folder);

  // Writes setup.cfg, then writes or deletes time.dat. An older camera's file
  // keeps its own length however often it is saved, since a save marks the
  // record as the current layout. time.dat is left alone until setup.cfg is
  // safely written. False when either could not be written.
  bool Save(const io::PathString& folder);

 private:
  SettingsFile file_;
  std::uint32_t cardRecordLength_ = 0;  // the record's length word as loaded
};

}  // namespace settings

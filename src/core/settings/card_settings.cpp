#include "core/settings/card_settings.h"

#include "core/settings/clock_time.h"

namespace settings {

namespace {
constexpr char kSettingsName[] = "setup.cfg";
constexpr char kClockName[] = "time.dat";

io::PathString InFolder(const io::PathString& folder, const char* name) {
  return folder + io::PathString(name, name + std::char_traits<char>::length(name));
}
}  // namespace

void CardSettings::Load(const io::PathString& folder) {
  clockSet = 0;
  file_.ReadClockFile(InFolder(folder, kClockName));
  if (file_.LoadSettings(InFolder(folder, kSettingsName)) == 0) {
    file_.LoadDefaults(*settingsRecord);
  }
  cardRecordLength_ = settingsRecord->checkSum;
}

bool CardSettings::Save(const io::PathString& folder) {
  if (settingsRecord == nullptr) return false;
  settingsRecord->checkSum = cardRecordLength_;
  return file_.SaveSettings(InFolder(folder, kSettingsName)) != 0 &&
         file_.WriteClockFile(InFolder(folder, kClockName)) != 0;
}

}  // namespace settings

#pragma once
// What the driver reads off the running program, control by control: the
// oracle derives the promised record from this alone.

#include <windows.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace monkey {

enum class Page { kCommon, kContinuous, kParking, kAdditional };

struct ControlView {
  bool enabled = false;
  int check = 0;                   // BM_GETCHECK of a radio or check box
  int position = 0;                // TBM_GETPOS of a slider
  std::optional<SYSTEMTIME> time;  // DTM_GETSYSTEMTIME of a picker, when valid
};

struct ScreenView {
  std::map<std::pair<Page, int>, ControlView> controls;
  std::vector<std::wstring> zoneItems;  // the time-zone list, in list order
  int zoneSelection = -1;               // CB_GETCURSEL

  const ControlView* Find(Page page, int id) const {
    auto found = controls.find({page, id});
    return found == controls.end() ? nullptr : &found->second;
  }
};

// A zone as the PC's registry describes it, for mapping a shown name to
// what the record should hold.
struct RegistryZone {
  std::wstring keyName;
  std::wstring displayName;
  std::int32_t bias = 0;  // minutes east of UTC
};

// The card's two files, as bytes and text; nullopt when the file is absent.
struct CardFiles {
  std::optional<std::vector<std::uint8_t>> setupCfg;
  std::optional<std::string> timeDat;
};

}  // namespace monkey

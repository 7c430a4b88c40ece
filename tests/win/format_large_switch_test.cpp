// The format-card switch of the elevated instance: what it refuses, and
// that a refused or foreign command line never reaches a format. (No drive
// is removable here; the end-to-end script formats through the switch and
// checks the refusals of a bad steps name next to a real card.)
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "win/card/format_card_switch.h"

namespace {

constexpr wchar_t kSteps[] = L"Local\\R470FormatSteps-1-2";

// A drive letter that no drive uses on this machine.
std::wstring MissingDriveRoot() {
  const DWORD used = GetLogicalDrives();
  for (wchar_t letter = L'Z'; letter >= L'D'; --letter) {
    if ((used & (1u << (letter - L'A'))) == 0) return std::wstring(1, letter) + L":\\";
  }
  return L"";
}

TEST(FormatCardSwitch, RefusesAnythingButARemovableDrivesRoot) {
  ASSERT_EQ(GetDriveTypeW(L"C:\\"), static_cast<UINT>(DRIVE_FIXED));
  const std::wstring missing = MissingDriveRoot();
  ASSERT_FALSE(missing.empty());
  const struct {
    const char* name;
    std::vector<std::wstring> arguments;
  } cases[] = {
      {"fixed disk", {card::kFormatCardSwitch, L"C:\\", kSteps}},
      {"fixed disk, lower case", {card::kFormatCardSwitch, L"c:\\", kSteps}},
      {"drive without root", {card::kFormatCardSwitch, L"E:", kSteps}},
      {"folder", {card::kFormatCardSwitch, L"E:\\x", kSteps}},
      {"device path", {card::kFormatCardSwitch, L"\\\\?\\E:\\", kSteps}},
      {"raw volume", {card::kFormatCardSwitch, L"\\\\.\\E:", kSteps}},
      {"network share", {card::kFormatCardSwitch, L"\\\\server\\share\\", kSteps}},
      {"missing drive", {card::kFormatCardSwitch, missing, kSteps}},
      {"empty drive", {card::kFormatCardSwitch, L"", kSteps}},
      {"switch alone", {card::kFormatCardSwitch}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(card::ParseFormatCardSwitch(c.arguments).has_value());
    EXPECT_EQ(card::RunFormatCardSwitch(c.arguments), std::optional<int>(card::kFormatCardRefused));
  }
}

TEST(FormatCardSwitch, OtherCommandLinesAreNotTheSwitch) {
  const std::vector<std::vector<std::wstring>> commandLines = {
      {},
      {L"E:\\SETTING\\"},
      {L"--format-cards", L"E:\\", kSteps},
      {L"E:\\", L"--format-card", kSteps},
  };
  for (const auto& arguments : commandLines) {
    SCOPED_TRACE(testing::PrintToString(arguments.size()));
    EXPECT_EQ(card::RunFormatCardSwitch(arguments), std::nullopt);
  }
}

}  // namespace

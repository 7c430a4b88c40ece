#include "win/app/registry_manager.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A key of its own per process, removed with everything under it.
class RegistryManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    key_.reset(key);
  }
  void TearDown() override {
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
  }

  std::wstring Unique(const wchar_t* what) const {
    return L"Software\\DashCamSettingTests\\" + std::wstring(what) +
           std::to_wstring(GetCurrentProcessId());
  }
  wchar_t* Read(HKEY root, const std::wstring& path, wchar_t (&buffer)[32]) {
    registry_.ReadStringValue(root, path.c_str(), L"LANGUAGE", buffer, sizeof(buffer));
    return buffer;
  }

  const std::wstring path_ = Unique(L"Key");
  RegKey key_;
  CRegistryManager registry_;
};

bool KeyExists(HKEY root, const std::wstring& path, REGSAM view) {
  RegKey key;
  return CRegistryManager().OpenKey(root, path.c_str(), 0, KEY_READ | view, key) == ERROR_SUCCESS;
}

}  // namespace

TEST_F(RegistryManagerTest, ReadingAMissingKeyOrValueFailsAndCreatesNothing) {
  const std::wstring missing = Unique(L"Missing") + L"\\KORVANE";
  wchar_t buffer[16];
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    SCOPED_TRACE(root == HKEY_CURRENT_USER ? "HKCU" : "HKLM");
    std::fill(std::begin(buffer), std::end(buffer), L'x');
    EXPECT_FALSE(
        registry_.ReadStringValue(root, missing.c_str(), L"LANGUAGE", buffer, sizeof(buffer)));
    EXPECT_EQ(buffer[0], L'\0');
    EXPECT_FALSE(KeyExists(root, missing, KEY_WOW64_32KEY));
    EXPECT_FALSE(KeyExists(root, missing, KEY_WOW64_64KEY));
  }
  std::fill(std::begin(buffer), std::end(buffer), L'x');
  EXPECT_FALSE(registry_.ReadStringValue(HKEY_CURRENT_USER, path_.c_str(), L"LANGUAGE", buffer,
                                         sizeof(buffer)));
  EXPECT_EQ(buffer[0], L'\0');
}

TEST_F(RegistryManagerTest, ReadsAValueAndLeavesTheBufferTerminatedWithinItsSize) {
  constexpr DWORD kChars = 8;
  struct Case {
    const char* what;
    std::wstring stored;      // the bytes stored, a NUL only where written
    DWORD oddByte;            // 1: one byte more, the start of a next unit
    const wchar_t* expected;  // nullptr: not read
  } cases[] = {
      {"fits with its NUL", std::wstring(L"1234567\0", 8), 0, L"1234567"},
      {"short, no NUL", L"french", 0, L"french"},
      {"odd length", L"abc", 1, L"abc"},
      {"fills the buffer, no NUL", L"12345678", 0, nullptr},
      {"one past the buffer", std::wstring(L"12345678\0", 9), 0, nullptr},
      {"much longer", std::wstring(600, L'z'), 0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::wstring data = c.stored + L"y";
    RegSetValueExW(key_.get(), L"LANGUAGE", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(c.stored.size() * sizeof(wchar_t) + c.oddByte));
    wchar_t buffer[kChars + 2];
    std::fill(std::begin(buffer), std::end(buffer), L'#');
    EXPECT_EQ(registry_.ReadStringValue(HKEY_CURRENT_USER, path_.c_str(), L"LANGUAGE", buffer,
                                        kChars * sizeof(wchar_t)),
              c.expected != nullptr);
    const size_t length = wcsnlen(buffer, kChars);
    EXPECT_LT(length, kChars);
    EXPECT_EQ(std::wstring(buffer, length), c.expected != nullptr ? c.expected : L"");
    EXPECT_EQ(std::wstring(buffer + kChars, 2), L"##");  // nothing written past the size
  }
}

// The viewer is a 32-bit program: on 64-bit Windows its value lives in the
// 32-bit view of HKEY_LOCAL_MACHINE\SOFTWARE, which is looked at first.
TEST_F(RegistryManagerTest, ReadsThe32BitViewFirstThenTheNativeView) {
  const std::wstring path = Unique(L"View");
  auto write = [&](REGSAM view, const std::wstring& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, L"LANGUAGE", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  };
  wchar_t buffer[32];
  write(KEY_WOW64_64KEY, L"native");
  EXPECT_STREQ(Read(HKEY_LOCAL_MACHINE, path, buffer), L"native");
  write(KEY_WOW64_32KEY, L"from32");
  EXPECT_STREQ(Read(HKEY_LOCAL_MACHINE, path, buffer), L"from32");
  for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), view, 0);
  }
}

TEST_F(RegistryManagerTest, EnumeratesNamesAndSkipsUnreadableOnes) {
  const std::wstring tooLong(255, L'k');  // needs 256 characters with its NUL
  for (const std::wstring& sub : {std::wstring(L"alpha"), std::wstring(L"Beta"), tooLong}) {
    RegKey created;
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(key_.get(), sub.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    created.reset(key);
  }
  for (const wchar_t* value : {L"Display", L"TZI"}) {
    RegSetValueExW(key_.get(), value, 0, REG_BINARY, reinterpret_cast<const BYTE*>("ab"), 2);
  }
  std::vector<std::u16string> keys{u"kept"};
  EXPECT_EQ(registry_.EnumSubKeyNames(key_.get(), keys), 0);
  std::sort(keys.begin(), keys.end());
  EXPECT_EQ(keys, (std::vector<std::u16string>{u"Beta", u"alpha", u"kept"}));
  std::vector<std::u16string> values;
  EXPECT_EQ(registry_.EnumValueNames(key_.get(), values), 0);
  std::sort(values.begin(), values.end());
  EXPECT_EQ(values, (std::vector<std::u16string>{u"Display", u"TZI"}));
}

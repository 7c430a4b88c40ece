#include "core/lang/lang_manager.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "core/text/u16.h"

namespace {

// Language images by name; names match in any ASCII case, as resource names do.
class FakeResources : public lang::LangResourceSource {
 public:
  void Add(std::u16string_view name, std::u16string_view table) {
    std::vector<std::byte>& image = images_[Lower(name)];
    image = {std::byte{0xFF}, std::byte{0xFE}};
    for (char16_t c : table) {
      image.push_back(static_cast<std::byte>(c & 0xFF));
      image.push_back(static_cast<std::byte>(c >> 8));
    }
  }
  void AddRaw(std::u16string_view name, std::vector<std::byte> image) {
    images_[Lower(name)] = std::move(image);
  }

  std::optional<std::span<const std::byte>> Find(std::u16string_view name) const override {
    auto it = images_.find(Lower(name));
    if (it == images_.end()) return std::nullopt;
    return std::span<const std::byte>(it->second);
  }

 private:
  static std::u16string Lower(std::u16string_view name) {
    std::u16string lower;
    for (char16_t c : name) lower.push_back(text::AsciiLower(c));
    return lower;
  }
  std::map<std::u16string, std::vector<std::byte>> images_;
};

constexpr std::u16string_view kEnglish =
    u"[text]\r\nIDS_STRING101=\"Dash cam setting\"\r\nIDS_STRING107=\"Cancel\"\r\n"
    u"IDS_STRING110=\"Front\"\r\nLINES=\"one\\ntwo\\r\\nthree\"";
constexpr std::u16string_view kFrench =
    u"[text]\r\nIDS_STRING101=\"Param\u00e9trage de la Dashcam\"\r\nIDS_STRING107=\r\n";

class LangManagerTest : public testing::Test {
 protected:
  LangManagerTest() {
    resources_.Add(u"ENGLISH", kEnglish);
    resources_.Add(u"FRENCH", kFrench);
  }
  FakeResources resources_;
  lang::CLangManager manager_;
};

}  // namespace

TEST_F(LangManagerTest, ChosenTableFirstThenEnglish) {
  ASSERT_TRUE(manager_.LoadLanguage(u"french", resources_));
  const struct {
    std::u16string_view key;
    std::u16string_view text;
  } cases[] = {
      {u"IDS_STRING101", u"Param\u00e9trage de la Dashcam"},
      {u"ids_string101", u"Param\u00e9trage de la Dashcam"},
      {u"IDS_STRING107", u"Cancel"},  // empty in French
      {u"IDS_STRING110", u"Front"},   // missing in French
      {u"IDS_STRING999", u""},
      {u"LINES", u"one\ntwo\r\nthree"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.key));
    EXPECT_EQ(text::ToUtf8(manager_.GetLangText(c.key)), text::ToUtf8(c.text));
  }
}

TEST_F(LangManagerTest, EmptyNameLoadsEnglishOnly) {
  EXPECT_TRUE(manager_.LoadLanguage(u"", resources_));
  EXPECT_EQ(manager_.GetLangText(u"IDS_STRING101"), u"Dash cam setting");
}

TEST_F(LangManagerTest, ErrorLoadingUntilALoadSucceeds) {
  EXPECT_EQ(manager_.GetLangText(u"IDS_STRING101"), u"Error Loading");

  ASSERT_TRUE(manager_.LoadLanguage(u"english", resources_));
  EXPECT_FALSE(manager_.LoadLanguage(u"german", resources_));
  EXPECT_EQ(manager_.GetLangText(u"IDS_STRING101"), u"Error Loading");

  FakeResources frenchOnly;
  frenchOnly.Add(u"FRENCH", kFrench);
  EXPECT_FALSE(manager_.LoadLanguage(u"french", frenchOnly));
  EXPECT_EQ(manager_.GetLangText(u"IDS_STRING101"), u"Error Loading");

  FakeResources tooShort;
  tooShort.AddRaw(u"ENGLISH", {std::byte{0xFF}});
  EXPECT_FALSE(manager_.LoadLanguage(u"english", tooShort));
  EXPECT_EQ(manager_.GetLangText(u"IDS_STRING101"), u"Error Loading");
}

TEST_F(LangManagerTest, ALoadReplacesThePreviousOne) {
  ASSERT_TRUE(manager_.LoadLanguage(u"french", resources_));
  ASSERT_TRUE(manager_.LoadLanguage(u"english", resources_));
  EXPECT_EQ(manager_.GetLangText(u"IDS_STRING101"), u"Dash cam setting");
}

TEST_F(LangManagerTest, TableWithoutByteOrderMarkIsAnsi) {
  const std::string ansi = "[text]\r\nIDS_STRING101=Caf\xe9";
  const auto* bytes = reinterpret_cast<const std::byte*>(ansi.data());
  resources_.AddRaw(u"FRENCH", {bytes, bytes + ansi.size()});
  ASSERT_TRUE(manager_.LoadLanguage(u"french", resources_));
  EXPECT_EQ(manager_.GetLangText(u"IDS_STRING101"), u"Caf\u00e9");
}

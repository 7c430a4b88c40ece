#include <gtest/gtest.h>

#include <string>

#include "core/lang/lang_manager.h"
#include "core/text/u16.h"
#include "win/lang/program_lang_resources.h"

// This test program carries the same resources as the real one.

TEST(LangResources, TablesAreFoundInAnyCase) {
  lang::ProgramLangResources resources;
  for (std::u16string_view name : {u"english", u"ENGLISH", u"french", u"French"}) {
    SCOPED_TRACE(text::ToUtf8(name));
    std::optional<std::span<const std::byte>> image = resources.Find(name);
    ASSERT_TRUE(image.has_value());
    ASSERT_GE(image->size(), 2u);
    EXPECT_EQ((*image)[0], std::byte{0xFF});
    EXPECT_EQ((*image)[1], std::byte{0xFE});
  }
  EXPECT_FALSE(resources.Find(u"german").has_value());
}

TEST(LangResources, ProgramLanguageComesFromTheResources) {
  const struct {
    std::u16string_view language;
    std::u16string_view key;
    std::u16string_view text;
  } cases[] = {
      {u"french", u"IDS_STRING109", u"Luminosit\u00e9"},
      {u"FRENCH", u"ids_string145", u"\u00c9crasement de la vid\u00e9o"},
      {u"french", u"IDS_STRING197",
       u"Impossible d'enregistrer le param\u00e9trage sur la carte m\u00e9moire."},
      {u"english", u"IDS_STRING183", u"   e.g.) "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(text::ToUtf8(c.language) + " " + text::ToUtf8(c.key));
    ASSERT_TRUE(lang::LoadProgramLanguage(c.language));
    EXPECT_EQ(text::ToUtf8(lang::Lang().GetLangText(c.key)), text::ToUtf8(c.text));
  }
}

TEST(LangResources, MissingLanguageLeavesErrorLoading) {
  EXPECT_FALSE(lang::LoadProgramLanguage(u"german"));
  EXPECT_EQ(lang::Lang().GetLangText(u"IDS_STRING101"), u"Error Loading");
  // Leave the program's language as the main window would load it.
  EXPECT_TRUE(lang::LoadProgramLanguage(u"english"));
}

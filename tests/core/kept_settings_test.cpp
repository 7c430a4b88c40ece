#include "core/card/kept_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace {

using card::Bytes;
using card::CardIdentity;
using card::KeptSettings;

constexpr std::uint64_t k8G = std::uint64_t{8} << 30;
const Bytes kSettings{std::byte{0xB0}, std::byte{0x01}, std::byte{0}};

TEST(KeptSettings, GoBackOnlyOnTheCardTheyWereKeptFor) {
  const CardIdentity destroyed{std::nullopt, k8G};
  const CardIdentity pulled{std::nullopt, 0};
  const struct {
    const char* name;
    CardIdentity before, after, now;
    bool found;
  } cases[] = {
      {"file system destroyed by the failed format", {0xA1, k8G}, destroyed, destroyed, true},
      {"file system left as it was", {0xA1, k8G}, {0xA1, k8G}, {0xA1, k8G}, true},
      {"file system the failed format wrote", {0xA1, k8G}, {0xA2, k8G}, {0xA2, k8G}, true},
      {"file system as it was before the failure", {0xA1, k8G}, destroyed, {0xA1, k8G}, true},
      {"card out of the reader after the format", {0xA1, k8G}, pulled, destroyed, true},
      {"another card's file system", {0xA1, k8G}, destroyed, {0xB1, k8G}, false},
      {"another size", {0xA1, k8G}, destroyed, {std::nullopt, 2 * k8G}, false},
      {"no file system, but this card's was intact", {0xA1, k8G}, {0xA2, k8G}, destroyed, false},
      {"size never read, no file system", {0xA1, 0}, pulled, pulled, false},
      {"size never read, a file system seen", {0xA1, 0}, pulled, {0xA1, 0}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KeptSettings kept;
    kept.Update(c.before, c.after, kSettings);
    const card::KeptMatch match = kept.For(c.now);
    EXPECT_FALSE(match.ambiguous);
    ASSERT_EQ(match.settings != nullptr, c.found);
    if (match.settings != nullptr) {
      EXPECT_EQ(*match.settings, kSettings);
    }
  }
}

TEST(KeptSettings, HoldEachCardsSettingsUntilBackAndGiveNoneToACardThatCouldBeEither) {
  const CardIdentity a{0xA1, k8G};
  const CardIdentity b{0xB1, k8G};
  const CardIdentity destroyed{std::nullopt, k8G};
  const Bytes ofB{std::byte{7}};
  KeptSettings kept;
  EXPECT_EQ(kept.For(a).settings, nullptr) << "nothing kept yet";
  kept.Update(a, destroyed, kSettings);
  kept.Update(b, b, ofB);
  EXPECT_EQ(*kept.For(destroyed).settings, kSettings) << "B's file system is intact";
  ASSERT_NE(kept.For(b).settings, nullptr);
  EXPECT_EQ(*kept.For(b).settings, ofB);

  // A card of that size whose failed format destroyed it with nothing to
  // keep: a card without a file system may now be A or it.
  const CardIdentity c{0xC1, k8G};
  kept.Update(c, destroyed, std::nullopt);
  EXPECT_TRUE(kept.For(destroyed).ambiguous);
  // It got a file system of its own since: still either card.
  const CardIdentity formatted{0xD1, k8G};
  kept.Update(destroyed, formatted, std::nullopt);
  EXPECT_TRUE(kept.For(formatted).ambiguous);

  kept.Update(b, b, std::nullopt);
  EXPECT_EQ(kept.For(b).settings, nullptr) << "B's settings are back";
  kept.Update(b, b, kSettings);
  kept.Update(b, b, ofB);
  EXPECT_EQ(*kept.For(b).settings, ofB) << "a card's later settings replace its earlier ones";
}

}  // namespace

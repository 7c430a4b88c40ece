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
      {"size never read, no file system", {0xA1, 0}, pulled, pulled, false},
      {"size never read, a file system seen", {0xA1, 0}, pulled, {0xA1, 0}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KeptSettings kept;
    kept.Keep(c.before, c.after, kSettings);
    const card::KeptMatch match = kept.For(c.now);
    EXPECT_FALSE(match.ambiguous);
    ASSERT_EQ(match.settings != nullptr, c.found);
    if (match.settings != nullptr) {
      EXPECT_EQ(*match.settings, kSettings);
    }
  }
}

TEST(KeptSettings, HoldEachCardsSettingsUntilForgottenAndGiveNoneToACardThatCouldBeEither) {
  const CardIdentity a{0xA1, k8G};
  const CardIdentity b{0xB1, k8G};
  const CardIdentity destroyed{std::nullopt, k8G};
  const Bytes ofB{std::byte{7}};
  KeptSettings kept;
  EXPECT_EQ(kept.For(a).settings, nullptr) << "nothing kept yet";
  kept.Keep(a, a, kSettings);
  kept.Keep(b, b, ofB);
  ASSERT_NE(kept.For(a).settings, nullptr);
  EXPECT_EQ(*kept.For(a).settings, kSettings);
  ASSERT_NE(kept.For(b).settings, nullptr);
  EXPECT_EQ(*kept.For(b).settings, ofB);
  EXPECT_TRUE(kept.For(destroyed).ambiguous) << "a destroyed card of that size may be A or B";

  // The ambiguous card got a file system of its own: it stays ambiguous.
  const CardIdentity formatted{0xC1, k8G};
  kept.Widen(destroyed, formatted);
  EXPECT_TRUE(kept.For(formatted).ambiguous);

  kept.Forget(a);
  EXPECT_EQ(kept.For(a).settings, nullptr);
  ASSERT_NE(kept.For(destroyed).settings, nullptr) << "only B's are left";
  EXPECT_EQ(*kept.For(destroyed).settings, ofB);
  kept.Keep(b, b, kSettings);
  EXPECT_EQ(*kept.For(b).settings, kSettings) << "a card's later settings replace its earlier ones";
}

}  // namespace

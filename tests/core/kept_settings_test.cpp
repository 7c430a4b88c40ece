#include "core/card/kept_settings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace {

using card::CardIdentity;
using card::KeptSettings;

constexpr std::uint64_t k8G = std::uint64_t{8} << 30;
const std::vector<std::byte> kSettings{std::byte{0xB0}, std::byte{0x01}, std::byte{0}};

TEST(KeptSettings, GoBackOnlyOnTheCardTheyWereKeptFor) {
  const CardIdentity destroyed{std::nullopt, k8G};
  const struct {
    const char* name;
    CardIdentity before, after, now;
    bool found;
  } cases[] = {
      {"file system destroyed by the failed format", {0xA1, k8G}, destroyed, destroyed, true},
      {"file system left as it was", {0xA1, k8G}, {0xA1, k8G}, {0xA1, k8G}, true},
      {"file system the failed format wrote", {0xA1, k8G}, {0xA2, k8G}, {0xA2, k8G}, true},
      {"file system as it was before the failure", {0xA1, k8G}, destroyed, {0xA1, k8G}, true},
      {"another card's file system", {0xA1, k8G}, destroyed, {0xB1, k8G}, false},
      {"another size", {0xA1, k8G}, destroyed, {std::nullopt, 2 * k8G}, false},
      {"size unknown", {0xA1, 0}, {std::nullopt, 0}, {std::nullopt, 0}, false},
      {"size changed during the format", {0xA1, k8G}, {std::nullopt, 2 * k8G}, destroyed, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    KeptSettings kept;
    kept.Keep(c.before, c.after, kSettings);
    const std::vector<std::byte>* found = kept.For(c.now);
    ASSERT_EQ(found != nullptr, c.found);
    if (found != nullptr) {
      EXPECT_EQ(*found, kSettings);
    }
  }
}

TEST(KeptSettings, HoldOneCardsSettingsUntilForgotten) {
  const CardIdentity a{0xA1, k8G};
  const CardIdentity b{0xB1, 2 * k8G};
  KeptSettings kept;
  EXPECT_EQ(kept.For(a), nullptr) << "nothing kept yet";
  kept.Keep(a, a, kSettings);
  const std::vector<std::byte> ofB{std::byte{7}};
  kept.Keep(b, b, ofB);
  EXPECT_EQ(kept.For(a), nullptr) << "replaced by the later card's";
  ASSERT_NE(kept.For(b), nullptr);
  EXPECT_EQ(*kept.For(b), ofB);
  kept.Forget();
  EXPECT_EQ(kept.For(b), nullptr);
}

}  // namespace

#pragma once
// The setup.cfg of a card that a format could not put back on it, kept so
// that the next format of that same card puts it back, while a format of
// any other card never does. One card's settings at a time.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace card {

// What the program can read of the card in the drive without writing it.
struct CardIdentity {
  // The file system's serial number; none when no file system can be read.
  std::optional<std::uint32_t> volumeSerial;
  std::uint64_t bytes = 0;  // the card's size; 0 when it cannot be read
};

class KeptSettings {
 public:
  // The settings kept for the card that reads `card` now; nullptr when
  // nothing is kept or `card` may be another card.
  const std::vector<std::byte>* For(const CardIdentity& card) const;

  // A format of the card that read `before` ended without `settings` on
  // it, and the card reads `after` now. Replaces whatever was kept.
  void Keep(const CardIdentity& before, const CardIdentity& after, std::vector<std::byte> settings);

  // The kept settings are back on their card.
  void Forget();

 private:
  std::uint64_t cardBytes_ = 0;         // 0: the card cannot be recognised
  std::vector<std::uint32_t> serials_;  // every serial number the card was seen with
  std::optional<std::vector<std::byte>> settings_;
};

}  // namespace card

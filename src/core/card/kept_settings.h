#pragma once
// The setup.cfg of cards that a format could not put back on them, kept so
// that the next format of the same card puts it back, while a format of
// any other card never does.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace card {

using Bytes = std::vector<std::byte>;

// What the program can read of the card in the drive without writing it.
struct CardIdentity {
  // The file system's serial number; none when no file system can be read.
  std::optional<std::uint32_t> volumeSerial;
  std::uint64_t bytes = 0;  // the card's size; 0 when it cannot be read
};

// Which kept settings belong to the card in the drive.
struct KeptMatch {
  const Bytes* settings = nullptr;  // those of the one card it can be
  bool ambiguous = false;           // it could be either of two cards: it gets neither
};

class KeptSettings {
 public:
  KeptMatch For(const CardIdentity& card) const;

  // A format of the card that read `before` ended without `settings` on
  // it, and the card reads `after` now. Replaces what was kept for it.
  void Keep(const CardIdentity& before, const CardIdentity& after, Bytes settings);

  // The card that read `before`, which could be either of several cards,
  // reads `after` now: it stays recognisable as each of them, so that a
  // later format of it still knows it cannot tell which.
  void Widen(const CardIdentity& before, const CardIdentity& after);

  // The settings of the card that read `before` are back on it.
  void Forget(const CardIdentity& before);

 private:
  struct Card {
    std::uint64_t bytes = 0;              // 0: its size was never read
    std::vector<std::uint32_t> serials;   // every serial number it was seen with
    Bytes settings;
  };

  bool CanBe(const Card& kept, const CardIdentity& card) const;
  // The one kept card that `card` can be, or none (nothing, or several).
  Card* Only(const CardIdentity& card);
  std::vector<Card*> Candidates(const CardIdentity& card);

  std::vector<Card> cards_;
};

}  // namespace card

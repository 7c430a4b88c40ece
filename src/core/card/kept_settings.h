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

// What is kept for the card in the drive.
struct KeptMatch {
  const Bytes* settings = nullptr;  // those of the one card it can be, if any
  bool ambiguous = false;           // it could be either of two cards: it gets nothing
};

class KeptSettings {
 public:
  KeptMatch For(const CardIdentity& card) const;

  // A format of the card that read `before` is over and the card reads
  // `after` now; `missing` are the settings that must still go back on it,
  // none when nothing is missing.
  void Update(const CardIdentity& before, const CardIdentity& after, std::optional<Bytes> missing);

 private:
  struct Card {
    std::uint64_t bytes = 0;             // 0: its size was never read
    std::vector<std::uint32_t> serials;  // every serial number it was seen with
    bool destroyed = false;              // last seen without a file system
    std::optional<Bytes> settings;
  };

  static bool CanBe(const Card& kept, const CardIdentity& card);
  std::vector<Card*> Candidates(const CardIdentity& card);

  std::vector<Card> cards_;
};

}  // namespace card

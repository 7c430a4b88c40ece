#include "core/card/kept_settings.h"

#include <algorithm>
#include <utility>

namespace card {
namespace {

bool Has(const std::vector<std::uint32_t>& serials, std::uint32_t serial) {
  return std::find(serials.begin(), serials.end(), serial) != serials.end();
}

void AddSerial(std::vector<std::uint32_t>& serials, const CardIdentity& card) {
  if (card.volumeSerial && !Has(serials, *card.volumeSerial)) serials.push_back(*card.volumeSerial);
}

}  // namespace

// A format may fail after it destroyed the card's file system (no serial
// number can be read any more) or after it wrote a new one (a new serial
// number), so the serial number alone cannot recognise a card again. A card
// is known instead by its size and by every serial number it had around
// its formats:
// - a card of another size is another card;
// - a card with a file system is the card that was seen with its serial
//   number, and no other;
// - a card without a file system is taken for a card of its size whose
//   format destroyed its file system: that is what a failed format leaves.
//   Every such card is remembered, with settings or without, so that a card
//   that could be either of two gets the settings of neither.
// A size that cannot be read neither tells cards apart nor recognises one.
bool KeptSettings::CanBe(const Card& kept, const CardIdentity& card) {
  const bool sizesKnown = kept.bytes != 0 && card.bytes != 0;
  if (sizesKnown && kept.bytes != card.bytes) return false;
  if (card.volumeSerial) return Has(kept.serials, *card.volumeSerial);
  return kept.destroyed && sizesKnown;
}

std::vector<KeptSettings::Card*> KeptSettings::Candidates(const CardIdentity& card) {
  std::vector<Card*> found;
  for (Card& kept : cards_) {
    if (CanBe(kept, card)) found.push_back(&kept);
  }
  return found;
}

KeptMatch KeptSettings::For(const CardIdentity& card) const {
  KeptMatch match;
  bool found = false;
  for (const Card& kept : cards_) {
    if (!CanBe(kept, card)) continue;
    if (found) return {nullptr, true};
    found = true;
    if (kept.settings) match.settings = &*kept.settings;
  }
  return match;
}

void KeptSettings::Update(const CardIdentity& before, const CardIdentity& after,
                          std::optional<Bytes> missing) {
  const std::vector<Card*> candidates = Candidates(before);
  const bool destroyed = !after.volumeSerial;
  if (candidates.size() > 1) {
    // Still either card: whatever it reads now, it stays as ambiguous.
    for (Card* kept : candidates) AddSerial(kept->serials, after);
  }
  Card* card = candidates.size() == 1 ? candidates.front() : nullptr;
  if (card == nullptr) {
    if (!missing && !destroyed) return;
    card = &cards_.emplace_back();
  }
  // The size from before the format: the card may be out of the reader now.
  if (card->bytes == 0) card->bytes = before.bytes != 0 ? before.bytes : after.bytes;
  AddSerial(card->serials, before);
  AddSerial(card->serials, after);
  card->destroyed = destroyed;
  card->settings = std::move(missing);
  if (!card->settings && !card->destroyed) {
    cards_.erase(cards_.begin() + (card - cards_.data()));
  }
}

}  // namespace card

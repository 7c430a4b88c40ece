#include "core/card/kept_settings.h"

#include <algorithm>
#include <utility>

namespace card {

// A format may fail after it destroyed the card's file system (no serial
// number can be read any more) or after it wrote a new one (a new serial
// number), so the serial number alone cannot recognise a card again. A card
// is known instead by its size and by every serial number it had around
// the formats that failed:
// - a card of another size is another card;
// - a card whose file system has a serial number this card never had is
//   another card, put in the reader meanwhile;
// - a card of the same size without a readable file system is taken for
//   this one: that is what a failed format leaves. Two such cards of one
//   size are told apart by nothing, so a card that could be either gets
//   the settings of neither.
// A size that cannot be read neither tells cards apart nor recognises one.
bool KeptSettings::CanBe(const Card& kept, const CardIdentity& card) const {
  const bool sizesKnown = kept.bytes != 0 && card.bytes != 0;
  if (sizesKnown && kept.bytes != card.bytes) return false;
  const bool serialSeen =
      card.volumeSerial && std::find(kept.serials.begin(), kept.serials.end(),
                                     *card.volumeSerial) != kept.serials.end();
  if (card.volumeSerial && !serialSeen) return false;
  return sizesKnown || serialSeen;
}

std::vector<KeptSettings::Card*> KeptSettings::Candidates(const CardIdentity& card) {
  std::vector<Card*> found;
  for (Card& kept : cards_) {
    if (CanBe(kept, card)) found.push_back(&kept);
  }
  return found;
}

KeptSettings::Card* KeptSettings::Only(const CardIdentity& card) {
  const std::vector<Card*> found = Candidates(card);
  return found.size() == 1 ? found.front() : nullptr;
}

KeptMatch KeptSettings::For(const CardIdentity& card) const {
  KeptMatch match;
  for (const Card& kept : cards_) {
    if (!CanBe(kept, card)) continue;
    if (match.settings != nullptr || match.ambiguous) return {nullptr, true};
    match.settings = &kept.settings;
  }
  return match;
}

namespace {

void AddSerial(std::vector<std::uint32_t>& serials, const CardIdentity& card) {
  if (card.volumeSerial &&
      std::find(serials.begin(), serials.end(), *card.volumeSerial) == serials.end()) {
    serials.push_back(*card.volumeSerial);
  }
}

}  // namespace

void KeptSettings::Keep(const CardIdentity& before, const CardIdentity& after, Bytes settings) {
  Card* kept = Only(before);
  if (kept == nullptr) kept = &cards_.emplace_back();
  // The size from before the format: the card may be out of the reader now.
  if (kept->bytes == 0) kept->bytes = before.bytes != 0 ? before.bytes : after.bytes;
  AddSerial(kept->serials, before);
  AddSerial(kept->serials, after);
  kept->settings = std::move(settings);
}

void KeptSettings::Widen(const CardIdentity& before, const CardIdentity& after) {
  for (Card* kept : Candidates(before)) AddSerial(kept->serials, after);
}

void KeptSettings::Forget(const CardIdentity& before) {
  if (const Card* kept = Only(before)) {
    cards_.erase(cards_.begin() + (kept - cards_.data()));
  }
}

}  // namespace card

#include "core/card/kept_settings.h"

#include <algorithm>
#include <utility>

namespace card {

// A format may fail after it destroyed the card's file system (no serial
// number can be read any more) or after it wrote a new one (a new serial
// number), so the serial number alone cannot recognise the card again. The
// card is known instead by its size and by the serial numbers it had just
// before and just after the format that failed:
// - a card of another size is another card;
// - a card whose file system has a serial number this card never had is
//   another card, put in the reader meanwhile;
// - a card of the same size without a readable file system is taken for this
//   one: that is what a failed format leaves. Only a second card of exactly
//   that size, without a file system of its own, could be mistaken for it,
//   and such a card holds no settings that could be overwritten.
// A card whose size cannot be read, or changes during the format, is never
// recognised. (Wine reports one serial number per drive whatever the card,
// so there the size alone tells cards apart.)
const std::vector<std::byte>* KeptSettings::For(const CardIdentity& card) const {
  if (!settings_ || cardBytes_ == 0 || card.bytes != cardBytes_) return nullptr;
  if (card.volumeSerial &&
      std::find(serials_.begin(), serials_.end(), *card.volumeSerial) == serials_.end()) {
    return nullptr;
  }
  return &*settings_;
}

void KeptSettings::Keep(const CardIdentity& before, const CardIdentity& after,
                        std::vector<std::byte> settings) {
  cardBytes_ = before.bytes == after.bytes ? before.bytes : 0;
  serials_.clear();
  for (const CardIdentity* seen : {&before, &after}) {
    if (seen->volumeSerial) serials_.push_back(*seen->volumeSerial);
  }
  settings_ = std::move(settings);
}

void KeptSettings::Forget() {
  cardBytes_ = 0;
  serials_.clear();
  settings_.reset();
}

}  // namespace card

#pragma once
// The oracle: from the controls' states alone, what setup.cfg and time.dat
// the screen promises, checked against what Save wrote. It knows the
// settings record and each page's controls from their tables, written here
// again on purpose: it shares nothing with the program but the control ids.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "screen_view.h"

namespace monkey {

// The first difference between what the screen promised and what Save
// wrote to the card, in words; nullopt when they agree. `before` is the
// card as the program found it.
std::optional<std::string> FirstBrokenPromise(const CardFiles& before, const CardFiles& after,
                                              const ScreenView& screen,
                                              const std::vector<RegistryZone>& zones);

// What the screen must show as the program starts, before any input: a
// record that never had a zone shows the PC's, of the PC's standard offset
// `pcStandardUtc` (minutes east of UTC); nullopt when it does.
std::optional<std::string> FirstBrokenStartPromise(const CardFiles& before,
                                                   const ScreenView& atStart,
                                                   std::int32_t pcStandardUtc);

// The factory record, 432 bytes, as the oracle's own table gives it.
std::vector<std::uint8_t> FactoryRecord();

}  // namespace monkey

#pragma once
// How much of the memory card each kind of recording gets under the three
// memory-partition layouts, and how the Additional-functions page shows it:
// a bar per kind whose length follows the share, and a percentage text.

#include <array>
#include <cstdint>
#include <string>

namespace pages::partition {

// The kinds of recording, in the order of the page's share rows.
inline constexpr int kShareKinds = 5;  // continuous, incident (continuous),
                                       // parking motion, incident (parking), manual

// Fractions of the card, single precision as the camera's table has them.
// A layout's shares do not add up to exactly 1; they are shown as they stand.
using Shares = std::array<float, kShareKinds>;

// The shares of `memoryPartition`: 2 is the B type, 3 the C type, and every
// other value (1, or anything a damaged record holds) the A type.
const Shares& SharesFor(std::int32_t memoryPartition);

// The length in pixels of a full-card bar.
inline constexpr double kFullBarWidth = 300.0;
// A bar's length: the share of kFullBarWidth, truncated toward zero.
int BarWidth(float share);

// "60.6%": the share in percent with one decimal, as printf "%3.1f%%".
std::u16string PercentText(float share);

}  // namespace pages::partition

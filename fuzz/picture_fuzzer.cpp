// Pictures are the program's own resources, but the decoder is written to
// refuse any bytes it cannot read without ever reading past them. Random
// bytes seldom pass a PNG chunk's checksum, so the same input also goes to
// the inflater alone, the length it must give taken from its first byte.

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/skin/inflate.h"
#include "core/skin/png_image.h"
#include "fuzz_require.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(data), size);
  if (const auto image = skin::DecodePng(bytes)) {
    FUZZ_REQUIRE(image->width > 0 && image->height > 0);
    FUZZ_REQUIRE(image->pixels.size() ==
                 static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height));
  }
  if (size > 0) {
    const std::size_t expected = std::size_t{data[0]} * 64;
    if (const auto inflated = skin::InflateZlib(bytes.subspan(1), expected)) {
      FUZZ_REQUIRE(inflated->size() == expected);
    }
  }
  return 0;
}

#pragma once
// Decodes the program's PNG pictures: 8-bit RGBA or RGB, not interlaced,
// as the skin script writes them. Pure: no I/O, nothing thrown.
//
// The pictures were decoded by the system's imaging library before; under
// Wine its start alone (codec discovery in the registry, its own DLLs) took
// longer than everything else the window does before its first paint.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace skin {

struct PngImage {
  int width = 0;
  int height = 0;
  // Top row first; each pixel 0xAARRGGBB with straight (not premultiplied)
  // colours, as Windows' 32-bit ARGB bitmaps lay them out.
  std::vector<std::uint32_t> pixels;
};

// The picture in `file`; nothing for anything else: another format or
// layout, a damaged or cut file (every chunk's checksum is checked), or a
// picture larger than 4096 pixels on a side.
std::optional<PngImage> DecodePng(std::span<const std::byte> file);

}  // namespace skin

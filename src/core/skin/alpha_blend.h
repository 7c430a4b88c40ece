#pragma once
// Pixels with alpha, as pictures and canvases hold them: 32-bit 0xAARRGGBB
// words, straight as decoded or premultiplied by their alpha as 32-bit
// Windows bitmaps blend them.

#include <cstdint>
#include <span>

namespace skin {

// A straight pixel premultiplied by its alpha, each colour rounded.
std::uint32_t Premultiplied(std::uint32_t straight);

// Lays premultiplied `picture` over premultiplied `canvas`, pixel by pixel
// (the two the same size), as alpha blending lays one picture over another:
// an opaque pixel replaces the canvas's, a transparent one leaves it.
void LayOver(std::span<const std::uint32_t> picture, std::span<std::uint32_t> canvas);

}  // namespace skin

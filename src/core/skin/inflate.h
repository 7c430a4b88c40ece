#pragma once
// Inflates a zlib stream (a deflate stream behind a two-byte header, with
// an Adler-32 sum of the data at its end), as PNG pictures carry their
// pixels. Pure: no I/O, nothing thrown.

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

namespace skin {

// The inflated bytes, when `stream` is one whole, well-formed zlib stream
// whose data is exactly `expectedBytes` long; nothing otherwise (a damaged,
// cut or over-long stream, a preset dictionary, a wrong sum).
std::optional<std::vector<std::byte>> InflateZlib(std::span<const std::byte> stream,
                                                  std::size_t expectedBytes);

}  // namespace skin

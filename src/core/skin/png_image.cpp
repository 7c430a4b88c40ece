#include "core/skin/png_image.h"

#include <array>
#include <cstdlib>
#include <string_view>

#include "core/skin/inflate.h"

namespace skin {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint32_t kMaxSide = 4096;
constexpr std::uint8_t kRgb = 2, kRgba = 6;

std::uint32_t BigEndian32(std::span<const std::byte> bytes) {
  std::uint32_t value = 0;
  for (std::byte b : bytes.first(4)) value = (value << 8) | std::to_integer<std::uint32_t>(b);
  return value;
}

std::uint32_t Crc32(std::span<const std::byte> bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::byte b : bytes) crc = table[(crc ^ std::to_integer<std::uint32_t>(b)) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

struct Header {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int channels = 0;  // 3 (RGB) or 4 (RGBA)
};

std::optional<Header> ReadHeader(std::span<const std::byte> data) {
  if (data.size() != 13) return std::nullopt;
  const auto byte = [&](std::size_t i) { return std::to_integer<std::uint8_t>(data[i]); };
  Header header{BigEndian32(data), BigEndian32(data.subspan(4)), 0};
  const std::uint8_t depth = byte(8), colourType = byte(9);
  const bool plain = byte(10) == 0 && byte(11) == 0 && byte(12) == 0;  // deflate, filters, no interlace
  if (depth != 8 || (colourType != kRgb && colourType != kRgba) || !plain) return std::nullopt;
  if (header.width == 0 || header.height == 0 || header.width > kMaxSide ||
      header.height > kMaxSide) {
    return std::nullopt;
  }
  header.channels = colourType == kRgba ? 4 : 3;
  return header;
}

int Paeth(int left, int above, int aboveLeft) {
  const int estimate = left + above - aboveLeft;
  const int toLeft = std::abs(estimate - left), toAbove = std::abs(estimate - above),
            toAboveLeft = std::abs(estimate - aboveLeft);
  if (toLeft <= toAbove && toLeft <= toAboveLeft) return left;
  return toAbove <= toAboveLeft ? above : aboveLeft;
}

// Undoes each row's filter in place; false for a filter type PNG has not.
bool Unfilter(std::vector<std::byte>& data, const Header& header) {
  const std::size_t rowBytes = header.width * header.channels;
  const std::size_t pixelBytes = header.channels;
  std::uint8_t* previous = nullptr;
  for (std::uint32_t y = 0; y < header.height; ++y) {
    auto* row = reinterpret_cast<std::uint8_t*>(data.data()) + y * (rowBytes + 1);
    const std::uint8_t filter = row[0];
    std::uint8_t* pixels = row + 1;
    for (std::size_t i = 0; i < rowBytes; ++i) {
      const int left = i >= pixelBytes ? pixels[i - pixelBytes] : 0;
      const int above = previous != nullptr ? previous[i] : 0;
      const int aboveLeft = previous != nullptr && i >= pixelBytes ? previous[i - pixelBytes] : 0;
      int predicted = 0;
      switch (filter) {
        case 0:
          break;
        case 1:
          predicted = left;
          break;
        case 2:
          predicted = above;
          break;
        case 3:
          predicted = (left + above) / 2;
          break;
        case 4:
          predicted = Paeth(left, above, aboveLeft);
          break;
        default:
          return false;
      }
      pixels[i] = static_cast<std::uint8_t>(pixels[i] + predicted);
    }
    previous = pixels;
  }
  return true;
}

}  // namespace

std::optional<PngImage> DecodePng(std::span<const std::byte> file) {
  if (file.size() < kSignature.size()) return std::nullopt;
  for (std::size_t i = 0; i < kSignature.size(); ++i) {
    if (std::to_integer<std::uint8_t>(file[i]) != kSignature[i]) return std::nullopt;
  }
  std::optional<Header> header;
  std::vector<std::byte> compressed;
  bool ended = false;
  for (std::span<const std::byte> rest = file.subspan(kSignature.size()); !ended;) {
    if (rest.size() < 12) return std::nullopt;
    const std::uint32_t length = BigEndian32(rest);
    if (length > rest.size() - 12) return std::nullopt;
    const std::span<const std::byte> typed = rest.subspan(4, 4 + length);  // type and data
    if (Crc32(typed) != BigEndian32(rest.subspan(8 + length))) return std::nullopt;
    const std::string_view type(reinterpret_cast<const char*>(typed.data()), 4);
    const std::span<const std::byte> data = typed.subspan(4);
    if (!header) {
      if (type != "IHDR" || !(header = ReadHeader(data))) return std::nullopt;
    } else if (type == "IDAT") {
      compressed.insert(compressed.end(), data.begin(), data.end());
    } else if (type == "IEND") {
      ended = true;
    } else if ((type[0] & 0x20) == 0 && type != "PLTE") {
      return std::nullopt;  // a critical chunk this decoder does not know
    }
    rest = rest.subspan(12 + length);
  }
  const std::size_t rowBytes = std::size_t{header->width} * header->channels + 1;
  std::optional<std::vector<std::byte>> raw = InflateZlib(compressed, rowBytes * header->height);
  if (!raw || !Unfilter(*raw, *header)) return std::nullopt;

  PngImage image{static_cast<int>(header->width), static_cast<int>(header->height), {}};
  image.pixels.reserve(std::size_t{header->width} * header->height);
  for (std::uint32_t y = 0; y < header->height; ++y) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(raw->data()) + y * rowBytes + 1;
    for (std::uint32_t x = 0; x < header->width; ++x, p += header->channels) {
      const std::uint32_t alpha = header->channels == 4 ? p[3] : 0xFF;
      image.pixels.push_back(alpha << 24 | std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 |
                             p[2]);
    }
  }
  return image;
}

}  // namespace skin

#include "core/skin/inflate.h"

#include <array>
#include <cstdint>

namespace skin {
namespace {

constexpr int kMaxBits = 15;
constexpr int kLiteralCodes = 288;
constexpr int kDistanceCodes = 30;
constexpr int kEndOfBlock = 256;

constexpr std::uint16_t kLengthBase[] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                         31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                         2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                           33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                           1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistanceExtra[] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                           6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
// The order in which a dynamic block gives its code-length code's lengths.
constexpr std::uint8_t kCodeLengthOrder[] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                             11, 4,  12, 3, 13, 2, 14, 1, 15};

// Least significant bit first, as deflate packs them; past the end, every
// read gives zeros and marks the stream as cut.
class BitReader {
 public:
  explicit BitReader(std::span<const std::byte> in) : in_(in) {}

  std::uint32_t Bits(int count) {
    while (held_ < count) {
      if (next_ == in_.size()) {
        cut_ = true;
        return 0;
      }
      bits_ |= std::to_integer<std::uint32_t>(in_[next_++]) << held_;
      held_ += 8;
    }
    const std::uint32_t value = bits_ & ((1u << count) - 1);
    bits_ >>= count;
    held_ -= count;
    return value;
  }

  // Drops the rest of the byte being read; bytes come whole from here on.
  void AlignToByte() {
    bits_ = 0;
    held_ = 0;
  }

  std::span<const std::byte> TakeBytes(std::size_t count) {
    if (in_.size() - next_ < count) {
      cut_ = true;
      return {};
    }
    next_ += count;
    return in_.subspan(next_ - count, count);
  }

  bool Cut() const { return cut_; }
  bool AtEnd() const { return next_ == in_.size(); }

 private:
  std::span<const std::byte> in_;
  std::size_t next_ = 0;
  std::uint32_t bits_ = 0;
  int held_ = 0;  // below 8 between reads
  bool cut_ = false;
};

// A canonical Huffman code: how many codes of each length, and the symbols
// in code order.
struct HuffmanCode {
  std::array<std::uint16_t, kMaxBits + 1> counts{};
  std::array<std::uint16_t, kLiteralCodes> symbols{};
};

// False for lengths that no prefix code has (more codes of a length than
// fit). A code with room to spare is allowed: a block may use one distance.
bool BuildCode(HuffmanCode& code, const std::uint8_t* lengths, int symbolCount) {
  code.counts.fill(0);
  for (int s = 0; s < symbolCount; ++s) ++code.counts[lengths[s]];
  code.counts[0] = 0;
  int room = 1;
  for (int length = 1; length <= kMaxBits; ++length) {
    room = room * 2 - code.counts[length];
    if (room < 0) return false;
  }
  std::array<std::uint16_t, kMaxBits + 2> offsets{};
  for (int length = 1; length <= kMaxBits; ++length) {
    offsets[length + 1] = offsets[length] + code.counts[length];
  }
  for (int s = 0; s < symbolCount; ++s) {
    if (lengths[s] != 0) code.symbols[offsets[lengths[s]]++] = static_cast<std::uint16_t>(s);
  }
  return true;
}

// The next symbol, or -1 for bits that are no code.
int DecodeSymbol(BitReader& in, const HuffmanCode& code) {
  int value = 0, first = 0, index = 0;
  for (int length = 1; length <= kMaxBits; ++length) {
    value |= static_cast<int>(in.Bits(1));
    const int count = code.counts[length];
    if (value - first < count) return code.symbols[index + value - first];
    index += count;
    first = (first + count) << 1;
    value <<= 1;
  }
  return -1;
}

class Inflater {
 public:
  Inflater(std::span<const std::byte> stream, std::size_t expectedBytes)
      : in_(stream), limit_(expectedBytes) {
    out_.reserve(expectedBytes);
  }

  bool Run() {
    for (bool last = false; !last;) {
      last = in_.Bits(1) == 1;
      bool ok = false;
      switch (in_.Bits(2)) {
        case 0:
          ok = Stored();
          break;
        case 1:
          ok = Fixed();
          break;
        case 2:
          ok = Dynamic();
          break;
        default:
          break;
      }
      if (!ok || in_.Cut()) return false;
    }
    return true;
  }

  BitReader& Input() { return in_; }
  std::vector<std::byte>& Output() { return out_; }

 private:
  bool Put(std::byte b) {
    if (out_.size() == limit_) return false;
    out_.push_back(b);
    return true;
  }

  bool Stored() {
    in_.AlignToByte();
    const std::uint32_t length = in_.Bits(16);
    const std::uint32_t complement = in_.Bits(16);
    if (in_.Cut() || (length ^ 0xFFFF) != complement) return false;
    for (std::byte b : in_.TakeBytes(length)) {
      if (!Put(b)) return false;
    }
    return !in_.Cut();
  }

  bool Fixed() {
    std::array<std::uint8_t, kLiteralCodes + kDistanceCodes> lengths{};
    for (int s = 0; s < kLiteralCodes; ++s) lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    for (int s = 0; s < kDistanceCodes; ++s) lengths[kLiteralCodes + s] = 5;
    HuffmanCode literals, distances;
    BuildCode(literals, lengths.data(), kLiteralCodes);
    BuildCode(distances, lengths.data() + kLiteralCodes, kDistanceCodes);
    return Codes(literals, distances);
  }

  bool Dynamic() {
    const int literalCount = static_cast<int>(in_.Bits(5)) + 257;
    const int distanceCount = static_cast<int>(in_.Bits(5)) + 1;
    const int lengthCodeCount = static_cast<int>(in_.Bits(4)) + 4;
    if (literalCount > 286 || distanceCount > kDistanceCodes) return false;
    std::array<std::uint8_t, 19> codeLengths{};
    for (int i = 0; i < lengthCodeCount; ++i) {
      codeLengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(in_.Bits(3));
    }
    HuffmanCode lengthCode;
    if (!BuildCode(lengthCode, codeLengths.data(), 19)) return false;

    std::array<std::uint8_t, kLiteralCodes + kDistanceCodes> lengths{};
    const int total = literalCount + distanceCount;
    for (int i = 0; i < total;) {
      const int symbol = DecodeSymbol(in_, lengthCode);
      if (symbol < 0 || in_.Cut()) return false;
      if (symbol < 16) {
        lengths[i++] = static_cast<std::uint8_t>(symbol);
        continue;
      }
      std::uint8_t repeated = 0;
      int times = 0;
      if (symbol == 16) {
        if (i == 0) return false;
        repeated = lengths[i - 1];
        times = 3 + static_cast<int>(in_.Bits(2));
      } else if (symbol == 17) {
        times = 3 + static_cast<int>(in_.Bits(3));
      } else {
        times = 11 + static_cast<int>(in_.Bits(7));
      }
      if (i + times > total) return false;
      while (times-- > 0) lengths[i++] = repeated;
    }
    if (lengths[kEndOfBlock] == 0) return false;
    HuffmanCode literals, distances;
    return BuildCode(literals, lengths.data(), literalCount) &&
           BuildCode(distances, lengths.data() + literalCount, distanceCount) &&
           Codes(literals, distances);
  }

  bool Codes(const HuffmanCode& literals, const HuffmanCode& distances) {
    for (;;) {
      const int symbol = DecodeSymbol(in_, literals);
      if (symbol < 0 || in_.Cut()) return false;
      if (symbol < kEndOfBlock) {
        if (!Put(static_cast<std::byte>(symbol))) return false;
        continue;
      }
      if (symbol == kEndOfBlock) return true;
      const int lengthIndex = symbol - 257;
      if (lengthIndex >= static_cast<int>(std::size(kLengthBase))) return false;
      const std::size_t length = kLengthBase[lengthIndex] + in_.Bits(kLengthExtra[lengthIndex]);
      const int distanceIndex = DecodeSymbol(in_, distances);
      if (distanceIndex < 0 || distanceIndex >= kDistanceCodes) return false;
      const std::size_t distance =
          kDistanceBase[distanceIndex] + in_.Bits(kDistanceExtra[distanceIndex]);
      if (in_.Cut() || distance > out_.size()) return false;
      // Byte by byte: the copy may overlap what it writes.
      for (std::size_t i = 0; i < length; ++i) {
        if (!Put(out_[out_.size() - distance])) return false;
      }
    }
  }

  BitReader in_;
  std::size_t limit_;
  std::vector<std::byte> out_;
};

std::uint32_t Adler32(std::span<const std::byte> data) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t a = 1, b = 0;
  for (std::byte d : data) {
    a = (a + std::to_integer<std::uint32_t>(d)) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16) | a;
}

}  // namespace

std::optional<std::vector<std::byte>> InflateZlib(std::span<const std::byte> stream,
                                                  std::size_t expectedBytes) {
  if (stream.size() < 6) return std::nullopt;
  const unsigned method = std::to_integer<unsigned>(stream[0]);
  const unsigned flags = std::to_integer<unsigned>(stream[1]);
  constexpr unsigned kDeflate = 8, kPresetDictionary = 0x20;
  if ((method & 0x0F) != kDeflate || (method >> 4) > 7 || (method * 256 + flags) % 31 != 0 ||
      (flags & kPresetDictionary) != 0) {
    return std::nullopt;
  }
  Inflater inflater(stream.subspan(2), expectedBytes);
  if (!inflater.Run()) return std::nullopt;
  BitReader& rest = inflater.Input();
  rest.AlignToByte();
  std::uint32_t sum = 0;
  for (std::byte b : rest.TakeBytes(4)) sum = (sum << 8) | std::to_integer<std::uint32_t>(b);
  std::vector<std::byte>& out = inflater.Output();
  if (rest.Cut() || !rest.AtEnd() || out.size() != expectedBytes || sum != Adler32(out)) {
    return std::nullopt;
  }
  return std::move(out);
}

}  // namespace skin

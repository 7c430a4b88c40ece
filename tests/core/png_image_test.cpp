// The PNG decoder against pictures written by the system's zlib (every
// filter, every kind of deflate block), against every picture the program
// carries, and against damaged files built here.
#include "core/skin/png_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::byte>;

Bytes ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> chars{std::istreambuf_iterator<char>(in), {}};
  Bytes bytes(chars.size());
  for (std::size_t i = 0; i < chars.size(); ++i) bytes[i] = static_cast<std::byte>(chars[i]);
  return bytes;
}

TEST(DecodePng, GivesThePixelsZlibsPicturesHold) {
  const fs::path folder = fs::path(PROJECT_SOURCE_DIR_PATH) / "tests/core/pictures";
  int cases = 0;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".png") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++cases;
    const std::optional<skin::PngImage> image = skin::DecodePng(ReadFile(entry.path()));
    ASSERT_TRUE(image.has_value());
    const Bytes rgba = ReadFile(fs::path(entry.path()).replace_extension(".rgba"));
    ASSERT_EQ(rgba.size(), image->pixels.size() * 4);
    for (std::size_t i = 0; i < image->pixels.size(); ++i) {
      const auto c = [&](int k) { return std::to_integer<std::uint32_t>(rgba[4 * i + k]); };
      ASSERT_EQ(image->pixels[i], c(3) << 24 | c(0) << 16 | c(1) << 8 | c(2)) << "pixel " << i;
    }
  }
  EXPECT_EQ(cases, 6);
}

TEST(DecodePng, ReadsEveryPictureTheProgramCarries) {
  int pictures = 0;
  for (const auto& entry : fs::directory_iterator(fs::path(PROJECT_SOURCE_DIR_PATH) / "res/png")) {
    if (entry.path().extension() != ".png") continue;
    SCOPED_TRACE(entry.path().filename().string());
    ++pictures;
    const Bytes file = ReadFile(entry.path());
    const std::optional<skin::PngImage> image = skin::DecodePng(file);
    ASSERT_TRUE(image.has_value());
    const auto at = [&](std::size_t i) { return std::to_integer<int>(file[i]); };
    EXPECT_EQ(image->width, at(18) << 8 | at(19));
    EXPECT_EQ(image->height, at(22) << 8 | at(23));
  }
  EXPECT_GT(pictures, 100);
}

// PNG files built here, their pixels in one stored deflate block, so that
// each can be damaged in exactly one way.
class PngBuilder {
 public:
  static std::uint32_t Crc(const Bytes& bytes, std::size_t from) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::size_t i = from; i < bytes.size(); ++i) {
      crc ^= std::to_integer<std::uint32_t>(bytes[i]);
      for (int k = 0; k < 8; ++k) crc = (crc & 1) ? 0xEDB88320 ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
  }

  static void Put32(Bytes& out, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::byte>(v >> shift));
  }

  static void Chunk(Bytes& out, const char* type, const Bytes& data) {
    Put32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::byte>(type[i]));
    out.insert(out.end(), data.begin(), data.end());
    Put32(out, Crc(out, start));
  }

  // A 2 x 2 RGBA picture; `rows` are the filtered rows (filter byte first).
  static Bytes Png(const Bytes& header, const Bytes& rows, std::uint8_t zlibFlags = 0x01,
                   int adlerDelta = 0) {
    Bytes stream{std::byte{0x78}, std::byte{zlibFlags}, std::byte{0x01}};
    const auto length = static_cast<std::uint16_t>(rows.size());
    for (std::uint16_t v : {length, static_cast<std::uint16_t>(~length)}) {
      stream.push_back(static_cast<std::byte>(v & 0xFF));
      stream.push_back(static_cast<std::byte>(v >> 8));
    }
    stream.insert(stream.end(), rows.begin(), rows.end());
    std::uint32_t a = 1, b = 0;
    for (std::byte r : rows) {
      a = (a + std::to_integer<std::uint32_t>(r)) % 65521;
      b = (b + a) % 65521;
    }
    Put32(stream, ((b << 16) | a) + adlerDelta);
    Bytes file;
    for (int c : {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A}) file.push_back(std::byte(c));
    Chunk(file, "IHDR", header);
    Chunk(file, "IDAT", stream);
    Chunk(file, "IEND", {});
    return file;
  }

  static Bytes Header(std::uint8_t depth = 8, std::uint8_t colourType = 6,
                      std::uint8_t interlace = 0) {
    Bytes h;
    Put32(h, 2);
    Put32(h, 2);
    for (std::uint8_t v : {depth, colourType, std::uint8_t{0}, std::uint8_t{0}, interlace}) {
      h.push_back(std::byte{v});
    }
    return h;
  }

  static Bytes Rows(std::uint8_t filter = 1, std::size_t extra = 0) {
    Bytes rows;
    for (int y = 0; y < 2; ++y) {
      rows.push_back(std::byte{filter});
      for (int i = 0; i < 8; ++i) rows.push_back(std::byte(10 * y + i));
    }
    rows.resize(rows.size() + extra);
    return rows;
  }
};

TEST(DecodePng, RefusesWhatItCannotReadAndNeverReadsPastTheFile) {
  using B = PngBuilder;
  const Bytes good = B::Png(B::Header(), B::Rows());
  ASSERT_TRUE(skin::DecodePng(good).has_value()) << "the builder's own picture";
  Bytes badCrc = good;
  badCrc[good.size() - 20] ^= std::byte{1};  // in the IDAT data
  Bytes badSignature = good;
  badSignature[1] = std::byte{'p'};
  Bytes shortRows = B::Rows();
  shortRows.pop_back();
  const struct {
    const char* name;
    Bytes file;
  } cases[] = {
      {"another signature", badSignature},
      {"a chunk whose checksum is wrong", badCrc},
      {"16 bits a channel", B::Png(B::Header(16), B::Rows())},
      {"palette", B::Png(B::Header(8, 3), B::Rows())},
      {"grey", B::Png(B::Header(8, 0), B::Rows())},
      {"interlaced", B::Png(B::Header(8, 6, 1), B::Rows())},
      {"a filter PNG has not", B::Png(B::Header(), B::Rows(5))},
      {"fewer bytes than the rows hold", B::Png(B::Header(), shortRows)},
      {"more bytes than the rows hold", B::Png(B::Header(), B::Rows(1, 3))},
      {"a preset dictionary", B::Png(B::Header(), B::Rows(), 0xBB)},
      {"a wrong sum of the data", B::Png(B::Header(), B::Rows(), 0x01, 1)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(skin::DecodePng(c.file).has_value());
  }
  // Cut anywhere, the file is refused, and nothing past its end is read
  // (the sanitizer build would see it).
  for (std::size_t length = 0; length < good.size(); ++length) {
    const Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_FALSE(skin::DecodePng(cut).has_value()) << "cut at " << length;
  }
}

}  // namespace

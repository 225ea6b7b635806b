#include "preview/bmp_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace tessaly {
namespace {

Bitmap RandomBitmap(int width, int height, int bits, unsigned seed) {
  Bitmap bitmap(width, height, bits);
  std::mt19937 random(seed);
  if (bits <= 8) {
    Palette colors(std::size_t{1} << bits);
    for (auto& c : colors) c = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                                static_cast<std::uint8_t>(random()), 0};
    bitmap.SetColors(colors);
  }
  for (auto& byte : bitmap.Pixels()) byte = static_cast<std::uint8_t>(random());
  return bitmap;
}

void ExpectSameColours(const Bitmap& a, const Bitmap& b) {
  ASSERT_EQ(a.Width(), b.Width());
  ASSERT_EQ(a.Height(), b.Height());
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) ASSERT_EQ(a.PixelColor(x, y), b.PixelColor(x, y)) << x << "," << y;
}

// The same file stored top row first, as a negative height says.
std::vector<std::uint8_t> TopDown(std::vector<std::uint8_t> file, std::size_t stride, int height) {
  const std::uint32_t offset = file[10] | (file[11] << 8) | (file[12] << 16) | (file[13] << 24);
  std::vector<std::uint8_t> rows(file.begin() + offset, file.end());
  for (int y = 0; y < height; ++y)
    std::memcpy(&file[offset + y * stride], &rows[(height - 1 - y) * stride], stride);
  const std::int32_t negative = -height;
  std::memcpy(&file[22], &negative, 4);
  return file;
}

std::string ErrorOf(const std::vector<std::uint8_t>& file) {
  try {
    ReadBmp(file);
  } catch (const BmpError& e) {
    return e.what();
  }
  return "no error";
}

TEST(BmpFile, EveryDepthSurvivesAWriteAndReadBothRowOrders) {
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    const Bitmap original = RandomBitmap(13, 5, bits, static_cast<unsigned>(bits));
    const std::vector<std::uint8_t> file = WriteBmp(original);
    ExpectSameColours(ReadBmp(file), original);
    ExpectSameColours(ReadBmp(TopDown(file, original.Stride(), 5)), original);
    EXPECT_EQ(ReadBmp(file).Colors(), original.Colors());
  }
}

TEST(BmpFile, Reads565BitFields) {
  Bitmap original = RandomBitmap(6, 3, 16, 1);
  original.SetMasks({0xF800u, 0x07E0u, 0x001Fu});
  const std::vector<std::uint8_t> file = WriteBmp(original);
  EXPECT_EQ(file[30], 3);  // BI_BITFIELDS
  ExpectSameColours(ReadBmp(file), original);
}

TEST(BmpFile, AShortColourTableIsKept) {
  Bitmap original = RandomBitmap(4, 4, 8, 2);
  original.SetColors(Palette(216, {1, 2, 3, 0}));
  const Bitmap read = ReadBmp(WriteBmp(original));
  EXPECT_EQ(read.Colors().size(), 216u);
  EXPECT_EQ(read.Pixels(), original.Pixels());
}

TEST(BmpFile, BadFilesAreRefusedWithTheProblemNamed) {
  const std::vector<std::uint8_t> good = WriteBmp(RandomBitmap(8, 4, 24, 3));
  auto with = [&](std::size_t at, std::uint32_t value, int bytes = 4) {
    std::vector<std::uint8_t> f = good;
    for (int i = 0; i < bytes; ++i) f[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    return f;
  };
  EXPECT_EQ(ErrorOf({'P', 'K', 3, 4}), "not a BMP file");
  EXPECT_EQ(ErrorOf({}), "not a BMP file");
  EXPECT_EQ(ErrorOf(std::vector<std::uint8_t>(good.begin(), good.begin() + 20)), "truncated BMP file");
  EXPECT_EQ(ErrorOf(std::vector<std::uint8_t>(good.begin(), good.end() - 1)), "truncated BMP pixel data");
  EXPECT_EQ(ErrorOf(with(30, 1)), "compressed BMP (compression 1) is not supported");
  EXPECT_EQ(ErrorOf(with(30, 3)), "bit fields need 16 or 32 bits per pixel");
  EXPECT_EQ(ErrorOf(with(18, 0)), "BMP width is zero");
  EXPECT_EQ(ErrorOf(with(18, 0xFFFFFFFFu)), "BMP width is negative");
  EXPECT_EQ(ErrorOf(with(22, 0)), "BMP height is zero");
  EXPECT_EQ(ErrorOf(with(18, 70000)), "BMP size 70000 x 4 is too large");
  EXPECT_EQ(ErrorOf(with(22, 0x80000000u)), "BMP size 8 x 2147483648 is too large");
  EXPECT_EQ(ErrorOf(with(28, 2, 2)), "unsupported BMP depth of 2 bits per pixel");
  EXPECT_EQ(ErrorOf(with(26, 3, 2)), "BMP plane count is 3, not 1");
  EXPECT_EQ(ErrorOf(with(14, 64)), "unsupported BMP header size 64");
  EXPECT_EQ(ErrorOf(with(10, 20)), "BMP pixel data overlaps its header");

  const std::vector<std::uint8_t> indexed = WriteBmp(RandomBitmap(8, 4, 4, 3));
  std::vector<std::uint8_t> tooMany = indexed;
  tooMany[46] = 17;
  EXPECT_EQ(ErrorOf(tooMany), "BMP colour table has more entries than the depth allows");

  Bitmap odd(2, 2, 32);
  odd.SetMasks({0x3FF00000u, 0x000FFC00u, 0x000003FFu});
  EXPECT_EQ(ErrorOf(WriteBmp(odd)), "unsupported BMP bit masks");
}

TEST(BmpFile, ReadsTheOldCoreHeader) {
  // 2 x 1, 8 bits, core header with three-byte colour entries.
  std::vector<std::uint8_t> file = {'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 32, 0, 0, 0,
                                    12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 8, 0,
                                    10, 20, 30, 40, 50, 60,  // entries 0 and 1, blue first
                                    1, 0, 0, 0};
  // The table is 256 entries long by default; a short file is truncated.
  EXPECT_EQ(ErrorOf(file), "truncated BMP file");
  file.insert(file.begin() + 32, 254 * 3, 0);
  file[10] = static_cast<std::uint8_t>((26 + 768) & 0xFF);
  file[11] = static_cast<std::uint8_t>((26 + 768) >> 8);
  const Bitmap read = ReadBmp(file);
  EXPECT_EQ(read.PixelColor(0, 0), (PaletteEntry{60, 50, 40, 0}));
  EXPECT_EQ(read.PixelColor(1, 0), (PaletteEntry{30, 20, 10, 0}));
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// The rows of a deep file, read where they lie, are the rows ReadBmp copies out.
TEST(BmpFile, DeepRowsReadWhereTheyLieInBothRowOrders) {
  for (int bits : {24, 32}) {
    const Bitmap original = RandomBitmap(13, 5, bits, 40u + static_cast<unsigned>(bits));
    const std::vector<std::uint8_t> bottomUp = WriteBmp(original);
    for (const std::vector<std::uint8_t>& file : {bottomUp, TopDown(bottomUp, original.Stride(), 5)}) {
      const std::optional<PixelRows> rows = BmpPixelRows(file.data(), file.size());
      ASSERT_TRUE(rows) << bits;
      EXPECT_EQ(rows->bytesPerPixel, bits / 8);
      EXPECT_EQ((std::pair{rows->width, rows->height}), (std::pair{13, 5}));
      for (int y = 0; y < 5; ++y) {
        EXPECT_GE(rows->Row(y), file.data());
        EXPECT_LE(rows->Row(y) + 13 * (bits / 8), file.data() + file.size());
        EXPECT_EQ(std::memcmp(rows->Row(y), original.Row(y), 13 * (bits / 8)), 0) << bits << " row " << y;
      }
    }
  }
}

TEST(BmpFile, OtherDepthsHaveNoDeepRowsAndBadFilesTheReadersError) {
  for (int bits : {1, 4, 8, 16}) {
    const std::vector<std::uint8_t> file = WriteBmp(RandomBitmap(6, 3, bits, 7));
    EXPECT_FALSE(BmpPixelRows(file.data(), file.size())) << bits;
  }
  std::vector<std::uint8_t> truncated = WriteBmp(RandomBitmap(6, 3, 32, 7));
  truncated.pop_back();
  EXPECT_THROW(BmpPixelRows(truncated.data(), truncated.size()), BmpError);
  EXPECT_EQ(ErrorOf(truncated), "truncated BMP pixel data");
}

}  // namespace
}  // namespace tessaly

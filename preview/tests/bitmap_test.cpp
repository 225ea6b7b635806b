#include "preview/bitmap.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tessaly {
namespace {

std::vector<int> Rgb(const PaletteEntry& c) { return {c.red, c.green, c.blue}; }

TEST(Bitmap, RowsArePaddedTo32Bits) {
  EXPECT_EQ(Bitmap(1, 1, 1).Stride(), 4u);
  EXPECT_EQ(Bitmap(33, 1, 1).Stride(), 8u);
  EXPECT_EQ(Bitmap(3, 1, 24).Stride(), 12u);
  EXPECT_EQ(Bitmap(5, 1, 4).Stride(), 4u);
  EXPECT_EQ(Bitmap(3, 2, 16).Pixels().size(), 16u);
  EXPECT_THROW(Bitmap(1, 1, 2), std::invalid_argument);
  EXPECT_THROW(Bitmap(-1, 1, 8), std::invalid_argument);
}

TEST(Bitmap, ConvertsEveryDepthTo24Bits) {
  Bitmap mono(9, 1, 1);
  mono.SetColors({{1, 2, 3, 0}, {200, 100, 50, 0}});
  mono.Row(0)[0] = 0x80;  // pixel 0
  mono.Row(0)[1] = 0x80;  // pixel 8
  mono.ConvertTo24();
  EXPECT_EQ(Rgb(mono.PixelColor(0, 0)), (std::vector<int>{200, 100, 50}));
  EXPECT_EQ(Rgb(mono.PixelColor(1, 0)), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Rgb(mono.PixelColor(8, 0)), (std::vector<int>{200, 100, 50}));

  Bitmap nibbles(2, 1, 4);
  nibbles.SetColors({{0, 0, 0, 0}, {10, 20, 30, 0}});
  nibbles.Row(0)[0] = 0x1F;  // high nibble first; index 15 lies past the palette
  nibbles.ConvertTo24();
  EXPECT_EQ(Rgb(nibbles.PixelColor(0, 0)), (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(Rgb(nibbles.PixelColor(1, 0)), (std::vector<int>{0, 0, 0}));

  Bitmap r565(1, 1, 16);
  r565.SetMasks({0xF800u, 0x07E0u, 0x001Fu});
  r565.Row(0)[0] = 0x1F;  // blue full, green 0b000000, red 0
  r565.Row(0)[1] = 0x04;  // green 0b100000
  r565.ConvertTo24();
  EXPECT_EQ(Rgb(r565.PixelColor(0, 0)), (std::vector<int>{0, 130, 255}));

  Bitmap wide(1, 1, 32);
  wide.Row(0)[0] = 7;
  wide.Row(0)[1] = 8;
  wide.Row(0)[2] = 9;
  wide.ConvertTo24();
  EXPECT_EQ(Rgb(wide.PixelColor(0, 0)), (std::vector<int>{9, 8, 7}));
}

TEST(Bitmap, MasksMustBeContiguousAndDisjoint) {
  EXPECT_TRUE(MasksUsable(DefaultMasks(16), 16));
  EXPECT_TRUE(MasksUsable({0xF800u, 0x07E0u, 0x001Fu}, 16));
  EXPECT_FALSE(MasksUsable({0xF000u, 0x0F00u, 0x00F0u | 0x0001u}, 16));  // split run
  EXPECT_FALSE(MasksUsable({0xFF00u, 0x0FF0u, 0x000Fu}, 16));           // overlap
  EXPECT_FALSE(MasksUsable({0xFF0000u, 0xFF00u, 0}, 32));               // missing channel
  EXPECT_FALSE(MasksUsable({0x1F0000u, 0x3E0u, 0x1Fu}, 16));            // outside the pixel
  Bitmap b(1, 1, 24);
  EXPECT_THROW(b.SetMasks(DefaultMasks(16)), std::invalid_argument);
}

TEST(Bitmap, WidensIndicesTo8BitsKeepingThePalette) {
  Bitmap nibbles(3, 2, 4);
  nibbles.SetColors(Palette(16));
  nibbles.Row(1)[0] = 0xA5;
  nibbles.Row(1)[1] = 0x30;
  const Bitmap wide = WidenIndicesTo8(nibbles);
  EXPECT_EQ(wide.BitsPerPixel(), 8);
  EXPECT_EQ(wide.Colors().size(), 16u);
  EXPECT_EQ((std::vector<int>{wide.Row(1)[0], wide.Row(1)[1], wide.Row(1)[2]}), (std::vector<int>{10, 5, 3}));
  EXPECT_THROW(WidenIndicesTo8(Bitmap(1, 1, 24)), std::invalid_argument);
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

TEST(Bitmap, TakesOverRowsOfTheRightSizeOnly) {
  const Bitmap b(3, 2, 8, std::vector<std::uint8_t>{1, 2, 3, 0, 4, 5, 6, 0});
  EXPECT_EQ(b.Row(1)[2], 6);
  EXPECT_THROW(Bitmap(3, 2, 8, std::vector<std::uint8_t>(6)), std::invalid_argument);
  EXPECT_THROW(Bitmap(3, 2, 7, std::vector<std::uint8_t>(8)), std::invalid_argument);
}

}  // namespace
}  // namespace tessaly

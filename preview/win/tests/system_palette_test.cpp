#include "preview/win/system_palette.h"

#include <gtest/gtest.h>

namespace tessaly::win {
namespace {

TEST(SystemPalette, TheStandardTableIsThePlatformsDefaultPalette) {
  const auto stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  ASSERT_NE(stock, nullptr);
  const Palette platform = ReadPaletteEntries(stock);
  ASSERT_EQ(platform.size(), 20u);
  const SystemColors standard = StandardSystemColors();
  for (std::size_t i = 0; i < 20; ++i) {
    EXPECT_EQ(platform[i].red, standard[i].red) << i;
    EXPECT_EQ(platform[i].green, standard[i].green) << i;
    EXPECT_EQ(platform[i].blue, standard[i].blue) << i;
  }
  const SystemColors read = ReadDefaultPaletteColors();
  for (std::size_t i = 0; i < 20; ++i) EXPECT_EQ(read[i], platform[i]) << i;
}

TEST(SystemPalette, LogicalPalettesKeepTheirEntries) {
  Palette colors;
  for (int i = 0; i < 256; ++i) colors.push_back({static_cast<BYTE>(i), static_cast<BYTE>(255 - i), 7, 0});
  const UniquePalette palette = CreateLogicalPalette(colors);
  ASSERT_TRUE(palette);
  EXPECT_EQ(ReadPaletteEntries(palette.Get()), colors);
  const UniquePalette web = CreateLogicalPalette(BuildWebPalette());
  EXPECT_EQ(ReadPaletteEntries(web.Get()).size(), 216u);
}

}  // namespace
}  // namespace tessaly::win

#include "preview/color_lookup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>

#include "preview/palettes.h"

namespace tessaly {
namespace {

TEST(WebPalette, RedSlowestBlueFastestInStepsOf51) {
  const Palette web = BuildWebPalette();
  ASSERT_EQ(web.size(), 216u);
  EXPECT_EQ(web[0], (PaletteEntry{0, 0, 0, 0}));
  EXPECT_EQ(web[1], (PaletteEntry{0, 0, 51, 0}));
  EXPECT_EQ(web[6], (PaletteEntry{0, 51, 0, 0}));
  EXPECT_EQ(web[36], (PaletteEntry{51, 0, 0, 0}));
  EXPECT_EQ(web[51], (PaletteEntry{51, 102, 153, 0}));
  EXPECT_EQ(web[215], (PaletteEntry{255, 255, 255, 0}));
}

TEST(NetscapeLookup, KnownColoursAndTheLevelBoundaries) {
  TNetscapeColorLookup lookup;
  EXPECT_EQ(lookup.ColorCount(), 216);
  int r, g, b;
  EXPECT_EQ(lookup.MatchColor(255, 255, 255, r, g, b), 215);
  EXPECT_EQ(lookup.MatchColor(47, 47, 47, r, g, b), 0);
  EXPECT_EQ(lookup.MatchColor(48, 48, 48, r, g, b), 43);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{51, 51, 51}));
  // Each level covers a fixed range; the ranges are not centred on the levels.
  const int firstOfLevel[] = {0, 48, 99, 150, 201, 252, 256};
  for (int level = 0; level < 6; ++level) {
    for (int v : {firstOfLevel[level], firstOfLevel[level + 1] - 1}) {
      EXPECT_EQ(lookup.MatchColor(v, 0, 0, r, g, b), 36 * level) << v;
      EXPECT_EQ(lookup.MatchColor(0, 0, v, r, g, b), level) << v;
      EXPECT_EQ(b, 51 * level);
    }
  }
  // Each channel weighs in at its own place in the index.
  EXPECT_EQ(lookup.MatchColor(204, 102, 0, r, g, b), 36 * 4 + 6 * 2);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{204, 102, 0}));
}

TEST(FastLookup, FindsTheNearestEntryAndKeepsTheLowestIndexOnATie) {
  // 40 and 20 are equally far from 30 (whose cell neither claims); 40 comes first.
  const Palette palette{{200, 200, 200, 0}, {40, 0, 0, 0}, {20, 0, 0, 0}, {0, 0, 255, 0}};
  TFastColorLookup lookup(palette);
  EXPECT_EQ(lookup.ColorCount(), 4);
  int r, g, b;
  EXPECT_EQ(lookup.MatchColor(30, 0, 0, r, g, b), 1);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{40, 0, 0}));
  EXPECT_EQ(lookup.MatchColor(0, 40, 230, r, g, b), 3);
  EXPECT_EQ(lookup.MatchColor(180, 255, 190, r, g, b), 0);
}

TEST(FastLookup, PaletteColoursClaimTheirCellsLowestIndexFirst) {
  // (100, 100, 100) and (103, 101, 102) share their top five bits in every channel.
  const Palette palette{{0, 0, 0, 0}, {100, 100, 100, 0}, {103, 101, 102, 0}, {255, 255, 255, 0}};
  TFastColorLookup lookup(palette);
  const int key = TFastColorLookup::Key(100, 100, 100);
  EXPECT_EQ(key, TFastColorLookup::Key(103, 101, 102));
  EXPECT_EQ(lookup.CachedIndex(key), 1);
  EXPECT_EQ(lookup.CachedIndex(TFastColorLookup::Key(0, 0, 0)), 0);
  EXPECT_EQ(lookup.CachedIndex(TFastColorLookup::Key(255, 255, 255)), 3);
  int r, g, b;
  // Entry 2 is the exact colour, but the cell belongs to entry 1.
  EXPECT_EQ(lookup.MatchColor(103, 101, 102, r, g, b), 1);
  EXPECT_EQ(lookup.MatchColor(96, 103, 99, r, g, b), 1);
}

TEST(FastLookup, TheFirstColourLookedUpDecidesAnEmptyCell) {
  const Palette palette{{0, 0, 0, 0}, {23, 0, 0, 0}};
  TFastColorLookup lookup(palette);
  // Key blue-highest: blue moves the key by 1024 per step of 8, red by 1.
  EXPECT_EQ(TFastColorLookup::Key(8, 0, 0), 1);
  EXPECT_EQ(TFastColorLookup::Key(0, 8, 0), 32);
  EXPECT_EQ(TFastColorLookup::Key(0, 0, 8), 1024);
  const int key = TFastColorLookup::Key(8, 0, 0);
  EXPECT_EQ(lookup.CachedIndex(key), -1);
  int r, g, b;
  EXPECT_EQ(lookup.MatchColor(8, 0, 0, r, g, b), 0);  // 8 is nearer to 0 than to 23
  EXPECT_EQ(lookup.CachedIndex(key), 0);
  // 15 is nearer to 23, but the cell already answers 0.
  EXPECT_EQ(lookup.MatchColor(15, 7, 7, r, g, b), 0);
  EXPECT_EQ((std::vector<int>{r, g, b}), (std::vector<int>{0, 0, 0}));
}

TEST(FastLookup, ReadsAtMost256Entries) {
  EXPECT_EQ(TFastColorLookup(Palette(300)).ColorCount(), 256);
  EXPECT_EQ(TFastColorLookup(Palette{}).ColorCount(), 0);
}

// The search against the plain scan of every entry, on palettes with repeated
// colours, colours of one sum and colours at the ends of the range, for colours
// that each reach a cell no entry claims.
TEST(FastLookup, TheSearchFindsWhatAScanOfEveryEntryFinds) {
  std::mt19937 random(31);
  for (int round = 0; round < 40; ++round) {
    Palette palette(1 + random() % 256);
    for (PaletteEntry& c : palette) {
      switch (random() % 4) {
        case 0: c = palette[random() % palette.size()]; break;  // a repeat, or still black
        case 1: {
          const int sum = static_cast<int>(random() % 766);  // channels of one sum
          c.red = static_cast<std::uint8_t>(std::min(255, sum));
          c.green = static_cast<std::uint8_t>(std::min(255, sum - c.red));
          c.blue = static_cast<std::uint8_t>(sum - c.red - c.green);
          break;
        }
        case 2: c = {static_cast<std::uint8_t>(255 * (random() % 2)), static_cast<std::uint8_t>(255 * (random() % 2)),
                     static_cast<std::uint8_t>(255 * (random() % 2)), 0}; break;
        default: c = {static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()),
                      static_cast<std::uint8_t>(random()), 0};
      }
    }
    TFastColorLookup lookup(palette);
    for (int query = 0; query < 300; ++query) {
      const int r = static_cast<int>(random() % 256), g = static_cast<int>(random() % 256),
                b = static_cast<int>(random() % 256);
      if (lookup.CachedIndex(TFastColorLookup::Key(r, g, b)) >= 0) continue;
      int best = 196608, expected = 0;
      for (std::size_t i = 0; i < palette.size(); ++i) {
        const int d = std::abs(palette[i].red - r) + std::abs(palette[i].green - g) + std::abs(palette[i].blue - b);
        if (d < best) {
          best = d;
          expected = static_cast<int>(i);
        }
      }
      int outR, outG, outB;
      EXPECT_EQ(lookup.MatchColor(r, g, b, outR, outG, outB), expected) << round << ": " << r << "," << g << "," << b;
    }
  }
}

}  // namespace
}  // namespace tessaly

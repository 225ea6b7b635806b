#include "preview/color_lookup.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tessaly

#include "preview/color_quantizer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <set>

#include "preview/dib_access.h"
#include "preview/palettes.h"
#include "preview/reduce_to_palette.h"
#include "preview/tests/test_pictures.h"

namespace tessaly {
namespace {

using testing::SetPixel24;

// The octree's depth-first order is the order of the colours' bits interleaved
// red, green, blue from the highest bit down.
std::uint32_t TreeOrder(const PaletteEntry& c) {
  std::uint32_t code = 0;
  for (int bit = 7; bit >= 0; --bit) {
    code = (code << 3) | (((c.red >> bit) & 1u) << 2) | (((c.green >> bit) & 1u) << 1) | ((c.blue >> bit) & 1u);
  }
  return code;
}

Bitmap PictureOfColours(const std::vector<PaletteEntry>& colours, int width) {
  const int height = static_cast<int>((colours.size() + width - 1) / width);
  Bitmap bitmap(width, height, 24);
  for (std::size_t i = 0; i < colours.size(); ++i) {
    const PaletteEntry& c = colours[i];
    SetPixel24(bitmap, static_cast<int>(i % width), static_cast<int>(i / width), c.red, c.green, c.blue);
  }
  return bitmap;
}

std::vector<PaletteEntry> DistinctColours(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  std::set<std::uint32_t> seen;
  std::vector<PaletteEntry> colours;
  while (colours.size() < count) {
    const std::uint32_t v = random() & 0xFFFFFFu;
    if (!seen.insert(v).second) continue;
    colours.push_back({static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                       static_cast<std::uint8_t>(v), 0});
  }
  return colours;
}

TEST(OptimizedPalette, UpTo236ColoursAllSurviveInTreeOrderAfterTheSystemColours) {
  for (std::size_t count : {1u, 17u, 236u}) {
    std::vector<PaletteEntry> colours = DistinctColours(count, 7u + static_cast<unsigned>(count));
    // Repeat the colours so the totals are averaged over several pixels.
    std::vector<PaletteEntry> pixels = colours;
    pixels.insert(pixels.end(), colours.rbegin(), colours.rend());
    Bitmap picture = PictureOfColours(pixels, 2);  // no padding pixels
    const Palette palette = BuildOptimizedWindowsPalette(picture, StandardSystemColors());
    ASSERT_EQ(palette.size(), 256u);
    std::sort(colours.begin(), colours.end(),
              [](const PaletteEntry& a, const PaletteEntry& b) { return TreeOrder(a) < TreeOrder(b); });
    for (std::size_t i = 0; i < count; ++i) EXPECT_EQ(palette[10 + i], colours[i]) << i;
    const SystemColors system = StandardSystemColors();
    for (int i = 0; i < 10; ++i) {
      EXPECT_EQ(palette[i], system[i]);
      EXPECT_EQ(palette[246 + i], system[10 + i]);
    }
  }
}

TEST(OptimizedPalette, UnusedEntriesNeverAttractAPixel) {
  // Few colours (four levels per channel) plus some near black, which lies closest
  // to the colour the unused entries repeat.
  Bitmap picture = testing::RandomPicture(40, 30, 99);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < 3 * picture.Width(); ++x) picture.Row(y)[x] &= 0xC0;
  for (int x = 0; x < 10; ++x) SetPixel24(picture, x, 0, x, x / 2, 1);
  for (DitherMode dither : {DitherMode::Nearest, DitherMode::FloydSteinberg}) {
    Bitmap source = picture;
    Bitmap copy = picture;
    TColorQuantizer quantizer(236, 8);
    TDIBReader reader(copy, 24);
    quantizer.ScanImage(reader);
    const int used = quantizer.LeafCount();
    ASSERT_LT(used, 236);
    const Bitmap result = ReduceToPalette(source, ReductionMode::OptimizedWindows, dither, 8);
    for (int y = 0; y < result.Height(); ++y)
      for (int x = 0; x < result.Width(); ++x) {
        const int index = result.Row(y)[x];
        EXPECT_TRUE(index < 10 + used || index >= 246) << index;
      }
  }
}

TEST(ColorQuantizer, MergesTheNewestNodeOfTheDeepestLevel) {
  TColorQuantizer quantizer(3, 8);
  Bitmap picture(5, 1, 24);
  // 100/101 share every bit but the last, as do 200/201; the 200 node is newer.
  SetPixel24(picture, 0, 0, 100, 0, 0);
  SetPixel24(picture, 1, 0, 101, 0, 0);
  SetPixel24(picture, 2, 0, 200, 0, 0);
  SetPixel24(picture, 3, 0, 201, 0, 0);
  // Reaches the merged node; a merged node stays a leaf and keeps counting.
  SetPixel24(picture, 4, 0, 200, 0, 0);
  TDIBReader reader(picture, 24);
  quantizer.ScanImage(reader);
  EXPECT_EQ(quantizer.LeafCount(), 3);
  EXPECT_EQ(quantizer.PeakLeafCount(), 4);
  Palette colours;
  quantizer.ExportColors(colours);
  ASSERT_EQ(colours.size(), 3u);
  EXPECT_EQ(colours[0].red, 100);
  EXPECT_EQ(colours[1].red, 101);
  EXPECT_EQ(colours[2].red, (200 + 201 + 200) / 3);
}

TEST(ColorQuantizer, NeverHoldsMoreThan237Leaves) {
  Bitmap picture = testing::RandomPicture(300, 200, 5);
  TColorQuantizer quantizer(236, 8);
  TDIBReader reader(picture, 24);
  quantizer.ScanImage(reader);
  EXPECT_EQ(quantizer.PeakLeafCount(), 237);
  EXPECT_LE(quantizer.LeafCount(), 236);
  Palette colours;
  quantizer.ExportColors(colours);
  EXPECT_EQ(colours.size(), static_cast<std::size_t>(quantizer.LeafCount()));
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// ScanImage against the plain walk from the root for every pixel.
Palette ScanPixelByPixel(Bitmap picture, int maxColors, int colorBits) {
  TColorQuantizer quantizer(maxColors, colorBits);
  std::unique_ptr<TOctreeNode> root;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const std::uint8_t* p = picture.Row(y) + 3 * x;
      quantizer.InsertColor(root, p[2], p[1], p[0], 0);
      while (quantizer.LeafCount() > maxColors && quantizer.MergeDeepestNode()) {
      }
    }
  // The tree lives in `root`, outside the quantizer: export it depth first here.
  Palette colours;
  std::function<void(const TOctreeNode*)> walk = [&](const TOctreeNode* node) {
    if (!node) return;
    if (node->isLeaf) {
      colours.push_back({static_cast<std::uint8_t>(node->redTotal / node->pixelCount),
                         static_cast<std::uint8_t>(node->greenTotal / node->pixelCount),
                         static_cast<std::uint8_t>(node->blueTotal / node->pixelCount), 0});
      return;
    }
    for (const auto& child : node->children) walk(child.get());
  };
  walk(root.get());
  return colours;
}

TEST(ColorQuantizer, ScanningGivesTheSameTreeAsWalkingFromTheRoot) {
  Bitmap smooth(64, 48, 24);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) SetPixel24(smooth, x, y, 4 * x, 5 * y, (x * y) & 0xFF);
  const Bitmap pictures[] = {testing::RandomPicture(70, 50, 8), smooth, testing::RandomPicture(3, 200, 9)};
  for (const Bitmap& picture : pictures) {
    for (auto [maxColors, colorBits] : {std::pair{236, 8}, {16, 8}, {1, 8}, {236, 2}, {5, 4}}) {
      Bitmap copy = picture;
      TColorQuantizer quantizer(maxColors, colorBits);
      TDIBReader reader(copy, 24);
      quantizer.ScanImage(reader);
      Palette scanned;
      quantizer.ExportColors(scanned);
      EXPECT_EQ(scanned, ScanPixelByPixel(picture, maxColors, colorBits)) << maxColors << " colours, " << colorBits;
    }
  }
}

// Runs of one colour count straight in the leaf of the run's first pixel, so
// long as no merge came between: runs of a colour kept as its own leaf, runs
// that merges fold while they last (few leaves allowed), and random colours.
TEST(ColorQuantizer, RunsOfOneColourGiveTheSameTreeAsWalkingFromTheRoot) {
  Bitmap picture = testing::RandomPicture(90, 60, 21);
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 90; ++x) {
      if (y < 20) SetPixel24(picture, x, y, 200 + (x / 30), 10, 10);  // three close reds in runs
      if (y >= 20 && y < 40 && x % 9 < 5) SetPixel24(picture, x, y, 7 * (x / 9), y, 99);  // short runs
    }
  for (int maxColors : {236, 40, 3, 1}) {
    Bitmap copy = picture;
    TColorQuantizer quantizer(maxColors, 8);
    TDIBReader reader(copy, 24);
    quantizer.ScanImage(reader);
    Palette scanned;
    quantizer.ExportColors(scanned);
    EXPECT_EQ(scanned, ScanPixelByPixel(picture, maxColors, 8)) << maxColors;
  }
}

}  // namespace
}  // namespace tessaly

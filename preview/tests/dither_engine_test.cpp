#include "preview/dither_engine.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace tessaly {
namespace {

// Always answers with one fixed entry and remembers what it was asked.
class FixedLookup final : public TColorLookup {
 public:
  FixedLookup(int red, int green, int blue) : TColorLookup(1), color_{red, green, blue} {}
  std::uint8_t MatchColor(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override {
    asked.push_back({red, green, blue});
    outRed = color_[0];
    outGreen = color_[1];
    outBlue = color_[2];
    return 7;
  }
  std::vector<std::array<int, 3>> asked;

 private:
  std::array<int, 3> color_;
};

// Feeds one row through the engine the way the reduction does and returns the
// columns in the order visited.
template <class Engine>
std::vector<int> WalkRow(Engine& engine, const std::vector<int>& reds) {
  std::vector<int> visited;
  int r, g, b;
  while (engine.Column() >= 0 && engine.Column() < engine.Width()) {
    visited.push_back(engine.Column());
    engine.DitherPixel(reds[static_cast<std::size_t>(engine.Column())], 0, 0, r, g, b);
  }
  engine.EndLine();
  return visited;
}

TEST(DitherEngine, WalksRowsInSerpentineOrder) {
  FixedLookup lookup(0, 0, 0);
  for (int kind = 0; kind < 2; ++kind) {
    TDitherEngine nearest(4, lookup);
    TFloydSteinbergEngine diffusing(4, lookup);
    TDitherEngine& engine = kind == 0 ? nearest : diffusing;
    const std::vector<int> reds(4, 0);
    EXPECT_EQ(WalkRow(engine, reds), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(engine.Direction(), -1);
    EXPECT_EQ(WalkRow(engine, reds), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(WalkRow(engine, reds), (std::vector<int>{0, 1, 2, 3}));
  }
}

TEST(DitherEngine, NearestPassesColoursThroughUnchanged) {
  FixedLookup lookup(0, 0, 0);
  TDitherEngine engine(2, lookup);
  int r, g, b;
  EXPECT_EQ(engine.DitherPixel(250, 1, 2, r, g, b), 7);
  engine.DitherPixel(250, 1, 2, r, g, b);
  EXPECT_EQ(lookup.asked, (std::vector<std::array<int, 3>>{{250, 1, 2}, {250, 1, 2}}));
}

TEST(FloydSteinberg, AFlatPaletteColourLeavesNoError) {
  FixedLookup lookup(51, 102, 153);
  TFloydSteinbergEngine engine(5, lookup);
  for (int row = 0; row < 3; ++row) {
    int r, g, b;
    while (engine.Column() >= 0 && engine.Column() < 5) engine.DitherPixel(51, 102, 153, r, g, b);
    engine.EndLine();
  }
  for (const auto& asked : lookup.asked) EXPECT_EQ(asked, (std::array<int, 3>{51, 102, 153}));
  for (int c = 0; c < 3; ++c) EXPECT_EQ(engine.ErrorRow(c), std::vector<int>(7, 0));
}

TEST(FloydSteinberg, ClampsBeforeTheLookupAndMeasuresErrorFromTheClampedValue) {
  FixedLookup lookup(0, 0, 0);
  TFloydSteinbergEngine engine(2, lookup);
  WalkRow(engine, {250, 250});
  // 250 carries 7 * 250 / 16 = 109 to the right: 359, clamped to 255 and the error is
  // 255, not 359. Error row: 3*250, 5*250 + 3*255, 250 + 5*255, spare.
  EXPECT_EQ(lookup.asked[0][0], 250);
  EXPECT_EQ(lookup.asked[1][0], 255);
  EXPECT_EQ(engine.ErrorRow(0), (std::vector<int>{750, 2015, 1525, 0}));
  EXPECT_EQ(engine.ErrorRow(1), std::vector<int>(4, 0));
  // Row 1 runs right to left: column 1 gets (1525 + 8) / 16 = 95 from above; column
  // 0 gets its share from above plus the 7 * 95 carried from column 1.
  WalkRow(engine, {0, 0});
  EXPECT_EQ(lookup.asked[2][0], 95);
  EXPECT_EQ(lookup.asked[3][0], (2015 + 7 * 95 + 8) / 16);
}

TEST(FloydSteinberg, NegativeErrorIsDividedTowardZero) {
  FixedLookup lookup(255, 255, 255);
  TFloydSteinbergEngine engine(2, lookup);
  WalkRow(engine, {10, 200});
  // 7 * (10 - 255) = -1715; (-1715 + 8) / 16 = -106.7, truncated to -106.
  EXPECT_EQ(lookup.asked[1][0], 94);
}

TEST(FloydSteinberg, OnePixelWideRowsUseThreeErrorElements) {
  FixedLookup lookup(0, 0, 0);
  TFloydSteinbergEngine engine(1, lookup);
  EXPECT_EQ(engine.ErrorRow(2).size(), 3u);
  WalkRow(engine, {250});
  EXPECT_EQ(engine.ErrorRow(0), (std::vector<int>{750, 1250, 0}));
  // The pixel below gets 5/16 of the error: 100 + (1250 + 8) / 16 = 178.
  EXPECT_EQ(WalkRow(engine, {100}), (std::vector<int>{0}));
  EXPECT_EQ(lookup.asked[1][0], 178);
  EXPECT_EQ(WalkRow(engine, {0}), (std::vector<int>{0}));
  EXPECT_EQ(lookup.asked.size(), 3u);
}

}  // namespace
}  // namespace tessaly

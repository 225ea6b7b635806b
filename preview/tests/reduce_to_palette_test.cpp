#include "preview/reduce_to_palette.h"

#include <gtest/gtest.h>

#include <cstring>

#include "preview/color_lookup.h"
#include "preview/dib_access.h"
#include "preview/dither_engine.h"
#include "preview/tests/test_pictures.h"

namespace tessaly {
namespace {

using testing::FlatPicture;
using testing::RandomPicture;
using testing::SetPixel24;

TEST(ReduceToPalette, AFlatWebColourGivesOneIndexEverywhere) {
  Bitmap source = FlatPicture(7, 5, 51, 102, 153);
  const Bitmap result = ReduceToPalette(source, ReductionMode::WebSafe, DitherMode::FloydSteinberg, 8);
  ASSERT_EQ(result.BitsPerPixel(), 8);
  EXPECT_EQ(result.Colors(), BuildWebPalette());
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(result.Row(y)[x], 51);
}

TEST(ReduceToPalette, WebSafeKnownColoursBeforeAnyErrorSpreads) {
  // Each pixel is alone in its row's first column with no error arriving yet.
  Bitmap source(1, 1, 24);
  for (auto [grey, expected] : {std::pair{255, 215}, {47, 0}, {48, 43}}) {
    SetPixel24(source, 0, 0, grey, grey, grey);
    Bitmap copy = source;
    EXPECT_EQ(ReduceToPalette(copy, ReductionMode::WebSafe, DitherMode::FloydSteinberg, 8).Row(0)[0], expected);
  }
}

TEST(ReduceToPalette, DitheringMixesNeighbouringLevelsToKeepTheAverage) {
  // 25 lies between levels 0 and 51: about half the pixels take each.
  Bitmap source = FlatPicture(40, 40, 25, 25, 25);
  const Bitmap result = ReduceToPalette(source, ReductionMode::WebSafe, DitherMode::FloydSteinberg, 8);
  int bright = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const int index = result.Row(y)[x];
      EXPECT_TRUE(index == 0 || index == 43) << index;
      bright += index == 43;
    }
  EXPECT_NEAR(bright, 40 * 40 * 25 / 51, 20);
  Bitmap again = FlatPicture(40, 40, 25, 25, 25);
  const Bitmap nearest = ReduceToPalette(again, ReductionMode::WebSafe, DitherMode::Nearest, 8);
  EXPECT_EQ(nearest.Pixels(), Bitmap(40, 40, 8).Pixels());  // all black without diffusion
}

TEST(ReduceToPalette, OptimizedModeReproducesAFewColoursExactly) {
  Bitmap source(6, 4, 24);
  const int colours[3][3] = {{12, 200, 77}, {250, 3, 140}, {90, 90, 91}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const int* c = colours[(x + y) % 3];
      SetPixel24(source, x, y, c[0], c[1], c[2]);
    }
  const Bitmap result = ReduceToPalette(source, ReductionMode::OptimizedWindows, DitherMode::FloydSteinberg, 8);
  ASSERT_EQ(result.Colors().size(), 256u);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) {
      const PaletteEntry& got = result.Colors()[result.Row(y)[x]];
      const int* c = colours[(x + y) % 3];
      EXPECT_EQ((std::vector<int>{got.red, got.green, got.blue}), (std::vector<int>{c[0], c[1], c[2]}));
    }
}

TEST(ReduceToPalette, UnknownDitherModeLeavesThePixelsUnwritten) {
  Bitmap source = FlatPicture(4, 3, 255, 255, 255);
  const Bitmap result = ReduceToPalette(source, ReductionMode::WebSafe, static_cast<DitherMode>(7), 8);
  EXPECT_EQ(result.Colors().size(), 216u);
  EXPECT_EQ(result.Pixels(), Bitmap(4, 3, 8).Pixels());
}

TEST(ReduceToPalette, ASourceWithoutPixelsIsAnError) {
  Bitmap empty;
  try {
    ReduceToPalette(empty, ReductionMode::WebSafe, DitherMode::FloydSteinberg, 8);
    FAIL() << "no error";
  } catch (const DibError& e) {
    EXPECT_STREQ(e.what(), "Image has no DIB");
  }
}

TEST(DibAccess, RowZeroIsTheTopRowAndTheWriterCommitsWhenDestroyed) {
  Bitmap source = RandomPicture(3, 2, 8);
  Bitmap copy = source;
  TDIBReader reader(copy, 24);
  EXPECT_EQ(reader.RowAt(1)[0], source.Row(1)[0]);
  Bitmap target(3, 2, 8);
  target.SetColors(Palette(4));
  {
    TDIBWriter writer(target, 8);
    writer.RowAt(1)[2] = 9;
    EXPECT_EQ(target.Row(1)[2], 0);  // not yet stored
  }
  EXPECT_EQ(target.Row(1)[2], 9);
  EXPECT_EQ(target.Colors().size(), 4u);
  Bitmap none;
  EXPECT_THROW(TDIBWriter(none, 8), DibError);
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// The reduction's row loop against the engines driven one pixel at a time through
// their public interface, as the reduction's steps describe it.
Bitmap ReducePixelByPixel(Bitmap source, ReductionMode mode, DitherMode dither) {
  Bitmap result(source.Width(), source.Height(), 8);
  source.ConvertTo24();
  result.SetColors(mode == ReductionMode::WebSafe ? BuildWebPalette()
                                                  : BuildOptimizedWindowsPalette(source, StandardSystemColors()));
  TNetscapeColorLookup web;
  TFastColorLookup fast(result.Colors());
  TColorLookup& lookup = mode == ReductionMode::WebSafe ? static_cast<TColorLookup&>(web) : fast;
  TDitherEngine nearest(source.Width(), lookup);
  TFloydSteinbergEngine diffusing(source.Width(), lookup);
  TDitherEngine& engine = dither == DitherMode::Nearest ? nearest : diffusing;
  for (int y = 0; y < source.Height(); ++y) {
    while (engine.Column() >= 0 && engine.Column() < source.Width()) {
      const int x = engine.Column();
      const std::uint8_t* p = source.Row(y) + 3 * x;
      int r, g, b;
      result.Row(y)[x] = engine.DitherPixel(p[2], p[1], p[0], r, g, b);
    }
    engine.EndLine();
  }
  return result;
}

// Includes one-pixel-wide pictures, and pictures of runs of one colour (flat
// areas, some in no palette, which settle into repeating errors, and the edges
// of runs where the error from the row above changes).
TEST(ReduceToPalette, RowLoopMatchesPixelByPixelDithering) {
  std::vector<Bitmap> pictures;
  for (auto [width, height] : {std::pair{1, 9}, {2, 2}, {31, 17}, {64, 40}}) {
    pictures.push_back(RandomPicture(width, height, static_cast<unsigned>(width * height)));
  }
  pictures.push_back(testing::PagePicture(97, 61, 3));
  pictures.push_back(testing::FlatPicture(40, 7, 238, 238, 238));
  pictures.push_back(testing::FlatPicture(33, 5, 255, 255, 255));
  Bitmap stripes = testing::FlatPicture(50, 30, 200, 100, 7);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 50; ++x)
      if ((x / 7 + y / 5) % 3 == 0) SetPixel24(stripes, x, y, 0, 51, 102);
  pictures.push_back(stripes);
  for (const Bitmap& picture : pictures) {
    for (ReductionMode mode : {ReductionMode::WebSafe, ReductionMode::OptimizedWindows}) {
      for (DitherMode dither : {DitherMode::Nearest, DitherMode::FloydSteinberg}) {
        Bitmap copy = picture;
        EXPECT_EQ(ReduceToPalette(copy, mode, dither, 8).Pixels(), ReducePixelByPixel(picture, mode, dither).Pixels())
            << picture.Width() << "x" << picture.Height();
      }
    }
  }
}

// The row walks take up the errors the engine holds, also when the first pixels
// of a row went through the engine one by one, with the same lookup or with
// another (whose errors the web palette's own walk cannot take up: it leaves
// them to the plain walk).
TEST(ReduceToPalette, RowWalksGoOnFromPixelByPixelDithering) {
  Bitmap picture = testing::PagePicture(45, 12, 9);
  const Palette palette = BuildOptimizedWindowsPalette(picture, StandardSystemColors());
  TNetscapeColorLookup web;
  TFastColorLookup fast(palette);
  TFastColorLookup other(BuildWebPalette());  // nearest by distance: errors the web lookup never makes
  for (ReductionMode mode : {ReductionMode::WebSafe, ReductionMode::OptimizedWindows}) {
    TColorLookup& lookup = mode == ReductionMode::WebSafe ? static_cast<TColorLookup&>(web) : fast;
    for (bool otherFirst : {false, true}) {
      TColorLookup& first = otherFirst ? static_cast<TColorLookup&>(other) : lookup;
      TFloydSteinbergEngine reference(picture.Width(), lookup);
      TFloydSteinbergEngine walked(picture.Width(), lookup);
      for (int y = 0; y < picture.Height(); ++y) {
        std::vector<std::uint8_t> expected(static_cast<std::size_t>(picture.Width())), got = expected;
        const std::uint8_t* in = picture.Row(y);
        int r, g, b;
        for (int n = 0; n < 5; ++n) {
          const auto x = static_cast<std::size_t>(reference.Column());
          const std::uint8_t* p = in + 3 * x;
          expected[x] = reference.Step(first, p[2], p[1], p[0], r, g, b);
          got[x] = walked.Step(first, p[2], p[1], p[0], r, g, b);
        }
        while (reference.Column() >= 0 && reference.Column() < picture.Width()) {
          const auto x = static_cast<std::size_t>(reference.Column());
          const std::uint8_t* p = in + 3 * x;
          expected[x] = reference.DitherPixel(p[2], p[1], p[0], r, g, b);
        }
        if (mode == ReductionMode::WebSafe) {
          walked.DitherRow(web, in, got.data());
        } else {
          walked.DitherRow(fast, in, got.data());
        }
        EXPECT_EQ(got, expected) << "row " << y << (otherFirst ? ", another lookup first" : "");
        reference.EndLine();
        walked.EndLine();
      }
    }
  }
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// A 32-bit picture is reduced from its own rows, unconverted, to the same result as
// its 24-bit form; so are rows held outside a bitmap.
TEST(ReduceToPalette, ThirtyTwoBitPicturesAndOutsideRowsGiveTheSameResult) {
  const Bitmap deep = RandomPicture(37, 11, 17);
  Bitmap wide(37, 11, 32);
  for (int y = 0; y < 11; ++y)
    for (int x = 0; x < 37; ++x) {
      std::memcpy(wide.Row(y) + 4 * x, deep.Row(y) + 3 * x, 3);
      wide.Row(y)[4 * x + 3] = static_cast<std::uint8_t>(x * 7);  // the unused byte means nothing
    }
  for (ReductionMode mode : {ReductionMode::WebSafe, ReductionMode::OptimizedWindows}) {
    for (DitherMode dither : {DitherMode::Nearest, DitherMode::FloydSteinberg}) {
      Bitmap a = deep, b = wide;
      const Bitmap expected = ReduceToPalette(a, mode, dither, 8);
      const Bitmap fromWide = ReduceToPalette(b, mode, dither, 8);
      EXPECT_EQ(b.BitsPerPixel(), 32);  // read in place
      EXPECT_EQ(fromWide.Pixels(), expected.Pixels());
      EXPECT_EQ(fromWide.Colors(), expected.Colors());
      // Bottom-up rows, as a file stores them.
      std::vector<std::uint8_t> flipped(wide.Pixels().size());
      for (int y = 0; y < 11; ++y) std::memcpy(&flipped[(10 - y) * wide.Stride()], wide.Row(y), wide.Stride());
      PixelRows rows;
      rows.top = &flipped[10 * wide.Stride()];
      rows.stride = -static_cast<std::ptrdiff_t>(wide.Stride());
      rows.width = 37;
      rows.height = 11;
      rows.bytesPerPixel = 4;
      EXPECT_EQ(ReduceToPalette(rows, mode, dither, 8).Pixels(), expected.Pixels());
    }
  }
}

}  // namespace
}  // namespace tessaly

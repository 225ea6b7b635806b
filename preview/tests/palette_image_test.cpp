#include "preview/palette_image.h"

#include <gtest/gtest.h>

#include "preview/tests/test_pictures.h"

namespace tessaly {
namespace {

Bitmap IndexedPicture(int bits) {
  Bitmap bitmap(11, 3, bits);
  Palette colors;
  for (int i = 0; i < (1 << bits) && i < 40; ++i) {
    colors.push_back({static_cast<std::uint8_t>(i * 6), 1, static_cast<std::uint8_t>(255 - i), 0});
  }
  bitmap.SetColors(colors);
  for (int y = 0; y < 3; ++y)
    for (std::size_t i = 0; i < bitmap.Stride(); ++i) bitmap.Row(y)[i] = static_cast<std::uint8_t>(37 * y + 11 * i);
  return bitmap;
}

TEST(PaletteImage, PicturesOf8BitsOrFewerAreTakenOverUnchanged) {
  for (int bits : {1, 4, 8}) {
    for (ReductionMode mode : {ReductionMode::WebSafe, ReductionMode::OptimizedWindows}) {
      const Bitmap original = IndexedPicture(bits);
      TPaletteImage image;
      image.SetReduction(mode);
      image.Assign(original);
      ASSERT_EQ(image.FrameCount(), 1);
      const TPaletteFrame& frame = image.Frame(0);
      EXPECT_EQ(frame.bitmap.BitsPerPixel(), bits);
      EXPECT_EQ(frame.bitmap.Pixels(), original.Pixels());
      EXPECT_EQ(frame.colorMap, original.Colors());
      EXPECT_EQ(image.Width(), 11);
      EXPECT_EQ(image.Height(), 3);
    }
  }
}

TEST(PaletteImage, DeviceDependentPicturesAreTakenOverUnchanged) {
  Bitmap deep = testing::RandomPicture(4, 4, 1);
  deep.SetDeviceDependent(true);
  TPaletteImage image;
  image.Assign(deep);
  EXPECT_EQ(image.Frame(0).bitmap.BitsPerPixel(), 24);
  EXPECT_EQ(image.Frame(0).bitmap.Pixels(), deep.Pixels());
}

TEST(PaletteImage, DeeperPicturesAreReducedWithTheImagesModes) {
  TPaletteImage image;
  image.SetReduction(ReductionMode::OptimizedWindows);
  image.SetDither(DitherMode::Nearest);
  const Bitmap source = testing::RandomPicture(30, 20, 2);
  image.Assign(source);
  Bitmap copy = source;
  const Bitmap expected = ReduceToPalette(copy, ReductionMode::OptimizedWindows, DitherMode::Nearest, 8);
  EXPECT_EQ(image.Frame(0).bitmap.Pixels(), expected.Pixels());
  EXPECT_EQ(image.Frame(0).colorMap, expected.Colors());
  EXPECT_EQ(image.Width(), 30);
  // A new assignment replaces the frame rather than adding one.
  image.SetReduction(ReductionMode::WebSafe);
  image.Assign(source);
  EXPECT_EQ(image.FrameCount(), 1);
  EXPECT_EQ(image.Frame(0).colorMap.size(), 216u);
}

TEST(PaletteImage, AnEmptyPictureLeavesOneEmptyFrame) {
  TPaletteImage image;
  image.Assign(testing::RandomPicture(5, 5, 3));
  image.Assign(Bitmap());
  EXPECT_EQ(image.FrameCount(), 1);
  EXPECT_EQ(image.Width(), 0);
  EXPECT_FALSE(image.Frame(0).bitmap.HasPixels());
}

TEST(PaletteImage, SystemColoursComeFromTheImageSettings) {
  SystemColors system = StandardSystemColors();
  system[0] = {1, 2, 3, 0};
  system[19] = {4, 5, 6, 0};
  TPaletteImage image;
  image.SetReduction(ReductionMode::OptimizedWindows);
  image.SetSystemColors(system);
  image.Assign(testing::FlatPicture(3, 3, 40, 50, 60));
  EXPECT_EQ(image.Frame(0).colorMap[0], system[0]);
  EXPECT_EQ(image.Frame(0).colorMap[255], system[19]);
}

}  // namespace
}  // namespace tessaly

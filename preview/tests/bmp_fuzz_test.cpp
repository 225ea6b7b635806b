#include <gtest/gtest.h>

#include <random>

#include "preview/bmp_file.h"
#include "preview/palette_image.h"

namespace tessaly {
namespace {

// Damages valid files in the ways real bad input does and checks that reading them
// either fails with BmpError or yields a consistent picture that reduces cleanly.
// Runs under the sanitizers in the native-asan build.
TEST(BmpFuzz, NoInputCrashesTheReader) {
  std::mt19937 random(20240607u);
  std::vector<std::vector<std::uint8_t>> seeds;
  for (int bits : {1, 4, 8, 16, 24, 32}) {
    Bitmap b(1 + bits % 7, 3, bits);
    if (bits <= 8) b.SetColors(Palette(std::size_t{1} << bits, {9, 8, 7, 0}));
    for (auto& byte : b.Pixels()) byte = static_cast<std::uint8_t>(random());
    seeds.push_back(WriteBmp(b));
  }
  Bitmap fields(3, 2, 16);
  fields.SetMasks({0xF800u, 0x07E0u, 0x001Fu});
  seeds.push_back(WriteBmp(fields));

  int accepted = 0, refused = 0;
  for (int round = 0; round < 4000; ++round) {
    std::vector<std::uint8_t> file = seeds[random() % seeds.size()];
    switch (round % 4) {
      case 0:  // flip bytes of the headers
        for (int n = 1 + random() % 4; n > 0; --n) file[random() % std::min<std::size_t>(file.size(), 70)] = static_cast<std::uint8_t>(random());
        break;
      case 1:  // cut the file short
        file.resize(random() % file.size());
        break;
      case 2:  // overwrite a header field with an extreme value
        {
          const std::size_t at = 2 + 4 * (random() % 12);
          const std::uint32_t extremes[] = {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 65535u, 65536u};
          const std::uint32_t v = extremes[random() % 7];
          for (int i = 0; i < 4 && at + i < file.size(); ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
        break;
      default:  // random bytes after a plausible start
        file.assign(random() % 200, 0);
        for (auto& byte : file) byte = static_cast<std::uint8_t>(random());
        if (file.size() >= 2 && random() % 2) {
          file[0] = 'B';
          file[1] = 'M';
        }
        break;
    }
    try {
      Bitmap bitmap = ReadBmp(file);
      ++accepted;
      ASSERT_GT(bitmap.Width(), 0);
      ASSERT_GT(bitmap.Height(), 0);
      ASSERT_EQ(bitmap.Pixels().size(), bitmap.Stride() * static_cast<std::size_t>(bitmap.Height()));
      if (static_cast<std::int64_t>(bitmap.Width()) * bitmap.Height() <= 4096) {
        TPaletteImage image;
        image.SetReduction(round % 2 ? ReductionMode::WebSafe : ReductionMode::OptimizedWindows);
        image.Assign(std::move(bitmap));
        ASSERT_EQ(image.FrameCount(), 1);
      }
    } catch (const BmpError&) {
      ++refused;
    }
  }
  // Both outcomes must actually occur, or the mutations are not reaching the reader.
  EXPECT_GT(accepted, 100);
  EXPECT_GT(refused, 1000);
}

}  // namespace
}  // namespace tessaly

// The reduction's output for a set of pictures, as recorded from the straight
// serial implementation: any change to how the reduction is computed must leave
// every index and every palette entry as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "preview/bmp_file.h"
#include "preview/palette_image.h"
#include "preview/reduce_to_palette.h"
#include "preview/tests/test_pictures.h"

namespace tessaly {
namespace {

using testing::CloudPicture;
using testing::PagePicture;
using testing::RandomPicture;
using testing::WithFourthByte;

// FNV-1a over the result's size, indices (row padding included) and palette.
class Fingerprint {
 public:
  void Add(std::uint8_t byte) { hash_ = (hash_ ^ byte) * 0x100000001B3ull; }
  void Add(const Bitmap& picture) {
    for (int v : {picture.Width(), picture.Height(), picture.BitsPerPixel()})
      for (int shift = 0; shift < 32; shift += 8) Add(static_cast<std::uint8_t>(v >> shift));
    for (std::uint8_t byte : picture.Pixels()) Add(byte);
    for (const PaletteEntry& c : picture.Colors())
      for (std::uint8_t byte : {c.red, c.green, c.blue, c.flags}) Add(byte);
  }
  std::uint64_t Value() const { return hash_; }

 private:
  std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

struct Mode {
  ReductionMode reduction;
  DitherMode dither;
  const char* name;
};
const Mode kModes[] = {{ReductionMode::WebSafe, DitherMode::FloydSteinberg, "web-safe, diffused"},
                       {ReductionMode::WebSafe, DitherMode::Nearest, "web-safe, nearest"},
                       {ReductionMode::OptimizedWindows, DitherMode::FloydSteinberg, "Windows, diffused"},
                       {ReductionMode::OptimizedWindows, DitherMode::Nearest, "Windows, nearest"}};

std::uint64_t FingerprintOf(const Bitmap& picture, const Mode& mode) {
  Bitmap copy = picture;
  Fingerprint f;
  f.Add(ReduceToPalette(copy, mode.reduction, mode.dither, 8));
  return f.Value();
}

struct Recorded {
  const char* picture;
  std::uint64_t fingerprints[4];  // in the order of kModes
};

Bitmap PictureNamed(const std::string& name) {
  if (name == "clouds 480x270") return CloudPicture(480, 270, 3);
  if (name == "page 640x400") return PagePicture(640, 400, 5);
  if (name == "page 640x400, 32 bits") return WithFourthByte(PagePicture(640, 400, 5), 6);
  if (name == "clouds 333x211, 32 bits") return WithFourthByte(CloudPicture(333, 211, 8), 9);
  if (name == "random 97x61") return RandomPicture(97, 61, 10);
  if (name == "random 1x23") return RandomPicture(1, 23, 11);
  if (name == "random 2x19") return RandomPicture(2, 19, 12);
  if (name == "random 3x3") return RandomPicture(3, 3, 13);
  if (name == "random 1x1") return RandomPicture(1, 1, 14);
  if (name == "page 3000x40") return PagePicture(3000, 40, 15);
  return {};
}

const Recorded kRecorded[] = {
    {"clouds 480x270", {0xbcfac88a00fbd428u, 0xe0065f0f76cb8bc2u, 0xa73e1ec772b78ddcu, 0x2680bf7f299aeaaau}},
    {"page 640x400", {0xd47db104a2588e15u, 0x7559553782787111u, 0x2f1945aad7b79fa1u, 0x882031872bb4c82fu}},
    {"page 640x400, 32 bits", {0xd47db104a2588e15u, 0x7559553782787111u, 0x2f1945aad7b79fa1u, 0x882031872bb4c82fu}},
    {"clouds 333x211, 32 bits", {0xc6796d66d604d7e2u, 0xbfb786ffcd205e47u, 0xded533b064844cc7u, 0xd12e8a77d5e66978u}},
    {"random 97x61", {0x33e9bae3d6d35557u, 0x671a9b76e3cbf43fu, 0x6d283bd0a1799bf7u, 0x8fce1ff00bcedcc5u}},
    {"random 1x23", {0x146081bc0ad91efcu, 0x8cf88860c34d6cefu, 0x3844e3ddd2edcc1cu, 0x3844e3ddd2edcc1cu}},
    {"random 2x19", {0x3c180a0fac87953bu, 0x1e408fcec5fbbf06u, 0x9c57a45860fee441u, 0x9c57a45860fee441u}},
    {"random 3x3", {0x7b401619e8bec007u, 0x5f702a48969eb496u, 0xed2f03f79391cf4bu, 0xed2f03f79391cf4bu}},
    {"random 1x1", {0xd2f6a37489eb1899u, 0xd2f6a37489eb1899u, 0x34656ecc61829632u, 0x34656ecc61829632u}},
    {"page 3000x40", {0x9fd597ff56ecf245u, 0x648d0a2f79ee9bccu, 0x410e7e6e40e207d0u, 0x410e7e6e40e207d0u}},
};

TEST(ReductionOutputs, EveryModeGivesTheRecordedResultForEachPicture) {
  for (const Recorded& recorded : kRecorded) {
    const Bitmap picture = PictureNamed(recorded.picture);
    ASSERT_TRUE(picture.HasPixels()) << recorded.picture;
    for (int m = 0; m < 4; ++m) {
      const std::uint64_t fingerprint = FingerprintOf(picture, kModes[m]);
      EXPECT_EQ(fingerprint, recorded.fingerprints[m])
          << recorded.picture << ", " << kModes[m].name << std::hex << ": 0x" << fingerprint;
    }
  }
}

// The damaged files of the BMP fuzz test (the same seed and mutations) that the
// reader accepts, reduced in every mode as the preview's container reduces them.
TEST(ReductionOutputs, TheFuzzCorpusGivesTheRecordedResults) {
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

  Fingerprint all[4];
  int reduced = 0;
  for (int round = 0; round < 4000; ++round) {
    std::vector<std::uint8_t> file = seeds[random() % seeds.size()];
    switch (round % 4) {
      case 0:
        for (int n = 1 + random() % 4; n > 0; --n)
          file[random() % std::min<std::size_t>(file.size(), 70)] = static_cast<std::uint8_t>(random());
        break;
      case 1:
        file.resize(random() % file.size());
        break;
      case 2: {
        const std::size_t at = 2 + 4 * (random() % 12);
        const std::uint32_t extremes[] = {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 65535u, 65536u};
        const std::uint32_t v = extremes[random() % 7];
        for (int i = 0; i < 4 && at + i < file.size(); ++i) file[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        break;
      }
      default:
        file.assign(random() % 200, 0);
        for (auto& byte : file) byte = static_cast<std::uint8_t>(random());
        if (file.size() >= 2 && random() % 2) {
          file[0] = 'B';
          file[1] = 'M';
        }
        break;
    }
    Bitmap bitmap;
    try {
      bitmap = ReadBmp(file);
    } catch (const BmpError&) {
      continue;
    }
    if (static_cast<std::int64_t>(bitmap.Width()) * bitmap.Height() > 4096) continue;
    ++reduced;
    for (int m = 0; m < 4; ++m) {
      TPaletteImage image;
      image.SetReduction(kModes[m].reduction);
      image.SetDither(kModes[m].dither);
      image.Assign(bitmap);
      all[m].Add(image.Frame(0).bitmap);
    }
  }
  EXPECT_GT(reduced, 100);
  const std::uint64_t recorded[4] = {0x8f5e0dad8253838au, 0x21eb4c46604439aau, 0xae9e21bd91d1201du,
                                     0xae9e21bd91d1201du};
  for (int m = 0; m < 4; ++m)
    EXPECT_EQ(all[m].Value(), recorded[m]) << kModes[m].name << std::hex << ": 0x" << all[m].Value();
}

}  // namespace
}  // namespace tessaly

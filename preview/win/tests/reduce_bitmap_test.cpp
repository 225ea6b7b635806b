#include "preview/win/reduce_bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "preview/win/dib_bitmap.h"

namespace tessaly::win {
namespace {

constexpr int kWidth = 23;
constexpr int kHeight = 9;

struct Format {
  int bits;
  DWORD compression;
  DWORD masks[3];
  bool bottomUp;
};

// A DIB section made with the raw API, its rows filled from `rows` (top row first,
// 32-bit padded) and, for palette formats, a colour table of `colors`.
UniqueBitmap MakeDib(const Format& format, const std::vector<BYTE>& rows, const Palette& colors) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD table[256];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = kWidth;
  info.header.biHeight = format.bottomUp ? kHeight : -kHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(format.bits);
  info.header.biCompression = format.compression;
  if (format.compression == BI_BITFIELDS) std::memcpy(info.table, format.masks, sizeof(format.masks));
  info.header.biClrUsed = static_cast<DWORD>(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i) info.table[i] = {colors[i].blue, colors[i].green, colors[i].red, 0};
  void* bits = nullptr;
  UniqueBitmap dib(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return dib;
  const std::size_t stride = Bitmap::StrideFor(kWidth, format.bits);
  for (int y = 0; y < kHeight; ++y) {
    const int target = format.bottomUp ? kHeight - 1 - y : y;
    std::memcpy(static_cast<BYTE*>(bits) + target * stride, rows.data() + y * stride, stride);
  }
  return dib;
}

// The pixels the test wrote, converted to 24 bits by the portable code.
Bitmap Portable24(const Format& format, const std::vector<BYTE>& rows) {
  Bitmap picture(kWidth, kHeight, format.bits);
  if (format.compression == BI_BITFIELDS) picture.SetMasks({format.masks[0], format.masks[1], format.masks[2]});
  picture.Pixels() = rows;
  picture.ConvertTo24();
  return picture;
}

// Pixel by pixel, so that the padding at the end of the rows does not count.
bool SamePixels(const Bitmap& a, const Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.PixelColor(x, y) != b.PixelColor(x, y)) return false;
  return true;
}

Palette WithoutFlags(Palette colors) {
  for (auto& c : colors) c.flags = 0;
  return colors;
}

std::vector<BYTE> RandomRows(int bits, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<BYTE> rows(Bitmap::StrideFor(kWidth, bits) * kHeight);
  for (BYTE& b : rows) b = static_cast<BYTE>(random());
  return rows;
}

Palette RandomColors(std::size_t count, unsigned seed) {
  std::mt19937 random(seed);
  Palette colors(count);
  for (auto& c : colors) c = {static_cast<BYTE>(random()), static_cast<BYTE>(random()), static_cast<BYTE>(random()), 0};
  return colors;
}

TEST(ReduceBitmapHandle, DeepDibFormatsAreReducedAsThePortableCodeReducesThem) {
  const Format formats[] = {
      {16, BI_RGB, {}, true},
      {16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, false},
      {24, BI_RGB, {}, true},
      {24, BI_RGB, {}, false},
      {32, BI_RGB, {}, true},
      {32, BI_BITFIELDS, {0xFF0000, 0xFF00, 0xFF}, false},
  };
  for (const Format& format : formats) {
    const std::vector<BYTE> rows = RandomRows(format.bits, static_cast<unsigned>(format.bits + format.bottomUp));
    const UniqueBitmap dib = MakeDib(format, rows, {});
    ASSERT_TRUE(dib);
    // The platform's conversion to 24 bits agrees with the portable one.
    const Bitmap expected24 = Portable24(format, rows);
    const Bitmap read = ReadBitmapHandle(dib.Get());
    EXPECT_FALSE(read.DeviceDependent());
    ASSERT_TRUE(SamePixels(read, expected24)) << format.bits << " bits, bottom-up " << format.bottomUp;

    for (ReductionMode mode : {ReductionMode::WebSafe, ReductionMode::OptimizedWindows}) {
      const ReducedPicture reduced = ReduceBitmapHandle(dib.Get(), mode, DitherMode::FloydSteinberg);
      ASSERT_TRUE(reduced.dib);
      EXPECT_EQ(reduced.bitsPerPixel, 8);
      Bitmap copy = expected24;
      const Bitmap expected = ReduceToPalette(copy, mode, DitherMode::FloydSteinberg, 8, ReadDefaultPaletteColors());
      const Bitmap got = ReadBitmapHandle(reduced.dib.Get());
      EXPECT_EQ(got.BitsPerPixel(), 8);
      EXPECT_EQ(got.Pixels(), expected.Pixels()) << format.bits << " bits";
      // A DIB colour table has no room for palette flags; the logical palette keeps them.
      // The platform may report a DIB's colour table at its full 256 entries.
      ASSERT_GE(got.Colors().size(), expected.Colors().size());
      for (std::size_t i = 0; i < expected.Colors().size(); ++i)
        ASSERT_EQ(got.Colors()[i], WithoutFlags(expected.Colors())[i]) << i;
      EXPECT_EQ(ReadPaletteEntries(reduced.palette.Get()), expected.Colors());
    }
    // The source handle itself is left as it was.
    EXPECT_TRUE(SamePixels(ReadBitmapHandle(dib.Get()), expected24));
  }
}

TEST(ReduceBitmapHandle, PaletteDibsComeBackUnchangedWithTheirOwnColours) {
  for (int bits : {1, 4, 8}) {
    const Palette colors = RandomColors(std::size_t{1} << bits, static_cast<unsigned>(bits));
    const std::vector<BYTE> rows = RandomRows(bits, 40u + static_cast<unsigned>(bits));
    const UniqueBitmap dib = MakeDib({bits, BI_RGB, {}, true}, rows, colors);
    ASSERT_TRUE(dib);
    for (ReductionMode mode : {ReductionMode::WebSafe, ReductionMode::OptimizedWindows}) {
      const ReducedPicture result = ReduceBitmapHandle(dib.Get(), mode, DitherMode::FloydSteinberg);
      EXPECT_EQ(result.bitsPerPixel, bits);
      const Bitmap got = ReadBitmapHandle(result.dib.Get());
      EXPECT_EQ(got.Colors(), colors);
      EXPECT_EQ(ReadPaletteEntries(result.palette.Get()), colors);
      // Compare pixels, not padding bits.
      for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
          const std::size_t stride = Bitmap::StrideFor(kWidth, bits);
          const int bit = x * bits;
          const int want = (rows[y * stride + bit / 8] >> (8 - bits - bit % 8)) & ((1 << bits) - 1);
          ASSERT_EQ(got.PixelColor(x, y), colors[static_cast<std::size_t>(want)]) << bits << " bits " << x << "," << y;
        }
    }
  }
}

TEST(ReduceBitmapHandle, TheOptimizedPaletteFramesItsColoursWithTheSystemColours) {
  const UniqueBitmap dib = MakeDib({24, BI_RGB, {}, false}, RandomRows(24, 3), {});
  const ReducedPicture result = ReduceBitmapHandle(dib.Get(), ReductionMode::OptimizedWindows, DitherMode::Nearest);
  const Palette entries = ReadPaletteEntries(result.palette.Get());
  ASSERT_EQ(entries.size(), 256u);
  const Palette system = ReadPaletteEntries(static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE)));
  for (std::size_t i = 0; i < 10; ++i) {
    EXPECT_EQ(entries[i].red, system[i].red);
    EXPECT_EQ(entries[246 + i].blue, system[10 + i].blue);
    EXPECT_EQ(entries[246 + i].green, system[10 + i].green);
  }
}

TEST(ReduceBitmapHandle, DeviceDependentBitmapsAreTakenOverUnchanged) {
  WindowDc screen(nullptr);
  const UniqueBitmap ddb(CreateCompatibleBitmap(screen.Get(), kWidth, kHeight));
  ASSERT_TRUE(ddb);
  const Bitmap before = ReadBitmapHandle(ddb.Get());
  EXPECT_TRUE(before.DeviceDependent());
  const ReducedPicture result = ReduceBitmapHandle(ddb.Get(), ReductionMode::WebSafe, DitherMode::FloydSteinberg);
  ASSERT_TRUE(result.dib);
  EXPECT_EQ(result.bitsPerPixel, before.BitsPerPixel());
  EXPECT_EQ(ReadBitmapHandle(result.dib.Get()).Pixels(), before.Pixels());
}

TEST(ReduceBitmapHandle, ANonBitmapGivesAnEmptyResult) {
  const UniquePalette palette = CreateLogicalPalette(BuildWebPalette());
  const ReducedPicture result =
      ReduceBitmapHandle(reinterpret_cast<HBITMAP>(palette.Get()), ReductionMode::WebSafe, DitherMode::Nearest);
  EXPECT_FALSE(result.dib);
  EXPECT_EQ(result.bitsPerPixel, 0);
}

}  // namespace
}  // namespace tessaly::win

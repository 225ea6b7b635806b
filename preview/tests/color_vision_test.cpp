// The colour-vision views against a computation of their own in double
// precision (the paper's matrices typed again, the sRGB curve written again),
// and the contrast ratio on WCAG's own examples.
#include "preview/color_vision.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "preview/contrast.h"

namespace tessaly {
namespace {

// Machado, Oliveira and Fernandes (2009), table of severity 1.0.
const double kReference[3][9] = {
    {0.152286, 1.052583, -0.204868, 0.114503, 0.786281, 0.099216, -0.003882, -0.048116, 1.051998},
    {0.367322, 0.860646, -0.227968, 0.280085, 0.672501, 0.047413, -0.011820, 0.042940, 0.968881},
    {1.255528, -0.076749, -0.178779, -0.078411, 0.930809, 0.147602, 0.004733, 0.691367, 0.303900}};

double ToLinear(int v) {
  const double c = v / 255.0;
  return c > 0.04045 ? std::pow((c + 0.055) / 1.055, 2.4) : c / 12.92;
}

int ToByte(double linear) {
  const double l = linear < 0 ? 0 : linear > 1 ? 1 : linear;
  const double c = l > 0.0031308 ? 1.055 * std::pow(l, 1 / 2.4) - 0.055 : 12.92 * l;
  return static_cast<int>(std::floor(c * 255 + 0.5));
}

Rgb Reference(Rgb in, ColorVision vision) {
  const double r = ToLinear(in.red), g = ToLinear(in.green), b = ToLinear(in.blue);
  if (vision == ColorVision::Achromatopsia) {
    const auto y = static_cast<std::uint8_t>(ToByte(0.2126 * r + 0.7152 * g + 0.0722 * b));
    return Rgb{y, y, y};
  }
  const double* m = kReference[static_cast<int>(vision)];
  return Rgb{static_cast<std::uint8_t>(ToByte(m[0] * r + m[1] * g + m[2] * b)),
             static_cast<std::uint8_t>(ToByte(m[3] * r + m[4] * g + m[5] * b)),
             static_cast<std::uint8_t>(ToByte(m[6] * r + m[7] * g + m[8] * b))};
}

bool Near(Rgb a, Rgb b) {
  return std::abs(a.red - b.red) <= 1 && std::abs(a.green - b.green) <= 1 && std::abs(a.blue - b.blue) <= 1;
}

const ColorVision kAll[] = {ColorVision::Protanopia, ColorVision::Deuteranopia, ColorVision::Tritanopia,
                            ColorVision::Achromatopsia};

TEST(ColorVision, WithinOneOfTheDoublePrecisionModelOnEveryGreyAndOnASampleOfColours) {
  std::mt19937 random(20091109);  // fixed: the same sample every run
  std::uniform_int_distribution<int> channel(0, 255);
  for (ColorVision vision : kAll) {
    SCOPED_TRACE(ColorVisionName(vision));
    for (int v = 0; v < 256; ++v) {
      const Rgb grey{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v)};
      ASSERT_TRUE(Near(SimulateColorVision(grey, vision), Reference(grey, vision))) << v;
      // Every row of each matrix sums to one: a grey stays a grey.
      ASSERT_TRUE(Near(SimulateColorVision(grey, vision), grey)) << v;
    }
    for (int i = 0; i < 100000; ++i) {
      const Rgb c{static_cast<std::uint8_t>(channel(random)), static_cast<std::uint8_t>(channel(random)),
                  static_cast<std::uint8_t>(channel(random))};
      const Rgb got = SimulateColorVision(c, vision), want = Reference(c, vision);
      ASSERT_TRUE(Near(got, want)) << int(c.red) << "," << int(c.green) << "," << int(c.blue) << " gave "
                                   << int(got.red) << "," << int(got.green) << "," << int(got.blue);
    }
  }
}

TEST(ColorVision, PurePrimaries) {
  // Worked by hand from the definitions: the red of a protanope is a dark
  // olive, the colours of an achromat their luminance as grey.
  EXPECT_TRUE(Near(SimulateColorVision(Rgb{255, 0, 0}, ColorVision::Protanopia), Rgb{109, 95, 0}));
  EXPECT_TRUE(Near(SimulateColorVision(Rgb{255, 0, 0}, ColorVision::Achromatopsia), Rgb{127, 127, 127}));
  EXPECT_TRUE(Near(SimulateColorVision(Rgb{0, 255, 0}, ColorVision::Achromatopsia), Rgb{220, 220, 220}));
  EXPECT_TRUE(Near(SimulateColorVision(Rgb{0, 0, 255}, ColorVision::Achromatopsia), Rgb{76, 76, 76}));
  // Tritanopia: blue goes to a blue-green, as the matrix's third column says.
  const Rgb blue = SimulateColorVision(Rgb{0, 0, 255}, ColorVision::Tritanopia);
  EXPECT_EQ(blue.red, 0);
  EXPECT_GT(blue.green, 60);
  EXPECT_GT(blue.blue, 60);
}

TEST(ColorVision, APictureChangesPixelByPixelAsTheColoursDo) {
  for (int depth : {24, 32}) {
    Bitmap picture(3, 2, depth);
    for (std::size_t i = 0; i < picture.Pixels().size(); ++i) picture.Pixels()[i] = static_cast<std::uint8_t>(i * 37);
    const Bitmap before = picture;
    SimulateColorVision(picture, ColorVision::Deuteranopia);
    const int step = depth / 8;
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x) {
        const std::uint8_t* p = before.Row(y) + x * step;
        const std::uint8_t* q = picture.Row(y) + x * step;
        EXPECT_EQ((Rgb{q[2], q[1], q[0]}), SimulateColorVision(Rgb{p[2], p[1], p[0]}, ColorVision::Deuteranopia));
        if (depth == 32) {
          EXPECT_EQ(q[3], p[3]);  // the unused byte stays
        }
      }
  }
  Bitmap indexed(2, 2, 8);
  EXPECT_THROW(SimulateColorVision(indexed, ColorVision::Tritanopia), std::invalid_argument);
  EXPECT_EQ(ColorVisionByName("tritanopia"), ColorVision::Tritanopia);
  EXPECT_FALSE(ColorVisionByName("Tritanopia"));
}

TEST(Contrast, WcagExamples) {
  const double black = RelativeLuminance(0, 0, 0), white = RelativeLuminance(255, 255, 255);
  EXPECT_DOUBLE_EQ(ContrastRatio(black, white), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(white, black), 21.0);
  EXPECT_DOUBLE_EQ(ContrastRatio(white, white), 1.0);
  const double grey = ContrastRatio(RelativeLuminance(0x76, 0x76, 0x76), white);
  EXPECT_GT(grey, 4.5);  // #767676 on white: just enough for AA
  EXPECT_LT(grey, 4.6);
  EXPECT_EQ(ContrastText(grey), "4.54:1 AA");
  EXPECT_EQ(ContrastText(21.0), "21.00:1 AAA");
  EXPECT_EQ(ContrastText(7.0), "7.00:1 AAA");
  EXPECT_EQ(ContrastText(4.499), "4.50:1");  // below 4.5, however it rounds
  EXPECT_EQ(ContrastText(ContrastRatio(RelativeLuminance(0x77, 0x77, 0x77), white)), "4.48:1");
}

TEST(Contrast, ReadoutShowsWhatIsKnown) {
  const PaletteEntry grey{0x76, 0x76, 0x76}, white{0xFF, 0xFF, 0xFF}, blue{0x33, 0x66, 0x99};
  EXPECT_EQ(ColorReadout(blue, std::nullopt), "#336699");
  EXPECT_EQ(ColorReadout(grey, white), "#767676    clicked #FFFFFF    contrast 4.54:1 AA");
  // The order of the two does not change the ratio.
  EXPECT_EQ(ColorReadout(white, grey), "#FFFFFF    clicked #767676    contrast 4.54:1 AA");
  EXPECT_EQ(ColorReadout(std::nullopt, white), "clicked #FFFFFF");
  EXPECT_EQ(ColorReadout(std::nullopt, std::nullopt), "");
}

}  // namespace
}  // namespace tessaly

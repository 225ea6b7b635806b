#include "preview/color_vision.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace tessaly {

namespace {

using Matrix = std::array<float, 9>;

// Machado, Oliveira and Fernandes (2009), severity 1.0, on linear RGB.
constexpr Matrix kProtanopia = {0.152286f, 1.052583f, -0.204868f, 0.114503f,  0.786281f,
                                0.099216f, -0.003882f, -0.048116f, 1.051998f};
constexpr Matrix kDeuteranopia = {0.367322f, 0.860646f, -0.227968f, 0.280085f, 0.672501f,
                                  0.047413f, -0.011820f, 0.042940f,  0.968881f};
constexpr Matrix kTritanopia = {1.255528f,  -0.076749f, -0.178779f, -0.078411f, 0.930809f,
                                0.147602f,  0.004733f,  0.691367f,  0.303900f};
// Linear luminance, every row alike: a grey.
constexpr Matrix kAchromatopsia = {0.2126f, 0.7152f, 0.0722f, 0.2126f, 0.7152f, 0.0722f, 0.2126f, 0.7152f, 0.0722f};

const Matrix& MatrixOf(ColorVision vision) {
  switch (vision) {
    case ColorVision::Protanopia: return kProtanopia;
    case ColorVision::Deuteranopia: return kDeuteranopia;
    case ColorVision::Tritanopia: return kTritanopia;
    case ColorVision::Achromatopsia: return kAchromatopsia;
  }
  return kAchromatopsia;
}

// The sRGB curve both ways as tables: decoding each 8-bit value, and
// encoding a linear value quantized to kEncodeSteps, fine enough that the
// table's step moves the 8-bit result by a twentieth at the steepest part
// of the curve.
constexpr int kEncodeSteps = 65535;

struct Curves {
  std::array<float, 256> decode;
  std::array<std::uint8_t, kEncodeSteps + 1> encode;
  Curves() {
    for (int i = 0; i < 256; ++i) {
      const double c = i / 255.0;
      decode[static_cast<std::size_t>(i)] =
          static_cast<float>(c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    for (int i = 0; i <= kEncodeSteps; ++i) {
      const double l = static_cast<double>(i) / kEncodeSteps;
      const double c = l <= 0.0031308 ? 12.92 * l : 1.055 * std::pow(l, 1 / 2.4) - 0.055;
      encode[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::lround(std::clamp(c, 0.0, 1.0) * 255));
    }
  }
  std::uint8_t Encode(float linear) const {
    const float clamped = std::clamp(linear, 0.0f, 1.0f);
    return encode[static_cast<std::size_t>(clamped * kEncodeSteps + 0.5f)];
  }
};

const Curves& TheCurves() {
  static const Curves curves;
  return curves;
}

// Blue, green, red in memory, as the picture holds them.
void Transform(std::uint8_t* bgr, const Matrix& m, const Curves& curves) {
  const float r = curves.decode[bgr[2]], g = curves.decode[bgr[1]], b = curves.decode[bgr[0]];
  bgr[2] = curves.Encode(m[0] * r + m[1] * g + m[2] * b);
  bgr[1] = curves.Encode(m[3] * r + m[4] * g + m[5] * b);
  bgr[0] = curves.Encode(m[6] * r + m[7] * g + m[8] * b);
}

}  // namespace

const char* ColorVisionName(ColorVision vision) {
  switch (vision) {
    case ColorVision::Protanopia: return "protanopia";
    case ColorVision::Deuteranopia: return "deuteranopia";
    case ColorVision::Tritanopia: return "tritanopia";
    case ColorVision::Achromatopsia: return "achromatopsia";
  }
  return "";
}

std::optional<ColorVision> ColorVisionByName(const std::string& name) {
  for (ColorVision v : {ColorVision::Protanopia, ColorVision::Deuteranopia, ColorVision::Tritanopia,
                        ColorVision::Achromatopsia})
    if (name == ColorVisionName(v)) return v;
  return std::nullopt;
}

void SimulateColorVision(Bitmap& picture, ColorVision vision) {
  const int depth = picture.BitsPerPixel();
  if (depth != 24 && depth != 32) throw std::invalid_argument("colour vision needs a picture of 24 or 32 bits");
  const Matrix& m = MatrixOf(vision);
  const Curves& curves = TheCurves();
  const int step = depth / 8;
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint8_t* pixel = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x, pixel += step) Transform(pixel, m, curves);
  }
}

Rgb SimulateColorVision(Rgb color, ColorVision vision) {
  std::uint8_t bgr[3] = {color.blue, color.green, color.red};
  Transform(bgr, MatrixOf(vision), TheCurves());
  return Rgb{bgr[2], bgr[1], bgr[0]};
}

}  // namespace tessaly

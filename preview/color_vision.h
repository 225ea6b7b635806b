#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "preview/bitmap.h"

namespace tessaly {

// The kinds of colour vision the viewer can show a page as.
enum class ColorVision { Protanopia, Deuteranopia, Tritanopia, Achromatopsia };

// "protanopia", "deuteranopia", "tritanopia", "achromatopsia".
const char* ColorVisionName(ColorVision vision);
std::optional<ColorVision> ColorVisionByName(const std::string& name);

// What a person with that colour vision sees of the colours of a picture of
// 24 or 32 bits per pixel (blue, green, red[, unused]), changed in place.
// Protanopia, deuteranopia and tritanopia follow the physiologically based
// model of Machado, Oliveira and Fernandes (2009) at severity 1.0: its 3 x 3
// matrix on linear RGB (sRGB decoded with the IEC 61966-2-1 curve), clamped
// to 0..1, encoded again and rounded to 8 bits. Achromatopsia is the linear
// luminance 0.2126 R + 0.7152 G + 0.0722 B, encoded again, as grey. Each
// channel is within 1 of the same computation in double precision; the
// curves come from tables, made once per process.
// Throws std::invalid_argument for other depths.
void SimulateColorVision(Bitmap& picture, ColorVision vision);

// One colour the same way (red, green, blue).
struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb& a, const Rgb& b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }
};
Rgb SimulateColorVision(Rgb color, ColorVision vision);

}  // namespace tessaly

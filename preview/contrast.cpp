#include "preview/contrast.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace tessaly {

namespace {
double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
}  // namespace

double RelativeLuminance(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return 0.2126 * Linear(red) + 0.7152 * Linear(green) + 0.0722 * Linear(blue);
}

double ContrastRatio(double luminance1, double luminance2) {
  const double lighter = std::max(luminance1, luminance2), darker = std::min(luminance1, luminance2);
  return (lighter + 0.05) / (darker + 0.05);
}

std::string ContrastText(double ratio) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f:1", ratio);
  std::string out = text;
  if (ratio >= 7.0)
    out += " AAA";
  else if (ratio >= 4.5)
    out += " AA";
  return out;
}

std::string HexColor(const PaletteEntry& color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", color.red, color.green, color.blue);
  return text;
}

std::string ColorReadout(const std::optional<PaletteEntry>& pointer, const std::optional<PaletteEntry>& clicked) {
  std::string out = pointer ? HexColor(*pointer) : std::string();
  if (!clicked) return out;
  if (!out.empty()) out += "    ";
  out += "clicked " + HexColor(*clicked);
  if (pointer) {
    const double ratio = ContrastRatio(RelativeLuminance(pointer->red, pointer->green, pointer->blue),
                                       RelativeLuminance(clicked->red, clicked->green, clicked->blue));
    out += "    contrast " + ContrastText(ratio);
  }
  return out;
}

}  // namespace tessaly

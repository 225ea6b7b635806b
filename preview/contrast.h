#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "preview/bitmap.h"

namespace tessaly {

// WCAG 2's relative luminance of an sRGB colour of 8 bits a channel.
double RelativeLuminance(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

// WCAG 2's contrast ratio of two colours: (L1 + 0.05) / (L2 + 0.05), the
// lighter one's luminance above; from 1 to 21.
double ContrastRatio(double luminance1, double luminance2);

// The ratio with two decimals and ":1", then " AA" from 4.5 on and " AAA"
// from 7 on (normal text): "4.54:1 AA". Decided on the ratio itself, not on
// its rounded text: 4.496 shows as "4.50:1" without "AA".
std::string ContrastText(double ratio);

// "#RRGGBB" of a colour.
std::string HexColor(const PaletteEntry& color);

// The viewer's colour readout: the colour under the pointer, and once a colour
// has been clicked, that one and the contrast between the two:
// "#767676    clicked #FFFFFF    contrast 4.54:1 AA". Either may be missing
// (the pointer off the picture, nothing clicked yet).
std::string ColorReadout(const std::optional<PaletteEntry>& pointer, const std::optional<PaletteEntry>& clicked);

}  // namespace tessaly

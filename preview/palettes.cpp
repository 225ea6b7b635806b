#include "preview/palettes.h"

#include "preview/color_quantizer.h"
#include "preview/dib_access.h"

namespace tessaly {

SystemColors StandardSystemColors() {
  return {{{0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0},
           {0x80, 0x80, 0x00, 0}, {0x00, 0x00, 0x80, 0}, {0x80, 0x00, 0x80, 0},
           {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0}, {0xC0, 0xDC, 0xC0, 0},
           {0xA6, 0xCA, 0xF0, 0}, {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0},
           {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0}, {0x00, 0xFF, 0x00, 0},
           {0xFF, 0xFF, 0x00, 0}, {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0},
           {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0}}};
}

Palette BuildWebPalette() {
  Palette palette(216);
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) {
        palette[36 * r + 6 * g + b] = {static_cast<std::uint8_t>(51 * r), static_cast<std::uint8_t>(51 * g),
                                       static_cast<std::uint8_t>(51 * b), 0};
      }
  return palette;
}

Palette BuildOptimizedWindowsPalette(Bitmap& source, const SystemColors& system) {
  TDIBReader reader(source, 24);
  return BuildOptimizedWindowsPalette(reader, system);
}

Palette BuildOptimizedWindowsPalette(TDIBReader& reader, const SystemColors& system) {
  constexpr int kChosen = 236;
  Palette palette(256);
  for (int i = 0; i < 10; ++i) {
    palette[i] = system[i];
    palette[246 + i] = system[10 + i];
  }
  TColorQuantizer quantizer(kChosen, 8);
  quantizer.ScanImage(reader);
  Palette exported;
  quantizer.ExportColors(exported);
  // Entries past the last exported colour repeat entry 0: a lookup keeps the lowest
  // index on a tie and in a shared cache cell, so such an entry never wins a pixel.
  for (int i = 0; i < kChosen; ++i) {
    PaletteEntry c = i < static_cast<int>(exported.size()) ? exported[i] : palette[0];
    c.flags = 0;
    palette[10 + i] = c;
  }
  return palette;
}

}  // namespace tessaly

#include "preview/win/system_palette.h"

#include <vector>

namespace tessaly::win {

Palette ReadPaletteEntries(HPALETTE palette) {
  const UINT count = GetPaletteEntries(palette, 0, 0, nullptr);
  std::vector<PALETTEENTRY> entries(count);
  const UINT read = count ? GetPaletteEntries(palette, 0, count, entries.data()) : 0;
  Palette colors(read);
  for (UINT i = 0; i < read; ++i) {
    colors[i] = {entries[i].peRed, entries[i].peGreen, entries[i].peBlue, entries[i].peFlags};
  }
  return colors;
}

SystemColors ReadDefaultPaletteColors() {
  // A stock object belongs to the system and is never deleted.
  const auto stock = static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  const Palette colors = stock ? ReadPaletteEntries(stock) : Palette{};
  if (colors.size() != 20) return StandardSystemColors();
  SystemColors system;
  for (std::size_t i = 0; i < 20; ++i) system[i] = colors[i];
  return system;
}

UniquePalette CreateLogicalPalette(const Palette& colors) {
  const std::size_t count = colors.size() > 256 ? 256 : colors.size();
  // LOGPALETTE declares one entry; the rest follow it in the same block.
  std::vector<BYTE> block(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(block.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(count);
  for (std::size_t i = 0; i < count; ++i) {
    logical->palPalEntry[i] = {colors[i].red, colors[i].green, colors[i].blue, colors[i].flags};
  }
  return UniquePalette(CreatePalette(logical));
}

}  // namespace tessaly::win

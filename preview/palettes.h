#pragma once
#include <array>

#include "preview/bitmap.h"

namespace tessaly {

class TDIBReader;

// The 20 colours the system keeps in every logical palette: entries 0-9 sit at the
// bottom of a 256-colour palette and entries 10-19 at the top.
using SystemColors = std::array<PaletteEntry, 20>;

// The colours of the Windows default palette (the DEFAULT_PALETTE stock object),
// for use where that object cannot be read.
SystemColors StandardSystemColors();

// 216 entries: index 36*r + 6*g + b holds (51*r, 51*g, 51*b).
Palette BuildWebPalette();

// 256 entries: system colours 0-9, then the 236 colours the octree quantizer picks
// for `source` (converted to 24 bits per pixel on the way), then system colours
// 10-19.
Palette BuildOptimizedWindowsPalette(Bitmap& source, const SystemColors& system);
Palette BuildOptimizedWindowsPalette(TDIBReader& source, const SystemColors& system);

}  // namespace tessaly

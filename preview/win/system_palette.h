#pragma once
#include <windows.h>

#include "framework/win/handles.h"
#include "preview/palettes.h"

namespace tessaly::win {

using UniquePalette = UniqueHandle<GdiObjectTraits<HPALETTE>>;

// The 20 colours of the DEFAULT_PALETTE stock object. Falls back to the standard
// table if the object cannot be read.
SystemColors ReadDefaultPaletteColors();

// A logical palette with the given entries (at most 256), for realizing the reduced
// picture on a palette display. Empty when the palette cannot be created.
UniquePalette CreateLogicalPalette(const Palette& colors);

// The entries of a logical palette.
Palette ReadPaletteEntries(HPALETTE palette);

}  // namespace tessaly::win

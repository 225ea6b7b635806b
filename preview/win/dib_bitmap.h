#pragma once
#include <windows.h>

#include "framework/win/handles.h"
#include "preview/bitmap.h"

namespace tessaly::win {

// Reads a bitmap handle into the portable form, top row first. A picture of 1, 4 or
// 8 bits keeps its depth and colour table; a deeper one (16, 24 or 32 bits) is
// converted to 24 bits by the platform. A device-dependent bitmap is marked so, and
// the palette image then takes it over unchanged. Returns an empty bitmap for a
// handle that is not a bitmap.
Bitmap ReadBitmapHandle(HBITMAP bitmap);

// A DIB section holding the picture: same depth, colour table and rows.
UniqueBitmap CreateDibSection(const Bitmap& picture);

}  // namespace tessaly::win

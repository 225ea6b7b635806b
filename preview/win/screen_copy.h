#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/win/handles.h"
#include "preview/bitmap.h"
#include "preview/capture_area.h"

namespace tessaly::win {

// A copy of a screen area: a bottom-up DIB section at the display's depth (8
// bits with the system palette's colours on a palette display), so that its
// memory is already laid out as a BMP file's pixels.
struct ScreenCopy {
  UniqueBitmap dib;
  std::vector<std::uint8_t> blank;  // the pixels of a blank copy, which has no dib
  const void* bits = nullptr;
  int width = 0;
  int height = 0;
  int bitsPerPixel = 0;
  Palette colors;
};

// Copies what the screen shows in the area, windows over it included. An empty
// copy (no dib) when no bitmap of that size can be made; a failed copy leaves
// the bitmap as it was made (black).
ScreenCopy CopyScreenArea(const CaptureArea& area);

// A black picture of the area's size at 32 bits per pixel, held in memory:
// what a preview shows and writes when no copy of the screen could be made.
ScreenCopy BlankScreenCopy(const CaptureArea& area);

}  // namespace tessaly::win

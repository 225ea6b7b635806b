#pragma once
#include <windows.h>

#include "framework/win/handles.h"
#include "preview/palette_image.h"
#include "preview/win/system_palette.h"

namespace tessaly::win {

// A captured picture after the palette image has taken it over: the DIB section to
// draw and the logical palette to realize while drawing it.
struct ReducedPicture {
  UniqueBitmap dib;
  UniquePalette palette;
  int bitsPerPixel = 0;
};

// Applies the palette image's rule to a bitmap handle: a picture of 8 bits per
// pixel or fewer, or a device-dependent one, comes back unchanged with its own
// colour table; a deeper one is reduced to 8 bits with the mode's palette, built
// with the system's default palette colours. The source handle is not changed.
// Throws DibError when the reduction fails; an empty source gives an empty result.
ReducedPicture ReduceBitmapHandle(HBITMAP source, ReductionMode mode, DitherMode dither);
// The same for a picture already in memory, and for rows of 24 or 32-bit pixels
// held elsewhere (always reduced).
ReducedPicture ReducePicture(Bitmap source, ReductionMode mode, DitherMode dither);
ReducedPicture ReducePicture(const PixelRows& source, ReductionMode mode, DitherMode dither);

// The reduced picture itself and the colours of its logical palette, for a
// window that keeps what it shows (to read its colours, save or copy it).
struct ReducedFrame {
  Bitmap bitmap;
  Palette colorMap;
};
ReducedFrame ReduceFrame(const PixelRows& source, ReductionMode mode, DitherMode dither);
ReducedFrame ReduceFrame(Bitmap source, ReductionMode mode, DitherMode dither);
// A DIB section and logical palette showing such a frame.
ReducedPicture PictureOf(const Bitmap& bitmap, const Palette& colorMap);

}  // namespace tessaly::win

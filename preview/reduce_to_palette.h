#pragma once
#include "preview/bitmap.h"
#include "preview/dib_access.h"
#include "preview/palettes.h"

namespace tessaly {

enum class ReductionMode { WebSafe, OptimizedWindows };

// Numbered as stored in the image settings; other numbers leave the pixels unwritten.
enum class DitherMode : int { Nearest = 0, FloydSteinberg = 1 };

// Returns an 8-bit picture of `source` in the mode's palette. `source` is converted
// to 24 bits per pixel in place, unless it is of 24 bits or of 32 with the
// standard masks. `reductionBits` is not used by these two modes. Throws DibError
// when the source has no pixels.
Bitmap ReduceToPalette(Bitmap& source, ReductionMode mode, DitherMode dither, int reductionBits,
                       const SystemColors& system = StandardSystemColors());
// The same for rows of 24 or 32-bit pixels held elsewhere, read where they are.
Bitmap ReduceToPalette(const PixelRows& source, ReductionMode mode, DitherMode dither, int reductionBits,
                       const SystemColors& system = StandardSystemColors());

}  // namespace tessaly

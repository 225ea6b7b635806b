#include "preview/win/reduce_bitmap.h"

#include "preview/dib_access.h"
#include "preview/win/dib_bitmap.h"

namespace tessaly::win {

ReducedPicture ReduceBitmapHandle(HBITMAP source, ReductionMode mode, DitherMode dither) {
  return ReducePicture(ReadBitmapHandle(source), mode, dither);
}

ReducedPicture ReducePicture(Bitmap source, ReductionMode mode, DitherMode dither) {
  TPaletteImage image;
  image.SetReduction(mode);
  image.SetDither(dither);
  image.SetSystemColors(ReadDefaultPaletteColors());
  image.Assign(std::move(source));
  ReducedPicture result;
  const TPaletteFrame& frame = image.Frame(0);
  if (!frame.bitmap.HasPixels()) return result;
  result.dib = CreateDibSection(frame.bitmap);
  if (!result.dib) throw DibError("Failed to create DIB from Bitmap");
  if (!frame.colorMap.empty()) result.palette = CreateLogicalPalette(frame.colorMap);
  result.bitsPerPixel = frame.bitmap.BitsPerPixel();
  return result;
}

}  // namespace tessaly::win

#include "preview/win/reduce_bitmap.h"

#include "preview/dib_access.h"
#include "preview/win/dib_bitmap.h"

namespace tessaly::win {

ReducedPicture ReduceBitmapHandle(HBITMAP source, ReductionMode mode, DitherMode dither) {
  return ReducePicture(ReadBitmapHandle(source), mode, dither);
}

namespace {
// The frame of a palette image as a DIB section and its logical palette.
ReducedPicture FromFrame(const TPaletteImage& image) {
  ReducedPicture result;
  const TPaletteFrame& frame = image.Frame(0);
  if (!frame.bitmap.HasPixels()) return result;
  result.dib = CreateDibSection(frame.bitmap);
  if (!result.dib) throw DibError("Failed to create DIB from Bitmap");
  if (!frame.colorMap.empty()) result.palette = CreateLogicalPalette(frame.colorMap);
  result.bitsPerPixel = frame.bitmap.BitsPerPixel();
  return result;
}

TPaletteImage ImageFor(ReductionMode mode, DitherMode dither) {
  TPaletteImage image;
  image.SetReduction(mode);
  image.SetDither(dither);
  image.SetSystemColors(ReadDefaultPaletteColors());
  return image;
}
}  // namespace

ReducedFrame ReduceFrame(const PixelRows& source, ReductionMode mode, DitherMode dither) {
  TPaletteImage image = ImageFor(mode, dither);
  image.Assign(source);
  const TPaletteFrame& frame = image.Frame(0);
  return ReducedFrame{frame.bitmap, frame.colorMap};
}

ReducedFrame ReduceFrame(Bitmap source, ReductionMode mode, DitherMode dither) {
  TPaletteImage image = ImageFor(mode, dither);
  image.Assign(std::move(source));
  const TPaletteFrame& frame = image.Frame(0);
  return ReducedFrame{frame.bitmap, frame.colorMap};
}

ReducedPicture PictureOf(const Bitmap& bitmap, const Palette& colorMap) {
  ReducedPicture result;
  if (!bitmap.HasPixels()) return result;
  result.dib = CreateDibSection(bitmap);
  if (!result.dib) throw DibError("Failed to create DIB from Bitmap");
  if (!colorMap.empty()) result.palette = CreateLogicalPalette(colorMap);
  result.bitsPerPixel = bitmap.BitsPerPixel();
  return result;
}

ReducedPicture ReducePicture(Bitmap source, ReductionMode mode, DitherMode dither) {
  TPaletteImage image = ImageFor(mode, dither);
  image.Assign(std::move(source));
  return FromFrame(image);
}

ReducedPicture ReducePicture(const PixelRows& source, ReductionMode mode, DitherMode dither) {
  TPaletteImage image = ImageFor(mode, dither);
  image.Assign(source);
  return FromFrame(image);
}

}  // namespace tessaly::win

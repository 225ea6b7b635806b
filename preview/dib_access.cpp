#include "preview/dib_access.h"

#include <new>

namespace tessaly {

TDIBReader::TDIBReader(Bitmap& bitmap, int bitsPerPixel) : bitmap_(bitmap) {
  if (!bitmap.HasPixels()) throw DibError("Image has no DIB");
  if (bitsPerPixel == 24) {
    try {
      bitmap.ConvertTo24();
    } catch (const std::bad_alloc&) {
      throw DibError("Failed to create DIB from Bitmap");
    }
  } else if (bitsPerPixel != bitmap.BitsPerPixel()) {
    throw DibError("Failed to create DIB from Bitmap");
  }
}

TDIBWriter::TDIBWriter(Bitmap& bitmap, int bitsPerPixel) : bitmap_(bitmap) {
  if (bitsPerPixel != 8 || bitmap.BitsPerPixel() != 8) throw DibError("Failed to create DIB from Bitmap");
}

std::uint8_t* TDIBWriter::RowAt(int y) {
  if (!copied_) {
    if (!bitmap_.HasPixels()) throw DibError("Image has no DIB");
    try {
      pixels_ = bitmap_.Pixels();
      colors_ = bitmap_.Colors();
    } catch (const std::bad_alloc&) {
      throw DibError("Failed to allocate memory for palette DIB");
    }
    copied_ = true;
  }
  return pixels_.data() + static_cast<std::size_t>(y) * bitmap_.Stride();
}

TDIBWriter::~TDIBWriter() {
  if (!copied_) return;
  bitmap_.Pixels().swap(pixels_);
  bitmap_.SetColors(std::move(colors_));
}

}  // namespace tessaly

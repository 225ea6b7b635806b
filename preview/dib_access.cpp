#include "preview/dib_access.h"

#include <new>

namespace tessaly {

namespace {
bool ReadableAs24(const Bitmap& bitmap) {
  if (bitmap.BitsPerPixel() == 24) return true;
  const ChannelMasks standard = DefaultMasks(32);
  const ChannelMasks& masks = bitmap.Masks();
  return bitmap.BitsPerPixel() == 32 && masks.red == standard.red && masks.green == standard.green &&
         masks.blue == standard.blue;
}
}  // namespace

TDIBReader::TDIBReader(Bitmap& bitmap, int bitsPerPixel) {
  if (!bitmap.HasPixels()) throw DibError("Image has no DIB");
  if (bitsPerPixel == 24) {
    if (!ReadableAs24(bitmap)) {
      try {
        bitmap.ConvertTo24();
      } catch (const std::bad_alloc&) {
        throw DibError("Failed to create DIB from Bitmap");
      }
    }
  } else if (bitsPerPixel != bitmap.BitsPerPixel()) {
    throw DibError("Failed to create DIB from Bitmap");
  }
  rows_.top = bitmap.Row(0);
  rows_.stride = static_cast<std::ptrdiff_t>(bitmap.Stride());
  rows_.width = bitmap.Width();
  rows_.height = bitmap.Height();
  rows_.bytesPerPixel = bitmap.BitsPerPixel() == 32 ? 4 : (bitmap.BitsPerPixel() + 7) / 8;
}

TDIBReader::TDIBReader(const PixelRows& rows) : rows_(rows) {
  if (!rows.top || rows.width <= 0 || rows.height <= 0) throw DibError("Image has no DIB");
  if (rows.bytesPerPixel != 3 && rows.bytesPerPixel != 4) throw DibError("Failed to create DIB from Bitmap");
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

#include "preview/palette_image.h"

namespace tessaly {

void TPaletteImage::Assign(Bitmap source) {
  Clear();
  frames_.emplace_back();
  if (source.Empty()) return;
  Bitmap picture;
  if (source.DeviceDependent() || source.BitsPerPixel() <= 8) {
    picture = std::move(source);
  } else {
    picture = ReduceToPalette(source, reduction_, dither_, reductionBits_, system_);
  }
  TakeFrame(std::move(picture));
}

void TPaletteImage::Assign(const PixelRows& source) {
  Clear();
  frames_.emplace_back();
  if (source.width <= 0 || source.height <= 0) return;
  TakeFrame(ReduceToPalette(source, reduction_, dither_, reductionBits_, system_));
}

void TPaletteImage::TakeFrame(Bitmap picture) {
  TPaletteFrame& frame = frames_.back();
  frame.width = static_cast<std::uint16_t>(picture.Width());
  frame.height = static_cast<std::uint16_t>(picture.Height());
  frame.colorMap = picture.Colors();
  frame.bitmap = std::move(picture);
}

}  // namespace tessaly

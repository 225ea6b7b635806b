#pragma once
#include <cstdint>
#include <vector>

#include "preview/bitmap.h"
#include "preview/palettes.h"
#include "preview/reduce_to_palette.h"

namespace tessaly {

// Drawing options of a palette image, as bits of a set.
enum DrawingOption : unsigned { kDrawDirect = 1u };

// One picture of a palette image: its bitmap and the colour map its indices refer to.
struct TPaletteFrame {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  Bitmap bitmap;
  Palette colorMap;
};

// A single-frame palette image. Assigning a picture of 8 bits per pixel or fewer,
// or a device-dependent one, takes it over unchanged with its own palette; deeper
// pictures are reduced with the image's reduction and dither modes.
class TPaletteImage {
 public:
  void Assign(Bitmap source);
  // Rows of a deep picture held elsewhere (24 or 32 bits), always reduced.
  void Assign(const PixelRows& source);
  void Clear() { frames_.clear(); }

  int FrameCount() const { return static_cast<int>(frames_.size()); }
  const TPaletteFrame& Frame(int index) const { return frames_.at(static_cast<std::size_t>(index)); }
  std::uint16_t Width() const { return frames_.empty() ? 0 : frames_.front().width; }
  std::uint16_t Height() const { return frames_.empty() ? 0 : frames_.front().height; }

  ReductionMode Reduction() const { return reduction_; }
  void SetReduction(ReductionMode mode) { reduction_ = mode; }
  DitherMode Dither() const { return dither_; }
  void SetDither(DitherMode mode) { dither_ = mode; }
  int ReductionBits() const { return reductionBits_; }
  void SetReductionBits(int bits) { reductionBits_ = bits; }
  unsigned DrawingOptions() const { return drawingOptions_; }
  void SetDrawingOptions(unsigned options) { drawingOptions_ = options; }
  // The platform's 20 system colours, used by the optimized Windows palette.
  void SetSystemColors(const SystemColors& colors) { system_ = colors; }

 private:
  // The last frame takes the picture, its size and its colours.
  void TakeFrame(Bitmap picture);

  std::vector<TPaletteFrame> frames_;
  ReductionMode reduction_ = ReductionMode::WebSafe;
  DitherMode dither_ = DitherMode::FloydSteinberg;
  int reductionBits_ = 8;
  unsigned drawingOptions_ = 0;
  SystemColors system_ = StandardSystemColors();
};

}  // namespace tessaly

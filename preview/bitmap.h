#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaly {

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  friend bool operator==(const PaletteEntry& a, const PaletteEntry& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.flags == b.flags;
  }
  friend bool operator!=(const PaletteEntry& a, const PaletteEntry& b) { return !(a == b); }
};

using Palette = std::vector<PaletteEntry>;

// Where the channels sit in a 16 or 32-bit pixel.
struct ChannelMasks {
  std::uint32_t red = 0;
  std::uint32_t green = 0;
  std::uint32_t blue = 0;
};

ChannelMasks DefaultMasks(int bitsPerPixel);
// True when each mask is one run of set bits inside the pixel and no two overlap.
bool MasksUsable(const ChannelMasks& masks, int bitsPerPixel);

// An in-memory device-independent bitmap: rows padded to 32 bits like a DIB, but
// stored top row first. Pixels of 1, 4 and 8 bits index the palette; 16 and 32-bit
// pixels are split by the channel masks; 24-bit pixels are blue, green, red.
class Bitmap {
 public:
  Bitmap() = default;
  // Zero-filled pixels. Throws std::invalid_argument for an unsupported depth or a
  // negative size.
  Bitmap(int width, int height, int bitsPerPixel);
  // Takes over rows already laid out as this class keeps them (top row first, each
  // Stride() bytes); throws std::invalid_argument when the size does not match.
  Bitmap(int width, int height, int bitsPerPixel, std::vector<std::uint8_t> pixels);

  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitsPerPixel() const { return bitsPerPixel_; }
  std::size_t Stride() const { return stride_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }
  bool HasPixels() const { return !pixels_.empty(); }

  // A device-dependent bitmap has no pixel format of its own to reduce from.
  bool DeviceDependent() const { return deviceDependent_; }
  void SetDeviceDependent(bool value) { deviceDependent_ = value; }

  const Palette& Colors() const { return colors_; }
  void SetColors(Palette colors) { colors_ = std::move(colors); }

  const ChannelMasks& Masks() const { return masks_; }
  // Throws std::invalid_argument when the masks do not fit the depth.
  void SetMasks(const ChannelMasks& masks);

  std::uint8_t* Row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
  const std::uint8_t* Row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * stride_; }
  std::vector<std::uint8_t>& Pixels() { return pixels_; }
  const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

  // The colour of one pixel as blue, green, red, whatever the depth (an index past
  // the palette reads as black).
  PaletteEntry PixelColor(int x, int y) const;

  // Rewrites the bitmap as 24 bits per pixel; the palette and masks are dropped.
  void ConvertTo24();

  static std::size_t StrideFor(int width, int bitsPerPixel);

 private:
  int width_ = 0;
  int height_ = 0;
  int bitsPerPixel_ = 0;
  std::size_t stride_ = 0;
  bool deviceDependent_ = false;
  Palette colors_;
  ChannelMasks masks_;
  std::vector<std::uint8_t> pixels_;
};

// The same picture as 8 bits per pixel with the same palette and indices; used to
// hand out pictures of 1 and 4 bits in the 8-bit form.
Bitmap WidenIndicesTo8(const Bitmap& source);

}  // namespace tessaly

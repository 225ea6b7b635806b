#include "preview/bitmap.h"

#include <stdexcept>

namespace tessaly {
namespace {

bool IsSupportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

int LowestBit(std::uint32_t mask) {
  int shift = 0;
  while (!(mask & 1u)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

int BitCount(std::uint32_t mask) {
  int n = 0;
  for (; mask; mask &= mask - 1) ++n;
  return n;
}

// Scales a channel of `bits` bits to 8 bits by repeating its bit pattern, so that
// full intensity stays full (31 of 5 bits becomes 255).
struct ChannelExpander {
  explicit ChannelExpander(std::uint32_t mask) : mask(mask), shift(LowestBit(mask)), bits(BitCount(mask)) {}
  std::uint8_t operator()(std::uint32_t pixel) const {
    std::uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8) return static_cast<std::uint8_t>(v >> (bits - 8));
    std::uint32_t out = 0;
    for (int filled = 0; filled < 8; filled += bits) {
      out = (out << bits) | v;
    }
    int total = ((8 + bits - 1) / bits) * bits;
    return static_cast<std::uint8_t>(out >> (total - 8));
  }
  std::uint32_t mask;
  int shift;
  int bits;
};

}  // namespace

ChannelMasks DefaultMasks(int bitsPerPixel) {
  if (bitsPerPixel == 16) return {0x7C00u, 0x03E0u, 0x001Fu};
  if (bitsPerPixel == 32) return {0x00FF0000u, 0x0000FF00u, 0x000000FFu};
  return {};
}

bool MasksUsable(const ChannelMasks& masks, int bitsPerPixel) {
  const std::uint32_t limit = bitsPerPixel >= 32 ? 0xFFFFFFFFu : ((1u << bitsPerPixel) - 1u);
  const std::uint32_t all[3] = {masks.red, masks.green, masks.blue};
  std::uint32_t seen = 0;
  for (std::uint32_t m : all) {
    if (m == 0 || (m & ~limit) || (m & seen)) return false;
    std::uint32_t run = m >> LowestBit(m);
    if (run & (run + 1)) return false;  // not one contiguous run
    seen |= m;
  }
  return true;
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel) {
  if (!IsSupportedDepth(bitsPerPixel)) throw std::invalid_argument("unsupported bits per pixel");
  if (width < 0 || height < 0) throw std::invalid_argument("negative bitmap size");
  width_ = width;
  height_ = height;
  bitsPerPixel_ = bitsPerPixel;
  stride_ = StrideFor(width, bitsPerPixel);
  masks_ = DefaultMasks(bitsPerPixel);
  pixels_.assign(stride_ * static_cast<std::size_t>(height), 0);
}

Bitmap::Bitmap(int width, int height, int bitsPerPixel, std::vector<std::uint8_t> pixels) : Bitmap(0, 0, bitsPerPixel) {
  if (width < 0 || height < 0) throw std::invalid_argument("negative bitmap size");
  const std::size_t stride = StrideFor(width, bitsPerPixel);
  if (pixels.size() != stride * static_cast<std::size_t>(height)) throw std::invalid_argument("pixel data of the wrong size");
  width_ = width;
  height_ = height;
  stride_ = stride;
  pixels_ = std::move(pixels);
}

std::size_t Bitmap::StrideFor(int width, int bitsPerPixel) {
  return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) * 4;
}

void Bitmap::SetMasks(const ChannelMasks& masks) {
  if ((bitsPerPixel_ != 16 && bitsPerPixel_ != 32) || !MasksUsable(masks, bitsPerPixel_)) {
    throw std::invalid_argument("channel masks do not fit the pixel format");
  }
  masks_ = masks;
}

PaletteEntry Bitmap::PixelColor(int x, int y) const {
  const std::uint8_t* row = Row(y);
  auto fromIndex = [this](unsigned index) {
    return index < colors_.size() ? colors_[index] : PaletteEntry{};
  };
  switch (bitsPerPixel_) {
    case 1: return fromIndex((row[x >> 3] >> (7 - (x & 7))) & 1u);
    case 4: return fromIndex((row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu);
    case 8: return fromIndex(row[x]);
    case 24: return {row[3 * x + 2], row[3 * x + 1], row[3 * x], 0};
    case 16:
    case 32: {
      std::uint32_t pixel;
      if (bitsPerPixel_ == 16) {
        pixel = static_cast<std::uint32_t>(row[2 * x] | (row[2 * x + 1] << 8));
      } else {
        const std::uint8_t* p = row + 4 * x;
        pixel = static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
                (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
      }
      return {ChannelExpander(masks_.red)(pixel), ChannelExpander(masks_.green)(pixel),
              ChannelExpander(masks_.blue)(pixel), 0};
    }
    default: return {};
  }
}

void Bitmap::ConvertTo24() {
  if (bitsPerPixel_ == 24) return;
  Bitmap converted(width_, height_, 24);
  const bool standard32 = bitsPerPixel_ == 32 && masks_.red == 0x00FF0000u &&
                          masks_.green == 0x0000FF00u && masks_.blue == 0x000000FFu;
  for (int y = 0; y < height_; ++y) {
    std::uint8_t* out = converted.Row(y);
    if (standard32) {
      const std::uint8_t* in = Row(y);
      for (int x = 0; x < width_; ++x, in += 4, out += 3) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
      }
      continue;
    }
    for (int x = 0; x < width_; ++x, out += 3) {
      const PaletteEntry c = PixelColor(x, y);
      out[0] = c.blue;
      out[1] = c.green;
      out[2] = c.red;
    }
  }
  converted.deviceDependent_ = deviceDependent_;
  *this = std::move(converted);
}

Bitmap WidenIndicesTo8(const Bitmap& source) {
  if (source.BitsPerPixel() > 8) throw std::invalid_argument("only palette pictures have indices");
  if (source.BitsPerPixel() == 8) return source;
  Bitmap wide(source.Width(), source.Height(), 8);
  wide.SetColors(source.Colors());
  const int bits = source.BitsPerPixel();
  const int perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1u;
  for (int y = 0; y < source.Height(); ++y) {
    const std::uint8_t* in = source.Row(y);
    std::uint8_t* out = wide.Row(y);
    for (int x = 0; x < source.Width(); ++x) {
      const int shift = 8 - bits * (x % perByte + 1);
      out[x] = static_cast<std::uint8_t>((in[x / perByte] >> shift) & mask);
    }
  }
  return wide;
}

}  // namespace tessaly

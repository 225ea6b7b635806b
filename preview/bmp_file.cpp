#include "preview/bmp_file.h"

#include <cstring>
#include <string>

namespace tessaly {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

// Bounds-checked little-endian reads over the file's bytes.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Has(std::size_t offset, std::size_t count) const { return offset <= size_ && count <= size_ - offset; }
  std::uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return static_cast<std::uint32_t>(data_[at]) | (static_cast<std::uint32_t>(data_[at + 1]) << 8) |
           (static_cast<std::uint32_t>(data_[at + 2]) << 16) | (static_cast<std::uint32_t>(data_[at + 3]) << 24);
  }
  std::uint16_t U16(std::size_t at) const {
    Need(at, 2);
    return static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8));
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  const std::uint8_t* At(std::size_t at) const { return data_ + at; }
  void Need(std::size_t at, std::size_t count) const {
    if (!Has(at, count)) throw BmpError("truncated BMP file");
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

bool StandardMasks(const ChannelMasks& m, int bits) {
  if (bits == 16) {
    return (m.red == 0x7C00u && m.green == 0x03E0u && m.blue == 0x001Fu) ||
           (m.red == 0xF800u && m.green == 0x07E0u && m.blue == 0x001Fu);
  }
  return bits == 32 && m.red == 0x00FF0000u && m.green == 0x0000FF00u && m.blue == 0x000000FFu;
}

struct Header {
  std::int64_t width = 0;
  std::int64_t height = 0;
  int bits = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t colorsUsed = 0;
  std::size_t size = 0;
  bool core = false;
};

Header ReadHeader(const ByteReader& in) {
  Header h;
  h.size = in.U32(kFileHeaderSize);
  int planes;
  if (h.size == 12) {
    h.core = true;
    in.Need(kFileHeaderSize, 12);
    h.width = in.U16(kFileHeaderSize + 4);
    h.height = in.U16(kFileHeaderSize + 6);
    planes = in.U16(kFileHeaderSize + 8);
    h.bits = in.U16(kFileHeaderSize + 10);
  } else if (h.size == 40 || h.size == 52 || h.size == 56 || h.size == 108 || h.size == 124) {
    in.Need(kFileHeaderSize, h.size);
    h.width = in.I32(kFileHeaderSize + 4);
    h.height = in.I32(kFileHeaderSize + 8);
    planes = in.U16(kFileHeaderSize + 12);
    h.bits = in.U16(kFileHeaderSize + 14);
    h.compression = in.U32(kFileHeaderSize + 16);
    h.colorsUsed = in.U32(kFileHeaderSize + 32);
  } else {
    throw BmpError("unsupported BMP header size " + std::to_string(h.size));
  }
  if (planes != 1) throw BmpError("BMP plane count is " + std::to_string(planes) + ", not 1");
  if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 16 && h.bits != 24 && h.bits != 32) {
    throw BmpError("unsupported BMP depth of " + std::to_string(h.bits) + " bits per pixel");
  }
  if (h.compression == kBiBitfields && h.bits != 16 && h.bits != 32) {
    throw BmpError("bit fields need 16 or 32 bits per pixel");
  }
  if (h.compression != kBiRgb && h.compression != kBiBitfields) {
    throw BmpError("compressed BMP (compression " + std::to_string(h.compression) + ") is not supported");
  }
  if (h.width == 0) throw BmpError("BMP width is zero");
  if (h.width < 0) throw BmpError("BMP width is negative");
  if (h.height == 0) throw BmpError("BMP height is zero");
  const std::int64_t rows = h.height < 0 ? -h.height : h.height;
  if (h.width > kMaxBmpSide || rows > kMaxBmpSide || h.width * rows > kMaxBmpPixels) {
    throw BmpError("BMP size " + std::to_string(h.width) + " x " + std::to_string(rows) + " is too large");
  }
  return h;
}

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  out[at] = static_cast<std::uint8_t>(v);
  out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
  Put16(out, at, v & 0xFFFFu);
  Put16(out, at + 2, v >> 16);
}

}  // namespace

namespace {

// Where a BMP file's pixels lie and how they are laid out, checked against the
// file's length before anything reads them.
struct Layout {
  Header header;
  std::size_t pixelOffset = 0;
  int width = 0;
  int height = 0;
  bool topDown = false;
  std::size_t stride = 0;
  ChannelMasks masks;
  std::size_t tableAt = 0;
};

Layout ReadLayout(const ByteReader& in, const std::uint8_t* data, std::size_t size) {
  if (size < 2 || data[0] != 'B' || data[1] != 'M') throw BmpError("not a BMP file");
  in.Need(0, kFileHeaderSize + 4);
  Layout l;
  l.pixelOffset = in.U32(10);
  l.header = ReadHeader(in);
  const Header& h = l.header;
  l.topDown = h.height < 0;
  l.width = static_cast<int>(h.width);
  l.height = static_cast<int>(l.topDown ? -h.height : h.height);
  l.stride = Bitmap::StrideFor(l.width, h.bits);
  if (l.pixelOffset < kFileHeaderSize + h.size) throw BmpError("BMP pixel data overlaps its header");
  if (!in.Has(l.pixelOffset, l.stride * static_cast<std::size_t>(l.height))) throw BmpError("truncated BMP pixel data");
  l.masks = DefaultMasks(h.bits);
  l.tableAt = kFileHeaderSize + h.size;
  if (h.compression == kBiBitfields) {
    const std::size_t masksAt = kFileHeaderSize + kInfoHeaderSize;
    l.masks = ChannelMasks{in.U32(masksAt), in.U32(masksAt + 4), in.U32(masksAt + 8)};
    if (!StandardMasks(l.masks, h.bits)) throw BmpError("unsupported BMP bit masks");
    if (h.size == kInfoHeaderSize) l.tableAt += 12;
  }
  return l;
}

}  // namespace

std::optional<PixelRows> BmpPixelRows(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const Layout l = ReadLayout(in, data, size);
  const ChannelMasks standard = DefaultMasks(32);
  const bool deep = l.header.bits == 24 || (l.header.bits == 32 && l.masks.red == standard.red &&
                                            l.masks.green == standard.green && l.masks.blue == standard.blue);
  if (!deep) return std::nullopt;
  PixelRows rows;
  const std::ptrdiff_t stride = static_cast<std::ptrdiff_t>(l.stride);
  rows.top = in.At(l.pixelOffset + (l.topDown ? 0 : static_cast<std::size_t>(l.height - 1) * l.stride));
  rows.stride = l.topDown ? stride : -stride;
  rows.width = l.width;
  rows.height = l.height;
  rows.bytesPerPixel = l.header.bits / 8;
  return rows;
}

Bitmap ReadBmp(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const Layout l = ReadLayout(in, data, size);
  const Header& h = l.header;
  // The rows are appended in picture order rather than copied over zeros: for a
  // large picture, filling the buffer twice costs as much as a fifth of a reduction.
  std::vector<std::uint8_t> pixels;
  pixels.reserve(l.stride * static_cast<std::size_t>(l.height));
  for (int y = 0; y < l.height; ++y) {
    const std::uint8_t* row =
        in.At(l.pixelOffset + static_cast<std::size_t>(l.topDown ? y : l.height - 1 - y) * l.stride);
    pixels.insert(pixels.end(), row, row + l.stride);
  }
  Bitmap bitmap(l.width, l.height, h.bits, std::move(pixels));
  if (h.compression == kBiBitfields) bitmap.SetMasks(l.masks);
  const std::size_t tableAt = l.tableAt;
  if (h.bits <= 8) {
    const std::uint32_t maxColors = 1u << h.bits;
    const std::uint32_t count = h.colorsUsed == 0 ? maxColors : h.colorsUsed;
    if (count > maxColors) throw BmpError("BMP colour table has more entries than the depth allows");
    const std::size_t entrySize = h.core ? 3 : 4;
    in.Need(tableAt, count * entrySize);
    Palette colors(count);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::uint8_t* e = in.At(tableAt + i * entrySize);
      colors[i] = {e[2], e[1], e[0], 0};
    }
    bitmap.SetColors(std::move(colors));
  }
  return bitmap;
}

std::vector<std::uint8_t> BmpHeaders(int width, int height, int bits, const Palette& colors,
                                     const ChannelMasks& masks) {
  const ChannelMasks standard = DefaultMasks(bits);
  const bool fields = (bits == 16 || bits == 32) &&
                      (masks.red != standard.red || masks.green != standard.green || masks.blue != standard.blue);
  std::size_t colorCount = 0;
  if (bits <= 8) colorCount = colors.empty() ? (std::size_t{1} << bits) : colors.size();
  const std::size_t headerBytes = kFileHeaderSize + kInfoHeaderSize + (fields ? 12 : 0) + colorCount * 4;
  const std::size_t imageBytes = Bitmap::StrideFor(width, bits) * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> out(headerBytes, 0);
  out[0] = 'B';
  out[1] = 'M';
  Put32(out, 2, static_cast<std::uint32_t>(headerBytes + imageBytes));
  Put32(out, 10, static_cast<std::uint32_t>(headerBytes));
  Put32(out, 14, kInfoHeaderSize);
  Put32(out, 18, static_cast<std::uint32_t>(width));
  Put32(out, 22, static_cast<std::uint32_t>(height));
  Put16(out, 26, 1);
  Put16(out, 28, static_cast<std::uint32_t>(bits));
  Put32(out, 30, fields ? kBiBitfields : kBiRgb);
  Put32(out, 34, static_cast<std::uint32_t>(imageBytes));
  Put32(out, 38, 2835);  // 72 dots per inch
  Put32(out, 42, 2835);
  Put32(out, 46, static_cast<std::uint32_t>(bits <= 8 ? colorCount : 0));
  std::size_t at = kFileHeaderSize + kInfoHeaderSize;
  if (fields) {
    Put32(out, at, masks.red);
    Put32(out, at + 4, masks.green);
    Put32(out, at + 8, masks.blue);
    at += 12;
  }
  for (std::size_t i = 0; i < colors.size() && i < colorCount; ++i, at += 4) {
    const PaletteEntry& c = colors[i];
    out[at] = c.blue;
    out[at + 1] = c.green;
    out[at + 2] = c.red;
  }
  return out;
}

void WriteBmp(const Bitmap& bitmap, const std::function<void(const std::uint8_t*, std::size_t)>& sink) {
  const std::vector<std::uint8_t> headers =
      BmpHeaders(bitmap.Width(), bitmap.Height(), bitmap.BitsPerPixel(), bitmap.Colors(), bitmap.Masks());
  sink(headers.data(), headers.size());
  for (int y = bitmap.Height() - 1; y >= 0; --y) sink(bitmap.Row(y), bitmap.Stride());
}

std::vector<std::uint8_t> WriteBmp(const Bitmap& bitmap) {
  std::vector<std::uint8_t> file;
  WriteBmp(bitmap, [&file](const std::uint8_t* bytes, std::size_t count) { file.insert(file.end(), bytes, bytes + count); });
  return file;
}

}  // namespace tessaly

#include "preview/win/dib_bitmap.h"

#include <cstring>
#include <vector>

namespace tessaly::win {
namespace {

// BITMAPINFO with room for a full colour table or the three masks.
struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

// The colour table of a DIB section, as many entries as it has.
Palette ReadColorTable(HBITMAP bitmap) {
  UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
  if (!dc) return {};
  RGBQUAD table[256];
  UINT count;
  {
    SelectObjectScope select(dc.Get(), bitmap);
    count = GetDIBColorTable(dc.Get(), 0, 256, table);
  }
  Palette colors(count);
  for (UINT i = 0; i < count; ++i) colors[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  return colors;
}

// Reads through GetDIBits asking for top-down rows: the platform does not report a
// DIB section's row order reliably, but always honours the order asked for. Palette
// pictures keep their depth and colour table; deeper ones come as 24 bits, the
// platform converting them from their own format.
Bitmap ReadThroughPlatform(HBITMAP handle, const BITMAP& plain) {
  const int depth = plain.bmBitsPixel * plain.bmPlanes;
  const int bits = depth == 1 || depth == 4 || depth == 8 ? depth : 24;
  Bitmap picture(plain.bmWidth, plain.bmHeight, bits);
  DibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = plain.bmWidth;
  info.header.biHeight = -plain.bmHeight;
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits);
  info.header.biCompression = BI_RGB;
  WindowDc screen(nullptr);
  const int lines = GetDIBits(screen.Get(), handle, 0, static_cast<UINT>(plain.bmHeight), picture.Pixels().data(),
                              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
  if (lines != plain.bmHeight) return Bitmap();
  if (bits <= 8) {
    Palette colors(std::size_t{1} << bits);
    for (std::size_t i = 0; i < colors.size(); ++i) {
      colors[i] = {info.colors[i].rgbRed, info.colors[i].rgbGreen, info.colors[i].rgbBlue, 0};
    }
    picture.SetColors(colors);
  }
  return picture;
}

}  // namespace

Bitmap ReadBitmapHandle(HBITMAP bitmap) {
  BITMAP plain{};
  if (GetObjectA(bitmap, sizeof(plain), &plain) != static_cast<int>(sizeof(BITMAP))) return Bitmap();
  if (plain.bmWidth <= 0 || plain.bmHeight <= 0) return Bitmap();
  DIBSECTION section{};
  const bool isDib = GetObjectA(bitmap, sizeof(section), &section) == static_cast<int>(sizeof(DIBSECTION));
  Bitmap picture = ReadThroughPlatform(bitmap, plain);
  picture.SetDeviceDependent(!isDib && picture.HasPixels());
  // A DIB section's own table may be shorter than its depth allows.
  if (isDib && picture.BitsPerPixel() <= 8 && picture.HasPixels()) picture.SetColors(ReadColorTable(bitmap));
  return picture;
}

UniqueBitmap CreateDibSection(const Bitmap& picture) {
  DibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = picture.Width();
  info.header.biHeight = -picture.Height();
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(picture.BitsPerPixel());
  info.header.biCompression = BI_RGB;
  const int bits = picture.BitsPerPixel();
  if (bits <= 8) {
    const std::size_t count = picture.Colors().size();
    info.header.biClrUsed = static_cast<DWORD>(count);
    for (std::size_t i = 0; i < count && i < 256; ++i) {
      const PaletteEntry& c = picture.Colors()[i];
      info.colors[i] = {c.blue, c.green, c.red, 0};
    }
  } else if (bits == 16 || bits == 32) {
    const ChannelMasks standard = DefaultMasks(bits);
    const ChannelMasks& masks = picture.Masks();
    if (masks.red != standard.red || masks.green != standard.green || masks.blue != standard.blue) {
      info.header.biCompression = BI_BITFIELDS;
      const DWORD fields[3] = {masks.red, masks.green, masks.blue};
      std::memcpy(info.colors, fields, sizeof(fields));
    }
  }
  void* bits_out = nullptr;
  UniqueBitmap dib(CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits_out,
                                    nullptr, 0));
  if (!dib || !bits_out) return UniqueBitmap();
  GdiFlush();
  std::memcpy(bits_out, picture.Pixels().data(), picture.Pixels().size());
  return dib;
}

}  // namespace tessaly::win

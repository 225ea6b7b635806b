#include "preview/win/screen_copy.h"

namespace tessaly::win {

namespace {

// The depth a capture takes: the display's, with palette displays read as 8 bits.
int CaptureDepth(HDC screen) {
  const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  if (depth <= 8) return 8;
  if (depth <= 16) return 16;
  return depth == 24 ? 24 : 32;
}

struct DibInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[256];
};

}  // namespace

ScreenCopy CopyScreenArea(const CaptureArea& area) {
  ScreenCopy copy;
  WindowDc screen(nullptr);
  if (!screen.Get()) return copy;
  const int bits = CaptureDepth(screen.Get());
  DibInfo info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = area.width;
  info.header.biHeight = area.height;  // bottom-up, as the file stores it
  info.header.biPlanes = 1;
  info.header.biBitCount = static_cast<WORD>(bits);
  info.header.biCompression = BI_RGB;
  if (bits == 8) {
    PALETTEENTRY entries[256] = {};
    const UINT count = GetSystemPaletteEntries(screen.Get(), 0, 256, entries);
    info.header.biClrUsed = 256;
    for (UINT i = 0; i < count && i < 256; ++i) {
      info.colors[i] = {entries[i].peBlue, entries[i].peGreen, entries[i].peRed, 0};
      copy.colors.push_back({entries[i].peRed, entries[i].peGreen, entries[i].peBlue, 0});
    }
    copy.colors.resize(256);
  }
  void* pixels = nullptr;
  copy.dib.Reset(CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &pixels,
                                  nullptr, 0));
  if (!copy.dib || !pixels) return ScreenCopy();
  copy.bits = pixels;
  copy.width = area.width;
  copy.height = area.height;
  copy.bitsPerPixel = bits;
  UniqueMemoryDc memory(CreateCompatibleDC(screen.Get()));
  if (memory) {
    SelectObjectScope select(memory.Get(), copy.dib.Get());
    BitBlt(memory.Get(), 0, 0, area.width, area.height, screen.Get(), area.x, area.y, SRCCOPY);
  }
  GdiFlush();  // the pixels are read through the section's memory next
  return copy;
}

ScreenCopy BlankScreenCopy(const CaptureArea& area) {
  ScreenCopy copy;
  copy.width = area.width;
  copy.height = area.height;
  copy.bitsPerPixel = 32;
  copy.blank.assign(Bitmap::StrideFor(area.width, 32) * static_cast<std::size_t>(area.height), 0);
  copy.bits = copy.blank.data();
  return copy;
}

}  // namespace tessaly::win

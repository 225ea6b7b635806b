// Subcommands that read what the screen and the clipboard show, for tests that
// check pictures.
#include <windows.h>

#include <cstdio>
#include <vector>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/screen_capture.h"
#include "tests/wine/driver/window_find.h"

namespace tdriver {
namespace {

bool HasClass(HWND window, const std::string& name) {
  return WindowPattern{name, "*"}.Matches(window);
}

// A top-down 32-bit BMP of the canvas.
bool WriteBmp(const std::string& path, const Canvas& canvas, int width, int height) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = -height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const DWORD pixel_bytes = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + pixel_bytes;
  std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int i = 0; i < canvas.size(); ++i) pixels[static_cast<size_t>(i)] = canvas.pixel(i);
  FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
            std::fwrite(pixels.data(), pixel_bytes, 1, out) == 1;
  return std::fclose(out) == 0 && ok;
}

// The client area of a window, or of its first descendant of a class ("-" for
// the window itself), as the screen shows it: written as a BMP, its screen
// rectangle printed as left,top,width,height.
int GrabClient(const Args& args) {
  HWND window = FindTopLevel(WindowPattern{args[0], args[1]});
  if (window && args[2] != "-") {
    HWND found = nullptr;
    for (HWND child : Descendants(window))
      if (!found && HasClass(child, args[2])) found = child;
    window = found;
  }
  if (!window) return kNotFound;
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return kNotFound;
  Canvas canvas(width, height);
  if (!canvas.CopyScreen(origin.x, origin.y) || !WriteBmp(args[3], canvas, width, height)) return kNotFound;
  Line(std::to_string(origin.x) + "," + std::to_string(origin.y) + "," + std::to_string(width) + "," +
       std::to_string(height));
  return kOk;
}

// The clipboard's device-independent bitmap (CF_DIB) written as a BMP file
// as it lies: its header, colour table and rows, behind a file header.
int ClipboardDib(const Args& args) {
  if (!OpenClipboard(nullptr)) return kNotFound;
  int result = kNotFound;
  if (HANDLE data = GetClipboardData(CF_DIB)) {
    const SIZE_T size = GlobalSize(data);
    if (const auto* dib = static_cast<const BYTE*>(GlobalLock(data))) {
      const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
      DWORD colors = info->biClrUsed;
      if (colors == 0 && info->biBitCount <= 8) colors = 1u << info->biBitCount;
      DWORD table = colors * 4;
      if (info->biCompression == BI_BITFIELDS && info->biSize == sizeof(BITMAPINFOHEADER)) table += 12;
      BITMAPFILEHEADER file{};
      file.bfType = 0x4D42;  // "BM"
      file.bfOffBits = static_cast<DWORD>(sizeof file + info->biSize + table);
      file.bfSize = static_cast<DWORD>(sizeof file + size);
      if (FILE* out = std::fopen(args[0].c_str(), "wb")) {
        const bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(dib, size, 1, out) == 1;
        if (std::fclose(out) == 0 && ok) {
          Line(std::to_string(info->biWidth) + "x" + std::to_string(info->biHeight) + "x" +
               std::to_string(info->biBitCount));
          result = kOk;
        }
      }
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return result;
}

// Empties the clipboard, so that a later copy is known to be new.
int ClipboardClear(const Args&) {
  if (!OpenClipboard(nullptr)) return kNotFound;
  const bool ok = EmptyClipboard() != FALSE;
  CloseClipboard();
  return ok ? kOk : kNotFound;
}

}  // namespace

std::vector<Command> ScreenCommands() {
  return {
      {"grab-client", 4, "CLASS TITLE CHILDCLASS|- FILE.bmp", GrabClient},
      {"clipboard-dib", 1, "FILE.bmp", ClipboardDib},
      {"clipboard-clear", 0, "", ClipboardClear},
  };
}

}  // namespace tdriver

// Subcommands that read what the screen shows, for tests that check pictures.
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

}  // namespace

std::vector<Command> ScreenCommands() {
  return {
      {"grab-client", 4, "CLASS TITLE CHILDCLASS|- FILE.bmp", GrabClient},
  };
}

}  // namespace tdriver

// Subcommands on an executable file as the shell sees it: its icon and version
// resources, and where its icon shows on the screen.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/screen_capture.h"

namespace tdriver {
namespace {

// The first icon of the file at the system's large and small sizes (32 and 16
// pixels here), as the shell extracts it for Explorer and the task bar.
struct FileIcons {
  explicit FileIcons(const std::string& path) { ExtractIconExA(path.c_str(), 0, &large, &small, 1); }
  ~FileIcons() {
    if (large) DestroyIcon(large);
    if (small) DestroyIcon(small);
  }
  FileIcons(const FileIcons&) = delete;
  FileIcons& operator=(const FileIcons&) = delete;
  HICON large = nullptr, small = nullptr;
};

// The icon's pixels as 0xAARRGGBB, top row first, and its size; empty when unreadable.
std::vector<DWORD> IconPixels(HICON icon, int& size) {
  ICONINFO info{};
  BITMAP bitmap{};
  if (!icon || !GetIconInfo(icon, &info)) return {};
  GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
  size = bitmap.bmWidth;
  std::vector<DWORD> pixels(static_cast<size_t>(size) * size);
  BITMAPINFO bmi{};
  bmi.bmiHeader = {sizeof bmi.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC dc = GetDC(nullptr);
  const int rows = info.hbmColor ? GetDIBits(dc, info.hbmColor, 0, size, pixels.data(), &bmi, DIB_RGB_COLORS) : 0;
  ReleaseDC(nullptr, dc);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (rows != size || size == 0) pixels.clear();
  return pixels;
}

BOOL CALLBACK TakeFirstNumbered(HMODULE, LPCSTR, LPSTR group, LONG_PTR param) {
  if (!IS_INTRESOURCE(group)) return TRUE;  // the program numbers its icons
  *reinterpret_cast<LPCSTR*>(param) = group;
  return FALSE;
}

// "count N" icons in the file, then "large WxH" and "small WxH" of the first.
int ExeIcons(const Args& args) {
  Line("count " + std::to_string(ExtractIconExA(args[0].c_str(), -1, nullptr, nullptr, 0)));
  FileIcons icons(args[0]);
  for (auto [name, icon] : {std::pair{"large", icons.large}, std::pair{"small", icons.small}}) {
    int size = 0;
    if (IconPixels(icon, size).empty()) return kNotFound;
    Line(std::string(name) + " " + std::to_string(size) + "x" + std::to_string(size));
  }
  return kOk;
}

// The file's first icon as a program loads its own at the small icon size:
// the stored image of that size, not one scaled by the shell.
HICON LoadSmallIcon(const std::string& path) {
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return nullptr;
  LPCSTR group = nullptr;
  EnumResourceNamesA(module, reinterpret_cast<LPCSTR>(RT_GROUP_ICON), TakeFirstNumbered,
                     reinterpret_cast<LONG_PTR>(&group));
  HICON icon = group ? static_cast<HICON>(LoadImageA(module, group, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                     GetSystemMetrics(SM_CYSMICON), 0))
                     : nullptr;
  FreeLibrary(module);
  return icon;
}

// Where in the screen area X Y W H the file's small icon shows: the place whose
// pixels differ least from the icon's opaque ones. Prints "at X Y" and the mean
// difference per colour channel there (0 to 255).
int IconShown(const Args& args) {
  long long x = 0, y = 0, w = 0, h = 0;
  if (!ParseInt(args[1], x) || !ParseInt(args[2], y) || !ParseInt(args[3], w) || !ParseInt(args[4], h)) return kUsage;
  HICON icon = LoadSmallIcon(args[0]);
  int size = 0;
  const std::vector<DWORD> image = IconPixels(icon, size);
  if (icon) DestroyIcon(icon);
  if (image.empty()) return kNotFound;
  // Only what is on the screen: the tray's last icon sits at its right edge.
  const long long right = std::min<long long>(x + w, GetSystemMetrics(SM_CXSCREEN));
  const long long bottom = std::min<long long>(y + h, GetSystemMetrics(SM_CYSCREEN));
  x = std::max(x, 0LL), y = std::max(y, 0LL), w = right - x, h = bottom - y;
  if (w < size || h < size) return kUsage;
  Canvas screen(static_cast<int>(w), static_cast<int>(h));
  if (!screen.CopyScreen(static_cast<int>(x), static_cast<int>(y))) return kNotFound;
  long long best = -1, opaque = 0;
  int bestX = 0, bestY = 0;
  for (int top = 0; top + size <= h; ++top) {
    for (int left = 0; left + size <= w; ++left) {
      long long sum = 0;
      opaque = 0;
      for (int i = 0; i < size * size; ++i) {
        const DWORD p = image[static_cast<size_t>(i)];
        if ((p >> 24) != 0xff) continue;  // the background shows through
        ++opaque;
        const DWORD q = screen.pixel(left + i % size, top + i / size);
        for (int shift = 0; shift < 24; shift += 8)
          sum += std::abs(static_cast<int>((p >> shift) & 0xff) - static_cast<int>((q >> shift) & 0xff));
      }
      if (best < 0 || sum < best) best = sum, bestX = left, bestY = top;
    }
  }
  if (opaque == 0) return kNotFound;
  char mean[32];
  std::snprintf(mean, sizeof mean, "%.1f", static_cast<double>(best) / static_cast<double>(opaque * 3));
  Line("at " + std::to_string(x + bestX) + " " + std::to_string(y + bestY) + " difference " + mean);
  return kOk;
}

std::string VersionText(const std::vector<BYTE>& data, const std::string& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = "\\StringFileInfo\\" + block + "\\" + name;
  if (!VerQueryValueA(data.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return {};
  return std::string(value, length && value[length - 1] == '\0' ? length - 1 : length);
}

// The version resource as GetFileVersionInfo reads it: "fixed A.B.C.D", then one
// "Name text" line for each string of the first translation.
int VersionInfo(const Args& args) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(args[0].c_str(), &ignored);
  if (!size) return kNotFound;
  std::vector<BYTE> data(size);
  if (!GetFileVersionInfoA(args[0].c_str(), 0, size, data.data())) return kNotFound;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed)
    Line("fixed " + std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionMS)) +
         "." + std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." + std::to_string(LOWORD(fixed->dwFileVersionLS)));
  WORD* translation = nullptr;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < 2 * sizeof(WORD))
    return kNotFound;
  char block[16];
  std::snprintf(block, sizeof block, "%04x%04x", translation[0], translation[1]);
  for (const char* name : {"CompanyName", "FileDescription", "FileVersion", "InternalName", "OriginalFilename",
                           "ProductName", "ProductVersion"})
    Line(std::string(name) + " " + OneLine(VersionText(data, block, name)));
  return kOk;
}

}  // namespace

std::vector<Command> ResourceCommands() {
  return {
      {"exe-icons", 1, "EXE", ExeIcons},
      {"icon-shown", 5, "EXE X Y W H", IconShown},
      {"version-info", 1, "EXE", VersionInfo},
  };
}

}  // namespace tdriver

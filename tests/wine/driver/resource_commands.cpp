// Subcommands on an executable file as the shell sees it: its icon resource, its
// version resource, and where its icon shows on the screen.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "tests/wine/driver/command.h"
#include "tests/wine/driver/screen_capture.h"

namespace tdriver {
namespace {

// The file's resources only: no code of it runs.
struct Module {
  explicit Module(const std::string& path)
      : handle(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
  ~Module() { if (handle) FreeLibrary(handle); }
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;
  HMODULE handle;
};

std::string g_groupName;  // a group named rather than numbered

BOOL CALLBACK TakeFirst(HMODULE, LPCSTR, LPSTR group, LONG_PTR param) {
  if (!IS_INTRESOURCE(group)) group = &(g_groupName = group)[0];
  *reinterpret_cast<LPCSTR*>(param) = group;
  return FALSE;
}

// The first icon group, the one Explorer shows for the file (null if none).
LPCSTR FirstIconGroup(HMODULE module) {
  LPCSTR found = nullptr;
  EnumResourceNamesA(module, reinterpret_cast<LPCSTR>(RT_GROUP_ICON), TakeFirst, reinterpret_cast<LONG_PTR>(&found));
  return found;
}

struct Icon {
  explicit Icon(HICON h) : handle(h) {}
  ~Icon() { if (handle) DestroyIcon(handle); }
  Icon(const Icon&) = delete;
  Icon& operator=(const Icon&) = delete;
  HICON handle;
};

// The icon's pixels as 0xAARRGGBB, top row first; empty when unreadable.
std::vector<DWORD> IconPixels(HICON icon, int size) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  std::vector<DWORD> pixels(static_cast<size_t>(size) * size);
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = size;
  bmi.bmiHeader.biHeight = -size;
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  const int rows = info.hbmColor ? GetDIBits(dc, info.hbmColor, 0, size, pixels.data(), &bmi, DIB_RGB_COLORS) : 0;
  ReleaseDC(nullptr, dc);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (rows != size) pixels.clear();
  return pixels;
}

// "sizes" of the images in the first icon group, "count" of icons as
// ExtractIconEx finds them, and "load S WxH" for each size LoadImage is asked for.
int ExeIcons(const Args& args) {
  Module module(args[0]);
  if (!module.handle) return kNotFound;
  LPCSTR group = FirstIconGroup(module.handle);
  HRSRC found = group ? FindResourceA(module.handle, group, reinterpret_cast<LPCSTR>(RT_GROUP_ICON)) : nullptr;
  const BYTE* directory = found ? static_cast<const BYTE*>(LockResource(LoadResource(module.handle, found))) : nullptr;
  if (!directory) return kNotFound;
  // GRPICONDIR: reserved, type, count (WORDs), then 14-byte entries whose first byte is the width (0 for 256).
  WORD count = 0;
  memcpy(&count, directory + 4, sizeof count);
  std::string sizes = "sizes";
  for (WORD i = 0; i < count; ++i) sizes += " " + std::to_string(directory[6 + 14 * i] ? directory[6 + 14 * i] : 256);
  Line(sizes);
  Line("count " + std::to_string(ExtractIconExA(args[0].c_str(), -1, nullptr, nullptr, 0)));
  for (int size : {16, 32}) {
    Icon icon(static_cast<HICON>(LoadImageA(module.handle, group, IMAGE_ICON, size, size, 0)));
    ICONINFO info{};
    BITMAP bitmap{};
    if (!icon.handle || !GetIconInfo(icon.handle, &info)) {
      Line("load " + std::to_string(size) + " none");
      continue;
    }
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    Line("load " + std::to_string(size) + " " + std::to_string(bitmap.bmWidth) + "x" + std::to_string(bitmap.bmHeight));
  }
  return kOk;
}

// Where in the screen area X Y W H the file's 16-pixel icon shows: the place
// whose pixels differ least from the icon's opaque ones. Prints "at X Y" and
// the mean difference per colour channel there (0 to 255).
int IconShown(const Args& args) {
  long long x = 0, y = 0, w = 0, h = 0;
  if (!ParseInt(args[1], x) || !ParseInt(args[2], y) || !ParseInt(args[3], w) || !ParseInt(args[4], h)) return kUsage;
  constexpr int kSize = 16;
  // Only what is on the screen: the tray's last icon sits at its right edge.
  const long long right = std::min<long long>(x + w, GetSystemMetrics(SM_CXSCREEN));
  const long long bottom = std::min<long long>(y + h, GetSystemMetrics(SM_CYSCREEN));
  x = std::max(x, 0LL), y = std::max(y, 0LL), w = right - x, h = bottom - y;
  if (w < kSize || h < kSize) return kUsage;
  Module module(args[0]);
  LPCSTR group = module.handle ? FirstIconGroup(module.handle) : nullptr;
  if (!group) return kNotFound;
  Icon icon(static_cast<HICON>(LoadImageA(module.handle, group, IMAGE_ICON, kSize, kSize, 0)));
  std::vector<DWORD> image = icon.handle ? IconPixels(icon.handle, kSize) : std::vector<DWORD>();
  if (image.empty()) return kNotFound;
  Canvas screen(static_cast<int>(w), static_cast<int>(h));
  if (!screen.CopyScreen(static_cast<int>(x), static_cast<int>(y))) return kNotFound;
  long long best = -1, opaque = 0;
  int bestX = 0, bestY = 0;
  for (int top = 0; top + kSize <= h; ++top) {
    for (int left = 0; left + kSize <= w; ++left) {
      long long sum = 0;
      opaque = 0;
      for (int i = 0; i < kSize * kSize; ++i) {
        if ((image[static_cast<size_t>(i)] >> 24) != 0xff) continue;  // the background shows through
        ++opaque;
        const DWORD p = image[static_cast<size_t>(i)], q = screen.pixel(left + i % kSize, top + i / kSize);
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

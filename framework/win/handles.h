#pragma once
#include <windows.h>
#include <commctrl.h>

#include <type_traits>
#include <utility>

namespace tessaly::win {

// The value that stands for "no handle": Handle{} unless the traits name
// another with a static Empty() (sockets: INVALID_SOCKET; files:
// INVALID_HANDLE_VALUE).
template <typename Traits, typename = void>
struct EmptyHandle {
  static typename Traits::Handle Value() { return typename Traits::Handle{}; }
};
template <typename Traits>
struct EmptyHandle<Traits, std::void_t<decltype(Traits::Empty())>> {
  static typename Traits::Handle Value() { return Traits::Empty(); }
};

// Owns one platform handle and releases it with Traits::Close.
template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;
  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(UniqueHandle&& o) noexcept : h_(std::exchange(o.h_, Empty())) {}
  UniqueHandle& operator=(UniqueHandle&& o) noexcept {
    if (this != &o) Reset(std::exchange(o.h_, Empty()));
    return *this;
  }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;

  static Handle Empty() { return EmptyHandle<Traits>::Value(); }
  Handle Get() const { return h_; }
  explicit operator bool() const { return h_ != Empty(); }
  Handle Release() { return std::exchange(h_, Empty()); }
  void Reset(Handle h = Empty()) {
    if (h_ != Empty()) Traits::Close(h_);
    h_ = h;
  }

 private:
  Handle h_ = Empty();
};

struct HKeyTraits {
  using Handle = HKEY;
  static void Close(HKEY h) { RegCloseKey(h); }
};
template <typename T>
struct GdiObjectTraits {
  using Handle = T;
  static void Close(T h) { DeleteObject(h); }
};
struct MemoryDcTraits {
  using Handle = HDC;
  static void Close(HDC h) { DeleteDC(h); }
};
struct MenuTraits {
  using Handle = HMENU;
  static void Close(HMENU h) { DestroyMenu(h); }
};
struct IconTraits {
  using Handle = HICON;
  static void Close(HICON h) { DestroyIcon(h); }
};
struct ImageListTraits {
  using Handle = HIMAGELIST;
  static void Close(HIMAGELIST h) { ImageList_Destroy(h); }
};
struct WindowTraits {
  using Handle = HWND;
  static void Close(HWND h) { DestroyWindow(h); }
};

// A file from CreateFile, which fails with INVALID_HANDLE_VALUE.
struct FileTraits {
  using Handle = HANDLE;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { CloseHandle(h); }
};
// Other kernel objects, such as file mappings, which fail with null.
struct KernelHandleTraits {
  using Handle = HANDLE;
  static void Close(HANDLE h) { CloseHandle(h); }
};
// A directory search from FindFirstFile, which fails with INVALID_HANDLE_VALUE.
struct FindTraits {
  using Handle = HANDLE;
  static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { FindClose(h); }
};
struct MappedViewTraits {
  using Handle = const void*;
  static void Close(const void* view) { UnmapViewOfFile(view); }
};

using UniqueKey = UniqueHandle<HKeyTraits>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueFile = UniqueHandle<FileTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueMappedView = UniqueHandle<MappedViewTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
// Memory from GlobalAlloc, until the clipboard takes it.
struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static void Close(HGLOBAL h) { GlobalFree(h); }
};
using UniqueGlobal = UniqueHandle<GlobalMemoryTraits>;

// A window's DC from GetDC, released with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC Get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// A memory DC for measuring text and drawing into bitmaps. Unlike the
// screen's DC it costs nothing to get: under Wine the first GetDC(NULL) of a
// process sets up a surface for the whole desktop.
inline UniqueMemoryDc CreateMemoryDc() { return UniqueMemoryDc(CreateCompatibleDC(nullptr)); }

// A top-down device-independent bitmap of the given depth.
inline HBITMAP CreateDib(int width, int height, WORD bitCount) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = bitCount;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
}

// Selects a GDI object into a DC for one scope.
class SelectObjectScope {
 public:
  SelectObjectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~SelectObjectScope() { SelectObject(dc_, old_); }
  SelectObjectScope(const SelectObjectScope&) = delete;
  SelectObjectScope& operator=(const SelectObjectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace tessaly::win

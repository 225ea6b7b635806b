// ttarget: a plain top-level window for tests to find, size and close.
//   ttarget [--class NAME] [--title TEXT] [--rect L,T,W,H] [--maximized] [--minimized]
//           [--tray] [--paint SEED] [--picture FILE.bmp] [--content] [--hotkey MODS,VK]
// Runs until the window is closed; --tray also puts an icon in the notification
// area whose double-click closes the window (a stand-in for a tray program).
// --paint fills the client area with a known picture (PatternColor), a stand-in
// for a page with flat colour areas and smooth gradients; --picture shows a BMP
// file from the client area's corner (a page made elsewhere). --content lays out
// a browser's insides: a tool bar 30 pixels high (60 while the client area is
// narrower than 400 pixels, as a tool bar that wraps), a content view below it
// and a 20-pixel strip below that. --hotkey holds a system-wide hotkey
// (RegisterHotKey's MOD_ flags and virtual key, decimal) as another program
// may; exit code 3 when it cannot be had.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const UINT kTrayMessage = WM_APP + 1;

struct Options {
  std::string class_name = "TTestTarget";
  std::string title = "Test Target";
  RECT rect{100, 100, 640, 480};  // left, top, width, height
  int show = SW_SHOWNORMAL;
  bool tray = false;
  int paint = -1;  // the pattern's seed; -1 for the system's window colour
  std::string picture;
  bool content = false;
  unsigned hotkey_mods = 0, hotkey_vk = 0;
};

// Client pixel (x, y) of the painted pattern, as 0xRRGGBB. Keep in step with
// pattern_color in tests/e2e/test_color_preview.py. Rows 0-39 hold three flat
// blocks: a web-safe colour, one between the web-safe levels, and white; below
// them a gradient whose colours differ from pixel to pixel (and with the seed).
unsigned PatternColor(int x, int y, int seed) {
  if (y < 40) {
    if (x < 120) return 0x336699;
    if (x < 240) return 0xC8641E;
    return 0xFFFFFF;
  }
  const unsigned r = static_cast<unsigned>(x + seed) & 0xFF, g = static_cast<unsigned>(y) & 0xFF;
  const unsigned b = static_cast<unsigned>((x + y) / 2 + 3 * seed) & 0xFF;
  return (r << 16) | (g << 8) | b;
}

void PaintPattern(HWND window, HDC dc, int seed) {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  if (width <= 0 || height <= 0) return;
  std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width + x] = PatternColor(x, y, seed);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                    static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
}

int g_paint_seed = -1;
HWND g_toolBar = nullptr, g_contentView = nullptr;

void LayOutChildren(HWND window) {
  if (!g_contentView) return;
  RECT client{};
  GetClientRect(window, &client);
  const int bar = client.right < 400 ? 60 : 30;
  MoveWindow(g_toolBar, 0, 0, client.right, bar, TRUE);
  MoveWindow(g_contentView, 0, bar, client.right, client.bottom - bar - 20, TRUE);
}
HBITMAP g_picture = nullptr;

void PaintPicture(HDC dc) {
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, g_picture);
  BITMAP info{};
  GetObjectA(g_picture, sizeof info, &info);
  BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
}

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    bool has_value = i + 1 < argc;
    if (!std::strcmp(arg, "--class") && has_value) {
      options.class_name = argv[++i];
    } else if (!std::strcmp(arg, "--title") && has_value) {
      options.title = argv[++i];
    } else if (!std::strcmp(arg, "--rect") && has_value) {
      RECT& r = options.rect;
      long l, t, w, h;
      if (std::sscanf(argv[++i], "%ld,%ld,%ld,%ld", &l, &t, &w, &h) != 4) return false;
      r = RECT{l, t, w, h};
    } else if (!std::strcmp(arg, "--maximized")) {
      options.show = SW_SHOWMAXIMIZED;
    } else if (!std::strcmp(arg, "--minimized")) {
      options.show = SW_SHOWMINIMIZED;
    } else if (!std::strcmp(arg, "--tray")) {
      options.tray = true;
    } else if (!std::strcmp(arg, "--content")) {
      options.content = true;
    } else if (!std::strcmp(arg, "--picture") && has_value) {
      options.picture = argv[++i];
    } else if (!std::strcmp(arg, "--hotkey") && has_value) {
      if (std::sscanf(argv[++i], "%u,%u", &options.hotkey_mods, &options.hotkey_vk) != 2 || !options.hotkey_vk)
        return false;
    } else if (!std::strcmp(arg, "--paint") && has_value) {
      options.paint = std::atoi(argv[++i]);
      if (options.paint < 0) return false;
    } else {
      return false;
    }
  }
  return true;
}

// Removes the notification icon when the window goes, as a tray program must.
class TrayIcon {
 public:
  explicit TrayIcon(HWND window) {
    data_.cbSize = sizeof data_;
    data_.hWnd = window;
    data_.uID = 1;
    data_.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data_.uCallbackMessage = kTrayMessage;
    data_.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512));  // IDI_APPLICATION, shared
    std::strcpy(data_.szTip, "Test Target");
    added_ = Shell_NotifyIconA(NIM_ADD, &data_) != FALSE;
  }
  ~TrayIcon() { if (added_) Shell_NotifyIconA(NIM_DELETE, &data_); }
  TrayIcon(const TrayIcon&) = delete;
  TrayIcon& operator=(const TrayIcon&) = delete;

 private:
  NOTIFYICONDATAA data_{};
  bool added_ = false;
};

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      if (g_paint_seed < 0 && !g_picture) break;
      {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        if (g_picture) {
          PaintPicture(dc);
        } else {
          PaintPattern(window, dc, g_paint_seed);
        }
        EndPaint(window, &ps);
      }
      return 0;
    case WM_SIZE:
      LayOutChildren(window);
      return 0;
    case kTrayMessage:
      if (lparam == WM_LBUTTONDBLCLK) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: ttarget [--class NAME] [--title TEXT] [--rect L,T,W,H] [--maximized] "
                 "[--minimized] [--tray] [--paint SEED] [--picture FILE.bmp] [--content] [--hotkey MODS,VK]\n");
    return 2;
  }
  g_paint_seed = options.paint;
  if (!options.picture.empty()) {
    g_picture = static_cast<HBITMAP>(LoadImageA(nullptr, options.picture.c_str(), IMAGE_BITMAP, 0, 0,
                                                LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!g_picture) return 1;
  }
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA window_class{};
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  window_class.lpszClassName = options.class_name.c_str();
  if (!RegisterClassA(&window_class)) return 1;

  const RECT& r = options.rect;
  HWND window = CreateWindowExA(0, options.class_name.c_str(), options.title.c_str(),
                                WS_OVERLAPPEDWINDOW, r.left, r.top, r.right, r.bottom, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  if (options.content) {
    g_toolBar = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_GRAYRECT, 0, 0, 0, 0, window, nullptr,
                                instance, nullptr);
    g_contentView = CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_WHITERECT, 0, 0, 0, 0,
                                    window, nullptr, instance, nullptr);
    LayOutChildren(window);
  }
  if (options.hotkey_vk && !RegisterHotKey(window, 1, options.hotkey_mods, options.hotkey_vk)) return 3;
  ShowWindow(window, options.show);
  UpdateWindow(window);
  std::unique_ptr<TrayIcon> tray;
  if (options.tray) tray = std::make_unique<TrayIcon>(window);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

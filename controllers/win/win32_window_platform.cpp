#include "controllers/win/win32_window_platform.h"

#include <windows.h>

#include <vector>

#include "controllers/win/win32_window_layout.h"

namespace tessaly::win {

namespace {
HWND ToHwnd(WindowHandle w) { return reinterpret_cast<HWND>(w); }
}  // namespace

std::uint32_t Win32WindowPlatform::GetWindowThreadProcessId(WindowHandle window) {
  DWORD pid = 0;
  return ::GetWindowThreadProcessId(ToHwnd(window), &pid);
}

std::string Win32WindowPlatform::ReadClassName(WindowHandle window, int maxCount) {
  std::vector<char> buf(static_cast<size_t>(maxCount) + 1, '\0');
  int n = ::GetClassNameA(ToHwnd(window), buf.data(), maxCount);
  return std::string(buf.data(), n > 0 ? static_cast<size_t>(n) : 0);
}

bool Win32WindowPlatform::GetWindowPlacement(WindowHandle window, WindowPlacementRecord& r) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  if (!::GetWindowPlacement(ToHwnd(window), &wp)) return false;
  r.length = wp.length;
  r.flags = wp.flags;
  r.showCmd = wp.showCmd;
  r.minX = wp.ptMinPosition.x;
  r.minY = wp.ptMinPosition.y;
  r.maxX = wp.ptMaxPosition.x;
  r.maxY = wp.ptMaxPosition.y;
  r.left = wp.rcNormalPosition.left;
  r.top = wp.rcNormalPosition.top;
  r.right = wp.rcNormalPosition.right;
  r.bottom = wp.rcNormalPosition.bottom;
  return true;
}

bool Win32WindowPlatform::SetWindowPlacement(WindowHandle window, const WindowPlacementRecord& r) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  wp.flags = r.flags;
  wp.showCmd = r.showCmd;
  wp.ptMinPosition = {r.minX, r.minY};
  wp.ptMaxPosition = {r.maxX, r.maxY};
  wp.rcNormalPosition = {r.left, r.top, r.right, r.bottom};
  if (::SetWindowPlacement(ToHwnd(window), &wp)) return true;
  // Wine refuses the placement of another process's window, which Windows
  // accepts. A window shown normally gets the same rectangle through
  // SetWindowPos, which Wine honours.
  return MoveToRestoredRect(window, r);
}

bool Win32WindowPlatform::MoveToRestoredRect(WindowHandle window, const WindowPlacementRecord& r) {
  HWND h = ToHwnd(window);
  if (IsIconic(h) || IsZoomed(h)) return false;
  int x = 0, y = 0;
  WorkspaceOrigin(window, x, y);
  return ::SetWindowPos(h, nullptr, r.left + x, r.top + y, r.right - r.left, r.bottom - r.top,
                        SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
}

void Win32WindowPlatform::WorkspaceOrigin(WindowHandle window, int& x, int& y) {
  x = y = 0;
  HWND h = ToHwnd(window);
  if (GetWindowLongPtrA(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return;
  MONITORINFO mi{};
  mi.cbSize = sizeof(mi);
  if (!GetMonitorInfoA(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &mi)) return;
  x = mi.rcWork.left - mi.rcMonitor.left;
  y = mi.rcWork.top - mi.rcMonitor.top;
}

void Win32WindowPlatform::BringWindowToTop(WindowHandle window) { ::BringWindowToTop(ToHwnd(window)); }

bool Win32WindowPlatform::ReadWindowLayout(WindowHandle window, WindowLayout& layout) {
  return ReadWin32WindowLayout(ToHwnd(window), layout);
}

}  // namespace tessaly::win

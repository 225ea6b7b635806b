#include "controllers/win/win32_window_layout.h"

namespace tessaly::win {

namespace {
ScreenRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
}  // namespace

bool ReadWin32WindowLayout(HWND window, WindowLayout& layout) {
  RECT outer{}, client{};
  if (!IsWindow(window) || !GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return false;
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
  layout.outer = FromRect(outer);
  layout.client = FromRect(client);
  layout.children.clear();
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT r{};
    if (IsWindowVisible(child) && GetWindowRect(child, &r)) layout.children.push_back(FromRect(r));
  }
  return true;
}

}  // namespace tessaly::win

// The active-window controller on real windows of this process.
#include <windows.h>

#include <gtest/gtest.h>

#include "controllers/win/win32_window_platform.h"
#include "controllers/window_controller.h"

namespace {

using tessaly::WindowController;
using tessaly::WindowHandle;

class TestWindow {
 public:
  TestWindow(const char* className, int showCmd) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    hwnd_ = CreateWindowExA(0, className, "target", WS_OVERLAPPEDWINDOW, 100, 50, 400, 300, nullptr, nullptr,
                            wc.hInstance, nullptr);
    ShowWindow(hwnd_, showCmd);
    Pump();
  }
  ~TestWindow() { Close(); }
  void Close() {
    if (hwnd_) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
  }
  WindowHandle Handle() const { return reinterpret_cast<WindowHandle>(hwnd_); }
  HWND Hwnd() const { return hwnd_; }
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }

 private:
  HWND hwnd_ = nullptr;
};

RECT Restored(HWND h) {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  GetWindowPlacement(h, &wp);
  return wp.rcNormalPosition;
}

TEST(WindowControllerOnWine, SizesNormalWindowFromItsCorner) {
  tessaly::win::Win32WindowPlatform platform;
  WindowController c(platform);
  TestWindow w("TessalyTestTarget", SW_SHOWNORMAL);
  c.SetTargetWindow(w.Handle());
  EXPECT_EQ(c.WindowClassName(w.Handle()), "TessalyTestTarget");
  c.SetSize(800, 600);
  TestWindow::Pump();
  RECT r{};
  GetWindowRect(w.Hwnd(), &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 50);
  EXPECT_EQ(r.right - r.left, 800);
  EXPECT_EQ(r.bottom - r.top, 600);
  EXPECT_EQ(c.GetPlacement(), "100,50,900,650");
}

TEST(WindowControllerOnWine, MaximizedWindowStaysMaximized) {
  tessaly::win::Win32WindowPlatform platform;
  WindowController c(platform);
  TestWindow w("TessalyTestMaximized", SW_SHOWMAXIMIZED);
  c.SetTargetWindow(w.Handle());
  c.SetPresetSize(2, 1, 0);  // 808 x 580
  TestWindow::Pump();
  EXPECT_TRUE(IsZoomed(w.Hwnd()));
  RECT r = Restored(w.Hwnd());
  EXPECT_EQ(r.right - r.left, 808);
  EXPECT_EQ(r.bottom - r.top, 580);
  EXPECT_EQ(c.GetPlacement(), tessaly::PlacementText(r.left, r.top, r.right, r.bottom));
}

TEST(WindowControllerOnWine, ClosedWindowIsNoTarget) {
  tessaly::win::Win32WindowPlatform platform;
  WindowController c(platform);
  TestWindow w("TessalyTestClosed", SW_SHOWNORMAL);
  WindowHandle h = w.Handle();
  c.SetTargetWindow(h);
  w.Close();
  EXPECT_EQ(c.WindowClassName(h), "");
  EXPECT_FALSE(c.IsTargetValid());
  EXPECT_EQ(c.GetPlacement(), "");
  c.SetSize(300, 200);  // must not reach anything
}

TEST(WindowControllerOnWine, TrayUtilityWindowIsNeverSized) {
  tessaly::win::Win32WindowPlatform platform;
  WindowController c(platform);
  TestWindow w("TPUtilWindow", SW_SHOWNORMAL);
  c.SetTargetWindow(w.Handle());
  EXPECT_FALSE(c.IsTargetValid());
  c.SetSize(300, 200);
  TestWindow::Pump();
  RECT r{};
  GetWindowRect(w.Hwnd(), &r);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(c.GetPlacement(), "");
}

// Wine refuses SetWindowPlacement on another process's window; the fallback
// must turn the placement's workspace coordinates into screen coordinates.
// Wine's work area here is the whole screen, so a task bar at the top or the
// left is stood in for by the work area's origin.
class PlatformWithTaskBar : public tessaly::win::Win32WindowPlatform {
 public:
  PlatformWithTaskBar(int x, int y) : x_(x), y_(y) {}
  using Win32WindowPlatform::MoveToRestoredRect;

 protected:
  void WorkspaceOrigin(WindowHandle, int& x, int& y) override {
    x = x_;
    y = y_;
  }

 private:
  int x_, y_;
};

TEST(WindowControllerOnWine, FallbackPlacesInScreenCoordinatesBesideATaskBar) {
  const struct { int x, y; } taskBars[] = {{0, 0}, {0, 40}, {60, 0}};  // none, top, left
  for (const auto& bar : taskBars) {
    PlatformWithTaskBar platform(bar.x, bar.y);
    TestWindow w("TessalyTestFallback", SW_SHOWNORMAL);
    tessaly::WindowPlacementRecord r;
    ASSERT_TRUE(platform.GetWindowPlacement(w.Handle(), r));
    r.right = r.left + 500;
    r.bottom = r.top + 400;
    ASSERT_TRUE(platform.MoveToRestoredRect(w.Handle(), r));
    TestWindow::Pump();
    RECT screen{};
    GetWindowRect(w.Hwnd(), &screen);
    EXPECT_EQ(screen.left, 100 + bar.x);
    EXPECT_EQ(screen.top, 50 + bar.y);
    EXPECT_EQ(screen.right - screen.left, 500);
    EXPECT_EQ(screen.bottom - screen.top, 400);
  }
}

}  // namespace

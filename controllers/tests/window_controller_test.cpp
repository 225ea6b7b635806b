#include "controllers/window_controller.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using tessaly::WindowController;
using tessaly::WindowHandle;
using tessaly::WindowPlacementRecord;

class FakePlatform : public tessaly::WindowPlatform {
 public:
  struct FakeWindow {
    std::string className;
    WindowPlacementRecord placement;
    bool placementReadable = true;
  };
  std::map<WindowHandle, FakeWindow> windows;
  int raised = 0;
  int writes = 0;
  std::uint32_t lastLengthAsked = 0;

  std::uint32_t GetWindowThreadProcessId(WindowHandle w) override { return windows.count(w) ? 7 : 0; }
  std::string ReadClassName(WindowHandle w, int maxCount) override {
    return windows.at(w).className.substr(0, static_cast<size_t>(maxCount - 1));
  }
  bool GetWindowPlacement(WindowHandle w, WindowPlacementRecord& r) override {
    lastLengthAsked = r.length;
    auto& win = windows.at(w);
    if (!win.placementReadable) return false;
    r = win.placement;
    return true;
  }
  bool SetWindowPlacement(WindowHandle w, const WindowPlacementRecord& r) override {
    ++writes;
    windows.at(w).placement = r;
    return true;
  }
  void BringWindowToTop(WindowHandle) override { ++raised; }
  int originX = 0, originY = 0;
  void WorkspaceOrigin(WindowHandle, int& x, int& y) override {
    x = originX;
    y = originY;
  }
  bool ReadWindowLayout(WindowHandle, tessaly::WindowLayout&) override { return false; }
};

WindowPlacementRecord Restored(int l, int t, int r, int b, std::uint32_t show = 1) {
  WindowPlacementRecord p;
  p.showCmd = show;
  p.flags = 2;
  p.minX = -1;
  p.maxX = -8;
  p.left = l;
  p.top = t;
  p.right = r;
  p.bottom = b;
  return p;
}

TEST(WindowController, NoTargetYetDoesNothing) {
  FakePlatform p;
  WindowController c(p);
  c.SetPresetSize(2, 0, 0);
  EXPECT_EQ(c.GetPlacement(), "");
  EXPECT_EQ(p.writes, 0);
  EXPECT_EQ(p.raised, 0);
  EXPECT_EQ(c.WindowClassName(0), "");
}

TEST(WindowController, SizesRestoredRectangleKeepingCornerAndOtherFields) {
  FakePlatform p;
  p.windows[10] = {"Notepad", Restored(100, 50, 500, 350, 3 /* maximized */)};
  WindowController c(p);
  c.SetTargetWindow(10);
  c.SetSize(800, 600);
  const auto& r = p.windows[10].placement;
  EXPECT_EQ(p.lastLengthAsked, 44u);
  EXPECT_EQ((std::vector<int>{r.left, r.top, r.right, r.bottom}), (std::vector<int>{100, 50, 900, 650}));
  EXPECT_EQ(r.showCmd, 3u);  // a maximized window stays maximized
  EXPECT_EQ(r.flags, 2u);
  EXPECT_EQ(r.maxX, -8);
  EXPECT_EQ(p.raised, 1);
  EXPECT_EQ(c.GetPlacement(), "100,50,900,650");
  EXPECT_EQ(p.raised, 2);  // reading the placement brings it up too
}

TEST(WindowController, PlacementIsReportedInScreenCoordinatesBesideATaskBar) {
  FakePlatform p;
  p.windows[10] = {"Notepad", Restored(100, 50, 500, 350)};
  WindowController c(p);
  c.SetTargetWindow(10);
  p.originY = 30;  // a task bar 30 pixels high at the top
  EXPECT_EQ(c.GetPlacement(), "100,80,500,380");
  p.originX = 40, p.originY = 0;  // one 40 pixels wide at the left
  EXPECT_EQ(c.GetPlacement(), "140,50,540,350");
  c.SetSize(200, 100);  // sizing keeps working in the placement's own coordinates
  EXPECT_EQ(p.windows[10].placement.left, 100);
  EXPECT_EQ(p.windows[10].placement.right, 300);
}

TEST(WindowController, PresetGoesThroughSetSize) {
  FakePlatform p;
  p.windows[10] = {"Notepad", Restored(0, 0, 10, 10)};
  WindowController c(p);
  c.SetTargetWindow(10);
  c.SetPresetSize(1, 1, 1);
  EXPECT_EQ(p.windows[10].placement.right, 648);
  EXPECT_EQ(p.windows[10].placement.bottom, 431);
}

TEST(WindowController, ClosedExcludedOrUnreadableTargetsAreLeftAlone) {
  FakePlatform p;
  p.windows[10] = {"TPUtilWindow", Restored(0, 0, 10, 10)};
  p.windows[11] = {"xTPUtilWindowx", Restored(0, 0, 10, 10)};
  p.windows[12] = {"Unreadable", Restored(0, 0, 10, 10)};
  p.windows[12].placementReadable = false;
  WindowController c(p);
  for (WindowHandle w : {WindowHandle{10}, WindowHandle{11}, WindowHandle{12}, WindowHandle{99}}) {
    c.SetTargetWindow(w);
    c.SetSize(300, 200);
    EXPECT_EQ(c.GetPlacement(), "") << w;
  }
  EXPECT_EQ(p.writes, 0);
  EXPECT_EQ(p.raised, 0);
  EXPECT_EQ(c.WindowClassName(99), "");
  // The tray window's class is still reported; only the target test excludes it.
  EXPECT_EQ(c.WindowClassName(10), "TPUtilWindow");
}

TEST(WindowController, ClassNameIsCutAtNinetyFourCharacters) {
  FakePlatform p;
  p.windows[5] = {std::string(120, 'c'), Restored(0, 0, 1, 1)};
  WindowController c(p);
  EXPECT_EQ(c.WindowClassName(5).size(), 94u);
}

TEST(WindowController, PageOperationsDoNothing) {
  FakePlatform p;
  WindowController c(p);
  c.OpenUrl("http://example.com/");
  EXPECT_EQ(c.GetUrl(), "");
  EXPECT_EQ(c.GetTitle(), "");
}

}  // namespace

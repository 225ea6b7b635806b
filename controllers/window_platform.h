#pragma once
#include <cstdint>
#include <string>

#include "controllers/page_area.h"

namespace tessaly {

// A top-level window of any program, as the platform names it.
using WindowHandle = std::uintptr_t;

// The platform's window placement record; only the restored rectangle is
// changed, every other field is written back as read.
struct WindowPlacementRecord {
  std::uint32_t length = 44;
  std::uint32_t flags = 0;
  std::uint32_t showCmd = 0;
  int minX = 0, minY = 0, maxX = 0, maxY = 0;
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Reads a window's layout for page-area sizing; false when the window is gone.
class WindowLayoutSource {
 public:
  virtual ~WindowLayoutSource() = default;
  virtual bool ReadWindowLayout(WindowHandle window, WindowLayout& layout) = 0;
};

// The window calls the active-window controller makes.
class WindowPlatform : public WindowLayoutSource {
 public:
  virtual ~WindowPlatform() = default;
  // 0 when the handle names no window.
  virtual std::uint32_t GetWindowThreadProcessId(WindowHandle window) = 0;
  virtual std::string ReadClassName(WindowHandle window, int maxCount) = 0;
  virtual bool GetWindowPlacement(WindowHandle window, WindowPlacementRecord& record) = 0;
  virtual bool SetWindowPlacement(WindowHandle window, const WindowPlacementRecord& record) = 0;
  virtual void BringWindowToTop(WindowHandle window) = 0;
  // Where the window's workspace coordinate (0,0) lies on the screen. A
  // placement's rectangle is in workspace coordinates, which differ from the
  // screen's when a task bar sits at the top or the left.
  virtual void WorkspaceOrigin(WindowHandle window, int& x, int& y) = 0;
};

}  // namespace tessaly

#pragma once
#include "controllers/window_platform.h"

namespace tessaly::win {

// The window calls on the real platform.
class Win32WindowPlatform : public WindowPlatform {
 public:
  std::uint32_t GetWindowThreadProcessId(WindowHandle window) override;
  std::string ReadClassName(WindowHandle window, int maxCount) override;
  bool GetWindowPlacement(WindowHandle window, WindowPlacementRecord& record) override;
  bool SetWindowPlacement(WindowHandle window, const WindowPlacementRecord& record) override;
  void BringWindowToTop(WindowHandle window) override;

 protected:
  // Where the window's workspace coordinate (0,0) lies on the screen: the
  // top-left corner of its monitor's work area, moved by a task bar at the
  // top or the left. A tool window's placement is in screen coordinates.
  virtual void WorkspaceOrigin(WindowHandle window, int& x, int& y);
  // Gives a normally shown window the record's restored rectangle through
  // SetWindowPos, which takes screen coordinates.
  bool MoveToRestoredRect(WindowHandle window, const WindowPlacementRecord& record);
};

}  // namespace tessaly::win

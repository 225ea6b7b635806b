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
  bool ReadWindowLayout(WindowHandle window, WindowLayout& layout) override;
  // The top-left corner of the window's monitor's work area, relative to the
  // monitor. A tool window's placement is in screen coordinates.
  void WorkspaceOrigin(WindowHandle window, int& x, int& y) override;

 protected:
  // Gives a normally shown window the record's restored rectangle through
  // SetWindowPos, which takes screen coordinates.
  bool MoveToRestoredRect(WindowHandle window, const WindowPlacementRecord& record);
};

}  // namespace tessaly::win

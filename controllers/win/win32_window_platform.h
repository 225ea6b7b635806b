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
};

}  // namespace tessaly::win

#pragma once
#include "controllers/controller.h"
#include "controllers/window_platform.h"

namespace tessaly {

// Sizes whatever top-level window the user was working in, through the
// window placement calls; knows nothing of pages or addresses.
class WindowController : public Controller {
 public:
  explicit WindowController(WindowPlatform& platform) : platform_(platform) {}

  void SetTargetWindow(WindowHandle window) { targetWindow_ = window; }
  // The class name, or empty for a null handle or a window that is gone.
  std::string WindowClassName(WindowHandle window);
  bool IsTargetValid();

  void SetSize(int width, int height) override;
  void OpenUrl(const std::string&) override {}
  std::string GetUrl() override { return {}; }
  std::string GetTitle() override { return {}; }
  std::string GetPlacement() override;
  void SetPageSize(int width, int height) override;

 private:
  WindowPlatform& platform_;
  WindowHandle targetWindow_ = 0;
};

}  // namespace tessaly

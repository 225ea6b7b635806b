#include "controllers/window_controller.h"

namespace tessaly {

namespace {
// The tray icon's own hidden window is never a target.
constexpr const char* kTrayWindowClass = "TPUtilWindow";
constexpr int kClassNameMax = 95;
}  // namespace

std::string WindowController::WindowClassName(WindowHandle window) {
  if (!window) return {};
  if (platform_.GetWindowThreadProcessId(window) == 0) return {};
  return platform_.ReadClassName(window, kClassNameMax);
}

bool WindowController::IsTargetValid() {
  if (!targetWindow_) return false;
  const std::string c = WindowClassName(targetWindow_);
  if (c.find(kTrayWindowClass) != std::string::npos) return false;
  return !c.empty();
}

void WindowController::SetSize(int width, int height) {
  if (!IsTargetValid()) return;
  WindowPlacementRecord wp;
  wp.length = 44;
  if (!platform_.GetWindowPlacement(targetWindow_, wp)) return;
  wp.right = wp.left + width;
  wp.bottom = wp.top + height;
  platform_.SetWindowPlacement(targetWindow_, wp);
  platform_.BringWindowToTop(targetWindow_);
}

void WindowController::SetPageSize(int width, int height) {
  if (!IsTargetValid()) return;
  SizeToPageArea(
      width, height, [this](WindowLayout& layout) { return platform_.ReadWindowLayout(targetWindow_, layout); },
      [this](const OuterSize& outer) { SetSize(outer.width, outer.height); });
}

std::string WindowController::GetPlacement() {
  if (!IsTargetValid()) return {};
  WindowPlacementRecord wp;
  wp.length = 44;
  if (!platform_.GetWindowPlacement(targetWindow_, wp)) return {};
  platform_.BringWindowToTop(targetWindow_);
  // The placement text is in screen pixels (the preview copies that area of
  // the screen); the restored rectangle is in workspace coordinates.
  int x = 0, y = 0;
  platform_.WorkspaceOrigin(targetWindow_, x, y);
  return PlacementText(wp.left + x, wp.top + y, wp.right + x, wp.bottom + y);
}

}  // namespace tessaly

#include "framework/win/modal_scope.h"

#include <algorithm>

namespace tessaly::win {

int ModalScope::depth_ = 0;

namespace {

BOOL CALLBACK CollectEnabledWindow(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window))
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

BOOL CALLBACK FindModalWindow(HWND window, LPARAM found) {
  // The tray icon's helper window has no size and is never the modal one.
  RECT r{};
  if (!IsWindowVisible(window) || !IsWindowEnabled(window) || !GetWindowRect(window, &r) || r.right <= r.left)
    return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

}  // namespace

ModalScope::ModalScope(HWND keep) : active_(GetActiveWindow()) {
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabledWindow, reinterpret_cast<LPARAM>(&disabled_));
  disabled_.erase(std::remove(disabled_.begin(), disabled_.end(), keep), disabled_.end());
  for (HWND window : disabled_) EnableWindow(window, FALSE);
  ++depth_;
}

ModalScope::~ModalScope() {
  --depth_;
  for (HWND window : disabled_)
    if (IsWindow(window)) EnableWindow(window, TRUE);
  if (active_ && IsWindow(active_) && IsWindowVisible(active_)) SetActiveWindow(active_);
}

void ModalScope::ActivateModalWindow() {
  if (!Active()) return;
  HWND modal = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindModalWindow, reinterpret_cast<LPARAM>(&modal));
  if (!modal) return;
  if (IsIconic(modal)) ShowWindow(modal, SW_RESTORE);
  SetForegroundWindow(modal);
}

}  // namespace tessaly::win

#pragma once
#include <windows.h>

#include <vector>

namespace tessaly::win {

// The program's one rule for modal windows: while one is up (a form shown
// with ShowModal, a message box, a common dialog), every other window of the
// thread is disabled and takes no input, the tray icon gives no commands and
// the hotkeys do nothing. Each modal loop runs inside one of these; they nest.
class ModalScope {
 public:
  // keep: a window that stays enabled: the modal window when it exists
  // already, or the owner of a system dialog, which disables and enables its
  // owner itself.
  explicit ModalScope(HWND keep = nullptr);
  ~ModalScope();
  ModalScope(const ModalScope&) = delete;
  ModalScope& operator=(const ModalScope&) = delete;

  // Whether a modal window of the program is up.
  static bool Active() { return depth_ > 0; }
  // Activates the innermost modal window (the only enabled window of the
  // thread then), as a click on a disabled window of the program does.
  static void ActivateModalWindow();

 private:
  // The user-interface thread's nesting depth: modal loops run on it alone.
  static int depth_;
  std::vector<HWND> disabled_;
  HWND active_;
};

}  // namespace tessaly::win

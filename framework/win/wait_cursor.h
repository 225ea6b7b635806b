#pragma once
#include <windows.h>

namespace tessaly::win {

// The hourglass from construction to destruction, then the cursor shown
// before, however the work in between ends. The work runs without turning
// the message loop, so nothing sets another cursor meanwhile.
class WaitCursor {
 public:
  WaitCursor() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace tessaly::win

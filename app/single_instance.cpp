#include "app/single_instance.h"

#include <windows.h>

#include <cstring>

namespace tessaly {

bool ActivateRunningInstance() {
  HWND found = FindWindowA("TfrmMain", " Tessaly 2");
  if (!found) return false;
  HWND top = found;
  while (HWND owner = GetWindow(top, GW_OWNER)) top = owner;
  char cls[64] = {};
  GetClassNameA(top, cls, sizeof(cls));
  if (std::strcmp(cls, "TApplication") == 0) {
    if (IsIconic(top)) {
      SendMessageA(top, WM_SYSCOMMAND, SC_RESTORE, 0);
      return true;
    }
    ShowWindow(top, SW_SHOWNOACTIVATE);
  } else {
    ShowWindow(top, SW_SHOW);
    SetForegroundWindow(top);
  }
  HWND popup = GetLastActivePopup(top);
  if (popup != top && IsWindowVisible(popup) && IsWindowEnabled(popup)) {
    SetForegroundWindow(popup);
  } else {
    ShowWindow(popup, SW_SHOW);
    SetForegroundWindow(popup);
  }
  return true;
}

}  // namespace tessaly

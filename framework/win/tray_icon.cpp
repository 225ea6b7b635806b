#include "framework/win/tray_icon.h"

#include <shellapi.h>

#include "framework/win/menu_binding.h"
#include "framework/win/modal_scope.h"

namespace tessaly::win {

namespace {
constexpr UINT kTrayCallback = WM_USER + 1;
// Hides the window once the activation that took the front from it is over.
constexpr UINT kHideAfterMenu = WM_USER + 2;
}

TrayIcon::TrayIcon(HICON icon, const std::string& hint, MenuBinding* popupMenu)
    : icon_(icon), hint_(hint), popup_(popupMenu),
      taskbarCreated_(RegisterWindowMessageA("TaskbarCreated")) {
  if (popup_) menus_.Add(popup_);
  CreateParams p;
  p.className = "TPUtilWindow";
  p.style = WS_POPUP;
  p.exStyle = WS_EX_TOOLWINDOW;  // never a task-bar button
  p.x = p.y = p.width = p.height = 0;
  Create(p);
  Notify(NIM_ADD);
}

TrayIcon::~TrayIcon() { Notify(NIM_DELETE); }

void TrayIcon::Notify(DWORD action) {
  NOTIFYICONDATAA nid{};
  nid.cbSize = NOTIFYICONDATAA_V1_SIZE;
  nid.hWnd = Handle();
  nid.uID = 1;
  nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  nid.uCallbackMessage = kTrayCallback;
  nid.hIcon = icon_;
  lstrcpynA(nid.szTip, hint_.c_str(), sizeof(nid.szTip));
  Shell_NotifyIconA(action, &nid);
}

LRESULT TrayIcon::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  // While a modal window is up the icon gives no commands: a click brings
  // that window to the front instead, as a click on a disabled window of the
  // program does. A command of a menu opened before then is dropped too.
  if (msg == WM_COMMAND && ModalScope::Active()) return 0;
  LRESULT routed = 0;
  if (menus_.Route(Handle(), msg, wp, lp, routed)) return routed;
  if (msg == kTrayCallback) {
    const UINT mouse = static_cast<UINT>(lp);
    if (ModalScope::Active() && (mouse == WM_LBUTTONDBLCLK || mouse == WM_RBUTTONUP)) {
      ModalScope::ActivateModalWindow();
      return 0;
    }
    switch (mouse) {
      case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove();
        break;
      case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick();
        break;
      case WM_RBUTTONUP:
        if (popup_) {
          POINT pt{};
          GetCursorPos(&pt);
          // The menu takes the keyboard only while its owner is the foreground
          // window, and under Wine a hidden window cannot be; this one has no
          // size. It stays in front after the menu, as the hidden window does
          // on Windows, and hides when another window is activated: hiding it
          // now would hand the front to some other window while the mouse
          // still rests on the icon.
          ShowWindow(Handle(), SW_SHOWNOACTIVATE);
          popup_->Popup(Handle(), pt.x, pt.y);
        }
        break;
    }
    return 0;
  }
  if (msg == WM_ACTIVATE && LOWORD(wp) == WA_INACTIVE) {
    // Not while the activation is under way: hiding the active window makes
    // the system activate another one in the middle of it, and a dialog opened
    // from the menu could lose the front to the application window.
    PostMessageA(Handle(), kHideAfterMenu, 0, 0);
    return 0;
  }
  if (msg == kHideAfterMenu) {
    if (GetForegroundWindow() != Handle()) ShowWindow(Handle(), SW_HIDE);
    return 0;
  }
  if (msg == taskbarCreated_) {
    Notify(NIM_ADD);  // the shell restarted and forgot its icons
    return 0;
  }
  return Window::HandleMessage(msg, wp, lp);
}

}  // namespace tessaly::win

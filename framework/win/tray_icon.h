#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "framework/win/menu_router.h"
#include "framework/win/window.h"

namespace tessaly::win {

class MenuBinding;

// The notification-area icon. Its hidden window (class "TPUtilWindow")
// receives the icon's mouse messages and the pop-up menu's commands.
class TrayIcon : public Window {
 public:
  TrayIcon(HICON icon, const std::string& hint, MenuBinding* popupMenu);
  ~TrayIcon() override;

  std::function<void()> OnDblClick;
  std::function<void()> OnMouseMove;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Notify(DWORD action);

  HICON icon_;
  std::string hint_;
  MenuBinding* popup_;
  MenuRouter menus_;
  UINT taskbarCreated_;
};

}  // namespace tessaly::win

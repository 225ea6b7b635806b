#pragma once
#include <windows.h>

#include <vector>

namespace tessaly::win {

class MenuBinding;

// The one path by which a window hands the messages of the menus it owns to
// their bindings: the main form for its menu bar, the tray icon's window for
// its pop-up menu. A window calls Route first in its message handler.
class MenuRouter {
 public:
  void Add(MenuBinding* menu) { menus_.push_back(menu); }

  // True when the message was about one of the menus; result is then the answer.
  bool Route(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);

 private:
  MenuBinding* OwnerOf(HMENU menu) const;

  std::vector<MenuBinding*> menus_;
};

}  // namespace tessaly::win

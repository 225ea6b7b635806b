#include "framework/win/menu_router.h"

#include "framework/win/menu_binding.h"
#include "framework/win/menu_probe.h"

namespace tessaly::win {

MenuBinding* MenuRouter::OwnerOf(HMENU menu) const {
  for (MenuBinding* m : menus_)
    if (m->Owns(menu)) return m;
  return nullptr;
}

bool MenuRouter::Route(HWND window, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
  switch (msg) {
    case WM_MENUCOMMAND: {
      auto menu = reinterpret_cast<HMENU>(lp);
      MenuBinding* m = OwnerOf(menu);
      result = 0;
      return m && m->Command(menu, static_cast<int>(wp));
    }
    case WM_INITMENUPOPUP: {
      auto menu = reinterpret_cast<HMENU>(wp);
      MenuBinding* m = OwnerOf(menu);
      result = 0;
      return m && m->InitPopup(menu);
    }
    case WM_MEASUREITEM: {
      auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lp);
      result = TRUE;
      if (mis->CtlType != ODT_MENU) return false;
      for (MenuBinding* m : menus_)
        if (m->MeasureItem(*mis)) return true;
      return false;
    }
    case WM_DRAWITEM: {
      auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
      result = TRUE;
      if (dis->CtlType != ODT_MENU) return false;
      for (MenuBinding* m : menus_)
        if (m->DrawItem(*dis)) return true;
      return false;
    }
    case WM_MENUCHAR: {
      auto menu = reinterpret_cast<HMENU>(lp);
      MenuBinding* m = OwnerOf(menu);
      return m && m->MenuChar(static_cast<char>(LOWORD(wp)), menu, result);
    }
  }
  if (msg != 0 && msg == MenuProbe::Message()) {
    // A menu of this window's (the open one named, or the window's menu bar).
    HMENU menu = wp ? reinterpret_cast<HMENU>(wp) : GetMenu(window);
    result = 0;
    if (!menu || !OwnerOf(menu)) return false;
    result = MenuProbe::Answer(window, menu, wp == 0, reinterpret_cast<HWND>(lp)) ? 1 : 0;
    return true;
  }
  return false;
}

}  // namespace tessaly::win

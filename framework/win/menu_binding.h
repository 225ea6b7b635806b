#pragma once
#include <windows.h>
#include <oleacc.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "framework/menu_item.h"
#include "framework/win/menu_painter.h"

namespace tessaly::win {

// Realizes a MenuItem tree as a platform menu (a menu bar or a pop-up menu),
// hands the user's choice back to the item, and draws the items when owner
// drawing is on (the look is set on the binding: see MenuLook).
//
// A sub-menu is built from the tree when it opens, so the tree may change
// freely while the menu is closed, and only the sub-menus the user has opened
// exist as platform menus: each one counts against the system's per-process
// limit of window-manager objects. A head whose sub-menu has not been opened
// yet carries an empty pop-up, so that it shows its arrow. Opening a menu
// again builds it anew and frees whatever was built below it before.
//
// Menus notify by position (WM_MENUCOMMAND with the menu and the item's
// position), so there are no command ids to run out of, however many items a
// menu holds and however many bindings come and go.
class MenuBinding : public MenuLook {
 public:
  enum class Kind { Bar, Popup };
  MenuBinding(MenuItem& root, Kind kind);
  ~MenuBinding();
  MenuBinding(const MenuBinding&) = delete;
  MenuBinding& operator=(const MenuBinding&) = delete;

  HMENU Handle() const { return menu_; }
  // Makes a menu bar the window's menu.
  void AttachTo(HWND window);
  MenuItem& Root() const { return root_; }

  // Owner drawing on or off; the platform draws the plain menu when off.
  void SetOwnerDraw(bool on);
  bool OwnerDraw() const { return ownerDraw_; }

  // Opens the pop-up menu at a screen position for the owner window; its
  // messages arrive at the owner, which hands them on through a MenuRouter.
  void Popup(HWND owner, int x, int y);

  // The menu messages, for the router. Each answers whether the menu or item
  // is one of this binding's.
  bool Owns(HMENU menu) const { return menus_.count(menu) != 0; }
  bool InitPopup(HMENU menu);
  bool Command(HMENU menu, int position);
  bool MeasureItem(MEASUREITEMSTRUCT& mis);
  bool DrawItem(const DRAWITEMSTRUCT& dis);
  bool MenuChar(char ch, HMENU menu, LRESULT& result);

  // The item shown at a position of one of this binding's menus; null when
  // there is none, or when the tree has changed there since the menu was built.
  MenuItem* ItemAt(HMENU menu, int position) const;
  // Platform menus the binding holds now: the root, every sub-menu built, and
  // the empty pop-ups of heads not opened yet.
  size_t MenuCount() const { return menus_.size(); }

 private:
  // What a platform item's data points to. It starts with the text in the form
  // accessibility tools read from owner-drawn items (MSAAMENUINFO), since the
  // platform cannot know what such an item shows.
  struct ItemRecord {
    MSAAMENUINFO accessible{};
    std::wstring text;
    const MenuBinding* binding = nullptr;
    MenuItem* item = nullptr;
    std::uint64_t serial = 0;  // the item's, to know it from one made later at its address
  };
  // One platform menu of the binding: the tree item whose children it shows,
  // and a record per position (none until the menu is built).
  struct Built {
    MenuItem* parent = nullptr;
    std::vector<ItemRecord> items;
  };

  HMENU NewMenu(bool bar, MenuItem& parent);
  void Fill(HMENU menu);
  bool AppendItem(HMENU menu, ItemRecord& record, MenuItem& item, int position);
  void Clear(HMENU menu);
  const ItemRecord* RecordOf(ULONG_PTR data) const;
  MenuRow RowOf(const MenuItem& item) const;

  MenuItem& root_;
  Kind kind_;
  HMENU menu_ = nullptr;
  HWND attachedTo_ = nullptr;
  bool ownerDraw_ = false;
  // Node-based: a Built and its records keep their address while others come and go.
  std::unordered_map<HMENU, Built> menus_;
  MenuPainter painter_{*this};
};

}  // namespace tessaly::win

#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "framework/menu_item.h"
#include "framework/win/handles.h"

namespace tessaly::win {

// How an owner-drawn item looks: its font and which glyph cell (or none).
struct MenuItemParams {
  std::string fontName;
  int glyph = -1;
};

// Realizes a MenuItem tree as a platform menu (a menu bar or a pop-up menu),
// routes its commands back to the items, and draws its items when owner
// drawing is on. Sub-menus are filled from the tree each time they open, so
// the tree may change freely while the menu is closed.
class MenuBinding {
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

  std::function<void(MenuItem&, MenuItemParams&)> OnGetItemParams;
  // Paints a strip at the left of a pop-up menu (width MarginWidth).
  std::function<void(HDC, const RECT&)> OnDrawMargin;
  int MarginWidth = 0;
  // The glyph strip: cells of GlyphWidth x 16 on a transparent magenta ground.
  HBITMAP Glyphs = nullptr;
  int GlyphWidth = 15;

  // Opens the pop-up menu at a screen position for the owner window; its
  // commands arrive at the owner, which hands them to HandleCommand.
  void Popup(HWND owner, int x, int y);

  bool HandleCommand(WORD id);
  bool InitPopup(HMENU menu);
  bool MeasureItem(MEASUREITEMSTRUCT& mis);
  bool DrawItem(const DRAWITEMSTRUCT& dis);
  bool MenuChar(char ch, HMENU menu, LRESULT& result);

  // The item a command id stands for, if it is one of this menu's.
  MenuItem* ItemForCommand(WORD id) const;

 private:
  void Fill(HMENU menu, MenuItem& parent);
  void Clear(HMENU menu);
  void AppendItem(HMENU menu, MenuItem& item);
  bool Owns(const MenuItem* item) const;
  // The menu font with another face, made once per face.
  HFONT FontFor(const std::string& face);
  bool IsBarItem(const MenuItem& item) const { return kind_ == Kind::Bar && item.Parent() == &root_; }

  MenuItem& root_;
  Kind kind_;
  HMENU menu_ = nullptr;
  HWND attachedTo_ = nullptr;
  bool ownerDraw_ = false;
  std::map<HMENU, MenuItem*> popups_;
  std::map<WORD, MenuItem*> commands_;
  std::map<std::string, UniqueFont> fonts_;
  WORD firstId_;
};

}  // namespace tessaly::win

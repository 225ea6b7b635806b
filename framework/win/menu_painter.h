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

// What the owner of a menu says about the look of its owner-drawn items.
struct MenuLook {
  std::function<void(MenuItem&, MenuItemParams&)> OnGetItemParams;
  // Paints a strip at the left of a pop-up menu (width MarginWidth).
  std::function<void(HDC, const RECT&)> OnDrawMargin;
  int MarginWidth = 0;
  // The glyph strip: cells of GlyphWidth x 16 on a transparent magenta ground.
  HBITMAP Glyphs = nullptr;
  int GlyphWidth = 15;
};

// Where an item sits, as far as its look depends on it.
enum class MenuRow {
  Bar,     // an entry of a menu bar
  Margin,  // an item of a pop-up menu that carries the margin strip
  Plain,   // an item of any other drop-down or sub-menu
};

// Measures and draws owner-drawn menu items: the glyph, the caption in the
// item's font, separators, and the margin strip of a pop-up menu.
class MenuPainter {
 public:
  explicit MenuPainter(const MenuLook& look) : look_(look) {}

  // text: the item's caption in UTF-16, as the menu holds it.
  void Measure(MenuItem& item, const std::wstring& text, MenuRow row, MEASUREITEMSTRUCT& mis);
  void Draw(MenuItem& item, const std::wstring& text, MenuRow row, const DRAWITEMSTRUCT& dis);

 private:
  // The menu font with another face, made once per face.
  HFONT FontFor(const std::string& face);
  void DrawMargin(HDC dc, const RECT& item);

  const MenuLook& look_;
  std::map<std::string, UniqueFont> fonts_;
  // Kept for the whole run: a menu of many items is measured item by item.
  UniqueMemoryDc measureDc_;
};

}  // namespace tessaly::win

#include "framework/win/menu_binding.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace tessaly::win {

namespace {
// Every binding takes its own range of command ids, so commands of several
// menus can share one owner window.
WORD NextIdBase() {
  static WORD base = 0x1000;
  WORD b = base;
  base = static_cast<WORD>(base + 0x1000);
  return b;
}

char MnemonicOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] == '&') {
      if (caption[i + 1] == '&') {
        ++i;
        continue;
      }
      return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[i + 1])));
    }
  }
  return 0;
}

HFONT CreateMenuFont(const std::string& face) {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof(ncm);
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
  LOGFONTA lf = ncm.lfMenuFont;
  if (!face.empty()) lstrcpynA(lf.lfFaceName, face.c_str(), LF_FACESIZE);
  return CreateFontIndirectA(&lf);
}

constexpr int kGlyphHeight = 16;

// Copies a cell of src to dst, leaving dst where src has the transparent
// colour: dst ^= src, then clear the opaque pixels, then ^= src again.
void DrawTransparent(HDC dst, int x, int y, int w, int h, HDC src, int sx, COLORREF transparent) {
  UniqueBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
  UniqueMemoryDc maskDc(CreateCompatibleDC(dst));
  SelectObjectScope sel(maskDc.Get(), mask.Get());
  const COLORREF oldSrcBk = SetBkColor(src, transparent);
  BitBlt(maskDc.Get(), 0, 0, w, h, src, sx, 0, SRCCOPY);  // 1 where transparent
  SetBkColor(src, oldSrcBk);
  const COLORREF oldBk = SetBkColor(dst, RGB(255, 255, 255));
  const COLORREF oldText = SetTextColor(dst, RGB(0, 0, 0));
  BitBlt(dst, x, y, w, h, src, sx, 0, SRCINVERT);
  BitBlt(dst, x, y, w, h, maskDc.Get(), 0, 0, SRCAND);
  BitBlt(dst, x, y, w, h, src, sx, 0, SRCINVERT);
  SetBkColor(dst, oldBk);
  SetTextColor(dst, oldText);
}
constexpr int kSeparatorHeight = 8;
}  // namespace

MenuBinding::MenuBinding(MenuItem& root, Kind kind)
    : root_(root), kind_(kind), firstId_(NextIdBase()) {
  menu_ = kind == Kind::Bar ? CreateMenu() : CreatePopupMenu();
  popups_[menu_] = &root_;
  Fill(menu_, root_);
}

MenuBinding::~MenuBinding() {
  if (attachedTo_ && IsWindow(attachedTo_) && GetMenu(attachedTo_) == menu_) SetMenu(attachedTo_, nullptr);
  Clear(menu_);
  DestroyMenu(menu_);
}

void MenuBinding::AttachTo(HWND window) {
  attachedTo_ = window;
  SetMenu(window, menu_);
}

bool MenuBinding::Owns(const MenuItem* item) const {
  // Only items of this binding: their parent menu is one of ours.
  if (!item) return false;
  for (auto& [h, m] : popups_)
    if (m == item->Parent()) return true;
  return false;
}

void MenuBinding::SetOwnerDraw(bool on) {
  if (ownerDraw_ == on) return;
  ownerDraw_ = on;
  Clear(menu_);
  Fill(menu_, root_);
  if (attachedTo_) DrawMenuBar(attachedTo_);
}

void MenuBinding::Clear(HMENU menu) {
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    if (HMENU sub = GetSubMenu(menu, i)) {
      Clear(sub);
      popups_.erase(sub);
      RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
      DestroyMenu(sub);
    } else {
      commands_.erase(static_cast<WORD>(GetMenuItemID(menu, i)));
      RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
    }
  }
}

void MenuBinding::Fill(HMENU menu, MenuItem& parent) {
  for (int i = 0; i < parent.Count(); ++i) AppendItem(menu, parent[i]);
}

void MenuBinding::AppendItem(HMENU menu, MenuItem& item) {
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_ID;
  mii.dwItemData = reinterpret_cast<ULONG_PTR>(&item);
  mii.fState = item.Enabled ? MFS_ENABLED : MFS_GRAYED;
  if (item.IsSeparator()) {
    mii.fType = MFT_SEPARATOR;
  } else {
    mii.fMask |= MIIM_STRING;
    mii.fType = MFT_STRING;
    mii.dwTypeData = const_cast<char*>(item.Caption.c_str());
  }
  if (ownerDraw_) mii.fType |= MFT_OWNERDRAW;
  if (item.Count() > 0) {
    HMENU sub = CreatePopupMenu();
    popups_[sub] = &item;
    Fill(sub, item);
    mii.fMask |= MIIM_SUBMENU;
    mii.hSubMenu = sub;
  } else {
    // The lowest free id of this binding's range: menus are refilled each time
    // they open, and the ids of removed items are free again.
    WORD id = firstId_;
    while (commands_.count(id)) ++id;
    mii.wID = id;
    commands_[id] = &item;
  }
  InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
}

bool MenuBinding::InitPopup(HMENU menu) {
  auto it = popups_.find(menu);
  if (it == popups_.end()) return false;
  // Rebuild from the tree at the outermost pop-up: the pop-up menu itself, or
  // a menu bar's drop-down. Deeper sub-menus were built with it.
  bool outermost = menu == menu_ || (kind_ == Kind::Bar && it->second->Parent() == &root_);
  if (outermost) {
    Clear(menu);
    Fill(menu, *it->second);
  }
  return true;
}

MenuItem* MenuBinding::ItemForCommand(WORD id) const {
  auto it = commands_.find(id);
  return it == commands_.end() ? nullptr : it->second;
}

bool MenuBinding::HandleCommand(WORD id) {
  MenuItem* item = ItemForCommand(id);
  if (!item) return false;
  item->Click();
  return true;
}

void MenuBinding::Popup(HWND owner, int x, int y) {
  Clear(menu_);
  Fill(menu_, root_);
  // Without the foreground the menu would not close when the user clicks away.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
}

bool MenuBinding::MenuChar(char ch, HMENU menu, LRESULT& result) {
  auto it = popups_.find(menu);
  if (it == popups_.end()) return false;
  char want = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  MenuItem& parent = *it->second;
  for (int i = 0; i < parent.Count(); ++i) {
    if (parent[i].Enabled && MnemonicOf(parent[i].Caption) == want) {
      result = MAKELRESULT(i, MNC_EXECUTE);
      return true;
    }
  }
  result = MAKELRESULT(0, MNC_IGNORE);
  return true;
}

HFONT MenuBinding::FontFor(const std::string& face) {
  UniqueFont& font = fonts_[face];
  if (!font) font.Reset(CreateMenuFont(face));
  return font.Get();
}

bool MenuBinding::MeasureItem(MEASUREITEMSTRUCT& mis) {
  auto* item = reinterpret_cast<MenuItem*>(mis.itemData);
  if (!Owns(item)) return false;
  if (item->IsSeparator()) {
    mis.itemWidth = 0;
    mis.itemHeight = kSeparatorHeight;
    return true;
  }
  MenuItemParams params;
  if (OnGetItemParams) OnGetItemParams(*item, params);
  UniqueMemoryDc measure = CreateMemoryDc();
  SIZE size{};
  {
    SelectObjectScope sel(measure.Get(), FontFor(params.fontName));
    RECT r{0, 0, 0, 0};
    DrawTextA(measure.Get(), item->Caption.c_str(), -1, &r, DT_SINGLELINE | DT_CALCRECT);
    size.cx = r.right - r.left;
    size.cy = r.bottom - r.top;
  }
  if (IsBarItem(*item)) {
    mis.itemWidth = static_cast<UINT>(size.cx);
    mis.itemHeight = static_cast<UINT>(size.cy + 4);
  } else {
    mis.itemWidth = static_cast<UINT>(MarginWidth + GlyphWidth + 10 + size.cx + 8);
    mis.itemHeight = static_cast<UINT>(std::max<int>(size.cy + 6, kGlyphHeight + 4));
  }
  return true;
}

bool MenuBinding::DrawItem(const DRAWITEMSTRUCT& dis) {
  auto* item = reinterpret_cast<MenuItem*>(dis.itemData);
  if (!Owns(item)) return false;

  HDC dc = dis.hDC;
  RECT r = dis.rcItem;
  const bool bar = IsBarItem(*item);
  if (!bar && MarginWidth > 0 && item->Parent() == &root_ && OnDrawMargin) {
    RECT client{};
    HWND menuWindow = WindowFromDC(dc);
    if (menuWindow && GetClientRect(menuWindow, &client)) {
      // The strip spans the whole menu; each item paints only its own rows of it.
      RECT margin{client.left, client.top, client.left + MarginWidth, client.bottom};
      int saved = SaveDC(dc);
      IntersectClipRect(dc, margin.left, r.top, margin.right, r.bottom);
      OnDrawMargin(dc, margin);
      RestoreDC(dc, saved);
    }
  }
  if (!bar) r.left += (item->Parent() == &root_ ? MarginWidth : 0);

  const bool selected = (dis.itemState & (ODS_SELECTED | ODS_HOTLIGHT)) != 0;
  const bool disabled = (dis.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0 || !item->Enabled;
  if (item->IsSeparator()) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));
    RECT line{r.left + 2, r.top + (r.bottom - r.top) / 2 - 1, r.right - 2, 0};
    line.bottom = line.top + 2;
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return true;
  }
  FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));

  MenuItemParams params;
  if (OnGetItemParams) OnGetItemParams(*item, params);
  RECT text = r;
  if (!bar) {
    if (params.glyph >= 0 && Glyphs) {
      UniqueMemoryDc mem(CreateCompatibleDC(dc));
      SelectObjectScope sel(mem.Get(), Glyphs);
      int y = r.top + (r.bottom - r.top - kGlyphHeight) / 2;
      DrawTransparent(dc, r.left + 2, y, GlyphWidth, kGlyphHeight, mem.Get(), params.glyph * GlyphWidth,
                      RGB(255, 0, 255));
    }
    text.left += GlyphWidth + 8;
  }
  SelectObjectScope sel(dc, FontFor(params.fontName));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  UINT flags = DT_SINGLELINE | DT_VCENTER | (bar ? DT_CENTER : DT_LEFT);
  if (dis.itemState & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
  DrawTextA(dc, item->Caption.c_str(), -1, &text, flags);
  return true;
}

}  // namespace tessaly::win

#include "framework/win/menu_binding.h"

#include <cctype>
#include <stdexcept>

#include "framework/win/wide_text.h"

namespace tessaly::win {

namespace {
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

// Takes every item out of a menu, handing its sub-menus to the caller
// instead of destroying them: DestroyMenu would descend into them itself.
void Detach(HMENU menu, std::vector<HMENU>& subMenus) {
  for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i) {
    if (HMENU sub = GetSubMenu(menu, i)) subMenus.push_back(sub);
    RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
  }
}
}  // namespace

MenuBinding::MenuBinding(MenuItem& root, Kind kind) : root_(root), kind_(kind) {
  menu_ = NewMenu(kind == Kind::Bar, root_);
  if (!menu_) throw std::runtime_error("Cannot create a menu");
  // A menu bar shows its entries without being opened; a pop-up menu is
  // built when it opens.
  if (kind_ == Kind::Bar) Fill(menu_);
}

MenuBinding::~MenuBinding() {
  if (attachedTo_ && IsWindow(attachedTo_) && GetMenu(attachedTo_) == menu_) SetMenu(attachedTo_, nullptr);
  Clear(menu_);
  menus_.erase(menu_);
  DestroyMenu(menu_);
}

void MenuBinding::AttachTo(HWND window) {
  attachedTo_ = window;
  SetMenu(window, menu_);
}

HMENU MenuBinding::NewMenu(bool bar, MenuItem& parent) {
  HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
  if (!menu) return nullptr;
  MENUINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = MIM_STYLE;
  info.dwStyle = MNS_NOTIFYBYPOS;
  SetMenuInfo(menu, &info);
  menus_[menu].parent = &parent;
  return menu;
}

void MenuBinding::SetOwnerDraw(bool on) {
  if (ownerDraw_ == on) return;
  ownerDraw_ = on;
  Clear(menu_);
  Fill(menu_);
  if (attachedTo_) DrawMenuBar(attachedTo_);
}

// Empties a menu and destroys every menu built below it, level by level
// rather than by recursion: the tree may be far deeper than the stack.
void MenuBinding::Clear(HMENU menu) {
  std::vector<HMENU> doomed;
  Detach(menu, doomed);
  menus_[menu].items.clear();
  while (!doomed.empty()) {
    HMENU sub = doomed.back();
    doomed.pop_back();
    Detach(sub, doomed);
    menus_.erase(sub);
    DestroyMenu(sub);
  }
}

void MenuBinding::Fill(HMENU menu) {
  Built& built = menus_[menu];
  MenuItem& parent = *built.parent;
  // Sized once, so the records never move: the platform holds their address.
  built.items.resize(static_cast<size_t>(parent.Count()));
  for (int i = 0; i < parent.Count(); ++i) {
    if (!AppendItem(menu, built.items[static_cast<size_t>(i)], parent[i], i)) {
      // Positions must match the tree: stop at the first item the platform refused.
      built.items.resize(static_cast<size_t>(i));
      break;
    }
  }
}

bool MenuBinding::AppendItem(HMENU menu, ItemRecord& record, MenuItem& item, int position) {
  record.binding = this;
  record.item = &item;
  record.serial = item.Serial();
  record.text = Wide(item.Caption);
  record.accessible.dwMSAASignature = static_cast<DWORD>(MSAA_MENU_SIG);
  record.accessible.cchWText = static_cast<DWORD>(record.text.size());
  record.accessible.pszWText = &record.text[0];

  // The wide-character item, whatever its caption holds: a bookmark title in
  // any language shows as it is in the platform's plain menu too.
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
  mii.dwItemData = reinterpret_cast<ULONG_PTR>(&record);
  mii.fState = item.Enabled ? MFS_ENABLED : MFS_GRAYED;
  // What the platform draws when it draws the menu; drawn by the owner, the
  // item shows its glyph instead.
  if (item.IsChecked()) mii.fState |= MFS_CHECKED;
  if (item.IsSeparator()) {
    mii.fType = MFT_SEPARATOR;
  } else {
    mii.fMask |= MIIM_STRING;
    mii.fType = item.Radio ? MFT_STRING | MFT_RADIOCHECK : MFT_STRING;
    mii.dwTypeData = &record.text[0];
  }
  if (ownerDraw_) mii.fType |= MFT_OWNERDRAW;
  HMENU sub = nullptr;
  if (item.Count() > 0) {
    // Empty until it opens; without a pop-up at all the head would show no
    // arrow. Past the system's limit of menus the head stays a plain item.
    sub = NewMenu(false, item);
    if (sub) {
      mii.fMask |= MIIM_SUBMENU;
      mii.hSubMenu = sub;
    }
  }
  if (InsertMenuItemW(menu, static_cast<UINT>(position), TRUE, &mii)) return true;
  if (sub) {
    menus_.erase(sub);
    DestroyMenu(sub);
  }
  return false;
}

bool MenuBinding::InitPopup(HMENU menu) {
  if (!Owns(menu)) return false;
  Clear(menu);
  Fill(menu);
  return true;
}

MenuItem* MenuBinding::ItemAt(HMENU menu, int position) const {
  auto it = menus_.find(menu);
  if (it == menus_.end() || position < 0) return nullptr;
  const Built& built = it->second;
  if (static_cast<size_t>(position) >= built.items.size() || position >= built.parent->Count())
    return nullptr;
  // Compared, not followed: the recorded item may be gone if the tree changed.
  MenuItem* item = &(*built.parent)[position];
  const ItemRecord& record = built.items[static_cast<size_t>(position)];
  return item == record.item && item->Serial() == record.serial ? item : nullptr;
}

bool MenuBinding::Command(HMENU menu, int position) {
  if (!Owns(menu)) return false;
  // The handler may rebuild this very menu: nothing of it is used afterwards.
  if (MenuItem* item = ItemAt(menu, position)) item->Click();
  return true;
}

void MenuBinding::Popup(HWND owner, int x, int y) {
  // Without the foreground the menu would not close when the user clicks away.
  SetForegroundWindow(owner);
  TrackPopupMenu(menu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, 0, owner, nullptr);
  PostMessageA(owner, WM_NULL, 0, 0);
}

bool MenuBinding::MenuChar(char ch, HMENU menu, LRESULT& result) {
  auto it = menus_.find(menu);
  if (it == menus_.end()) return false;
  char want = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  const std::vector<ItemRecord>& items = it->second.items;
  for (size_t i = 0; i < items.size(); ++i) {
    const MenuItem& item = *items[i].item;
    if (item.Enabled && MnemonicOf(item.Caption) == want) {
      result = MAKELRESULT(i, MNC_EXECUTE);
      return true;
    }
  }
  result = MAKELRESULT(0, MNC_IGNORE);
  return true;
}

const MenuBinding::ItemRecord* MenuBinding::RecordOf(ULONG_PTR data) const {
  // Every owner-drawn menu of the windows that route to bindings is a
  // binding's, so the data is always some binding's record.
  auto* record = reinterpret_cast<const ItemRecord*>(data);
  return record && record->binding == this ? record : nullptr;
}

MenuRow MenuBinding::RowOf(const MenuItem& item) const {
  if (item.Parent() != &root_) return MenuRow::Plain;
  return kind_ == Kind::Bar ? MenuRow::Bar : MenuRow::Margin;
}

bool MenuBinding::MeasureItem(MEASUREITEMSTRUCT& mis) {
  const ItemRecord* record = RecordOf(mis.itemData);
  if (!record) return false;
  painter_.Measure(*record->item, record->text, RowOf(*record->item), mis);
  return true;
}

bool MenuBinding::DrawItem(const DRAWITEMSTRUCT& dis) {
  const ItemRecord* record = RecordOf(dis.itemData);
  if (!record) return false;
  painter_.Draw(*record->item, record->text, RowOf(*record->item), dis);
  return true;
}

}  // namespace tessaly::win

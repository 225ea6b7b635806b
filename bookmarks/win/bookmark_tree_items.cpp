#include "bookmarks/win/bookmark_tree_items.h"

#include <unordered_map>
#include <vector>

#include "framework/win/wide_text.h"

namespace tessaly {

namespace {
using Positions = std::unordered_map<const BookmarkNode*, int>;

HTREEITEM ItemOf(const BookmarkNode& node) { return static_cast<HTREEITEM>(node.ViewItem); }

int CALLBACK ByPosition(LPARAM a, LPARAM b, LPARAM positions) {
  const Positions& at = *reinterpret_cast<const Positions*>(positions);
  return at.at(reinterpret_cast<const BookmarkNode*>(a)) - at.at(reinterpret_cast<const BookmarkNode*>(b));
}

HitPart PartOf(UINT flags) {
  if (flags & TVHT_ONITEMLABEL) return HitPart::kLabel;
  if (flags & TVHT_ONITEMICON) return HitPart::kIcon;
  if (flags & TVHT_ONITEMSTATEICON) return HitPart::kStateIcon;
  if (flags & TVHT_ONITEMINDENT) return HitPart::kIndent;
  if (flags & TVHT_ONITEMBUTTON) return HitPart::kButton;
  if (flags & TVHT_ONITEMRIGHT) return HitPart::kRight;
  return HitPart::kNowhere;
}
}  // namespace

HTREEITEM BookmarkTreeItems::Next(HTREEITEM item, UINT relation) const {
  return reinterpret_cast<HTREEITEM>(
      SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

BookmarkNode* BookmarkTreeItems::NodeOf(HTREEITEM item) const {
  if (!item) return nullptr;
  TVITEMA info{};
  info.mask = TVIF_PARAM | TVIF_HANDLE;
  info.hItem = item;
  if (!SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&info))) return nullptr;
  return reinterpret_cast<BookmarkNode*>(info.lParam);
}

HTREEITEM BookmarkTreeItems::Insert(BookmarkNode& node, HTREEITEM parent, HTREEITEM after) {
  // The node's text (UTF-8) in the wide-character item: titles in any language.
  std::wstring text = win::Wide(node.Text);
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = after;
  TVITEMW& item = insert.item;
  item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM | TVIF_CHILDREN;
  item.pszText = &text[0];
  item.iImage = item.iSelectedImage = node.ImageIndex;
  item.cChildren = node.Count() > 0 ? 1 : 0;
  item.lParam = reinterpret_cast<LPARAM>(&node);
  auto handle = reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
  node.ViewItem = handle;
  return handle;
}

void BookmarkTreeItems::Fill(BookmarkNode& folder) {
  HTREEITEM item = ItemOf(folder);
  if (!item || Next(item, TVGN_CHILD)) return;
  for (int i = 0; i < folder.Count(); ++i) Insert(folder[i], item, TVI_LAST);
}

void BookmarkTreeItems::ShowRoot(BookmarkNode& root) {
  HTREEITEM item = Insert(root, TVI_ROOT, TVI_LAST);
  TVITEMA bold{};
  bold.mask = TVIF_STATE | TVIF_HANDLE;
  bold.hItem = item;
  bold.state = bold.stateMask = TVIS_BOLD;
  SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&bold));
  Expand(root);
}

void BookmarkTreeItems::Expand(BookmarkNode& folder) {
  // Filled here as well: once a folder has been opened, opening it again
  // through the message tells the program nothing.
  Fill(folder);
  if (HTREEITEM item = ItemOf(folder)) SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

void BookmarkTreeItems::ShowChildrenMark(BookmarkNode& node) {
  HTREEITEM item = ItemOf(node);
  if (!item) return;
  TVITEMA info{};
  info.mask = TVIF_CHILDREN | TVIF_HANDLE;
  info.hItem = item;
  info.cChildren = node.Count() > 0 ? 1 : 0;
  SendMessageA(tree_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&info));
}

void BookmarkTreeItems::ShowAdded(BookmarkNode& node) {
  BookmarkNode* parent = node.Parent();
  if (!parent || !ItemOf(*parent)) return;
  ShowChildrenMark(*parent);
  HTREEITEM parentItem = ItemOf(*parent);
  // A folder without items is filled, the new node with the rest, when it opens.
  if (!Next(parentItem, TVGN_CHILD)) return;
  BookmarkNode* previous = node.PreviousSibling();
  HTREEITEM after = !previous ? TVI_FIRST : ItemOf(*previous) ? ItemOf(*previous) : TVI_LAST;
  Insert(node, parentItem, after);
}

void BookmarkTreeItems::Remove(BookmarkNode& node) {
  if (HTREEITEM item = ItemOf(node)) SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item));
}

void BookmarkTreeItems::ShowText(const BookmarkNode& node) {
  HTREEITEM item = ItemOf(node);
  if (!item) return;
  std::wstring text = win::Wide(node.Text);
  TVITEMW info{};
  info.mask = TVIF_TEXT | TVIF_HANDLE;
  info.hItem = item;
  info.pszText = &text[0];
  SendMessageW(tree_, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&info));
}

void BookmarkTreeItems::ShowOrder(BookmarkNode& root) {
  // Through the items shown, parent before children, by their links rather
  // than by recursion.
  HTREEITEM item = ItemOf(root);
  while (item) {
    if (Next(item, TVGN_CHILD)) {
      const BookmarkNode& folder = *NodeOf(item);
      Positions positions;
      for (int i = 0; i < folder.Count(); ++i) positions[&folder[i]] = i;
      TVSORTCB sort{};
      sort.hParent = item;
      sort.lpfnCompare = ByPosition;
      sort.lParam = reinterpret_cast<LPARAM>(&positions);
      SendMessageA(tree_, TVM_SORTCHILDRENCB, FALSE, reinterpret_cast<LPARAM>(&sort));
      item = Next(item, TVGN_CHILD);
      continue;
    }
    while (item && !Next(item, TVGN_NEXT)) item = Next(item, TVGN_PARENT);
    if (item) item = Next(item, TVGN_NEXT);
  }
}

void BookmarkTreeItems::Select(BookmarkNode* node) {
  if (node && !ItemOf(*node)) {
    // Its folders open first, from the top, so that it has an item.
    std::vector<BookmarkNode*> folders;
    for (BookmarkNode* parent = node->Parent(); parent; parent = parent->Parent()) folders.push_back(parent);
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) Expand(**it);
  }
  HTREEITEM item = node ? ItemOf(*node) : nullptr;
  SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
}

BookmarkNode* BookmarkTreeItems::Selected() const { return NodeOf(Next(nullptr, TVGN_CARET)); }

BookmarkNode* BookmarkTreeItems::NodeAt(int x, int y, HitPart& part) const {
  TVHITTESTINFO hit{};
  hit.pt = POINT{x, y};
  auto item = reinterpret_cast<HTREEITEM>(SendMessageA(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  part = item ? PartOf(hit.flags) : HitPart::kNowhere;
  return NodeOf(item);
}

void BookmarkTreeItems::ItemExpanding(const NMTREEVIEWW& info) {
  if (info.action & TVE_EXPAND)
    if (BookmarkNode* node = NodeOf(info.itemNew.hItem)) Fill(*node);
}

void BookmarkTreeItems::ItemDeleted(const NMTREEVIEWW& info) {
  if (auto* node = reinterpret_cast<BookmarkNode*>(info.itemOld.lParam)) node->ViewItem = nullptr;
}

}  // namespace tessaly

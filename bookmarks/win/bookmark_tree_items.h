#pragma once
#include <windows.h>
#include <commctrl.h>

#include "bookmarks/bookmark_tree.h"
#include "bookmarks/tree_commands.h"

namespace tessaly {

// Shows a tree of bookmark nodes in a tree-view control: one item per node
// shown, the node in the item's data and the item in the node's ViewItem,
// the node's UTF-8 text in the wide-character item.
//
// A folder's items are made when it first opens, so the control holds only
// what the user has opened: a tree of any size loads at once, and however
// deep the tree, the control's own chain of items is only as deep as the
// user opened by hand. A folder's items, once made, follow its children in
// order; a folder without items is filled when it opens.
class BookmarkTreeItems {
 public:
  explicit BookmarkTreeItems(HWND tree) : tree_(tree) {}

  // The root as the control's only top-level item, in bold, opened one level.
  void ShowRoot(BookmarkNode& root);
  // Opens a folder one level.
  void Expand(BookmarkNode& folder);
  // A node now under its parent (added or moved there): its item, when the
  // parent's items are made, and the parent's mark of having children.
  void ShowAdded(BookmarkNode& node);
  // Takes the items of a node and its subtree away; before the node leaves.
  void Remove(BookmarkNode& node);
  // Whether a node shows the mark (the button) of a folder with children.
  void ShowChildrenMark(BookmarkNode& node);
  void ShowText(const BookmarkNode& node);
  // After a sort: every folder's items in the order of its children.
  void ShowOrder(BookmarkNode& root);

  // Selects a node (null: none), opening its folders first.
  void Select(BookmarkNode* node);
  BookmarkNode* Selected() const;
  // The node on the row at a client position, and where on the row.
  BookmarkNode* NodeAt(int x, int y, HitPart& part) const;
  BookmarkNode* NodeOf(HTREEITEM item) const;

  // The notifications the items follow: an opening folder is filled, a
  // deleted item is forgotten by its node. The tree sends the wide ones
  // (TfrmEditBookmarks sets it so).
  void ItemExpanding(const NMTREEVIEWW& info);
  void ItemDeleted(const NMTREEVIEWW& info);

 private:
  HTREEITEM Insert(BookmarkNode& node, HTREEITEM parent, HTREEITEM after);
  void Fill(BookmarkNode& folder);
  HTREEITEM Next(HTREEITEM item, UINT relation) const;

  HWND tree_;
};

}  // namespace tessaly

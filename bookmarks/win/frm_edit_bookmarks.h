#pragma once
#include <memory>
#include <string>

#include "bookmarks/bookmark_tree.h"
#include "bookmarks/cvbookmarks.h"
#include "bookmarks/win/bookmark_tree_items.h"
#include "bookmarks/win/corvane_tree_view.h"
#include "framework/menu_item.h"
#include "framework/win/controls.h"
#include "framework/win/form.h"
#include "framework/win/handles.h"
#include "framework/win/menu_binding.h"

namespace tessaly {

// The bookmark organizer: the bookmark entries of a component as a tree
// under one root node, where the user adds, edits, deletes, moves and sorts
// folders and bookmarks. It works on a copy; SaveTree, after "Save", puts
// the copy in place of the component's entries. "Save" closes it with IDOK,
// "Cancel" and the close box with IDCANCEL.
class TfrmEditBookmarks : public win::Form {
 public:
  // glyphs: cells of glyphWidth x 16 pixels on magenta, the first a folder,
  // the second a bookmark (null: no pictures).
  TfrmEditBookmarks(TCorvaneBookmarks& bookmarks, HBITMAP glyphs = nullptr, int glyphWidth = 16);

  void SetCaption(const std::string& caption) { SetWindowTextA(Handle(), caption.c_str()); }
  // The program name in the organizer's captions and messages.
  void SetAppName(const std::string& appName) { appName_ = appName; }

  void LoadTree();
  void SaveTree();

  // Handlers.
  void btnSortClick();
  void btnSaveClick() { EndModal(IDOK); }
  void btnCancelClick() { EndModal(IDCANCEL); }
  void btnDeleteClick();
  void Edit1Click();
  void AddFolder1Click();
  void AddBookmark1Click();
  bool TreeView1DragOver(int x, int y);
  void TreeView1DragDrop(int x, int y);
  void TreeView1KeyUp(WORD key);
  void TreePopupPopup();

  BookmarkNode& Root() const { return *root_; }
  BookmarkNode* Selected() const { return items_.Selected(); }
  void Select(BookmarkNode* node) { items_.Select(node); }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  LRESULT TreeView1Notify(NMHDR* header);
  // Opens the pop-up menu at a screen position for the node there (or none).
  void ShowTreePopup(BookmarkNode* node, POINT at);

  TCorvaneBookmarks& bookmarks_;
  std::string appName_;
  // The tree's model and the resources of the controls, made before the
  // controls and gone after them.
  std::unique_ptr<BookmarkNode> root_;
  win::UniqueFont memoFont_;
  win::UniqueImageList ImageList1;

 public:
  std::unique_ptr<win::Memo> Memo1;
  std::unique_ptr<TCorvaneTreeView> TreeView1;
  std::unique_ptr<win::Button> btnSort, btnSave, btnCancel;
  MenuItem TreePopup;

 private:
  BookmarkTreeItems items_{nullptr};
  BookmarkNode* rightClicked_ = nullptr;
  std::unique_ptr<win::MenuBinding> treePopupBinding_;
};

}  // namespace tessaly

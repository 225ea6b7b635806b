#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/menu_item.h"

namespace tessaly {

// One node of the organizer's tree: its root, a folder or a bookmark. The
// organizer works on a tree of these, a copy of the bookmark entries, and
// shows it in its tree control; only SaveBookmarkTree writes it back.
//
// Every kind test is on the image index, as the control shows it: 0 is a
// folder (the root included), anything else a bookmark. The root alone
// carries the root marker.
class BookmarkNode {
 public:
  static constexpr int kFolderImage = 0;
  static constexpr int kBookmarkImage = 1;
  static constexpr int kRootMarker = 10;

  BookmarkNode(std::string text, int imageIndex, std::string url = {});
  // Frees the whole subtree without recursion: a bookmark file may nest
  // folders as deep as it likes.
  ~BookmarkNode();
  BookmarkNode(const BookmarkNode&) = delete;
  BookmarkNode& operator=(const BookmarkNode&) = delete;

  std::string Text;
  std::string Url;  // a bookmark's; a folder has none
  int ImageIndex;
  int StateIndex = 0;
  // The item that shows the node in the tree control, while there is one.
  void* ViewItem = nullptr;

  bool IsFolder() const { return ImageIndex == kFolderImage; }
  bool IsRoot() const { return StateIndex == kRootMarker; }

  BookmarkNode* Parent() const { return parent_; }
  int Count() const { return static_cast<int>(children_.size()); }
  BookmarkNode& operator[](int index) const { return *children_.at(static_cast<size_t>(index)); }
  // Position among the parent's children; -1 for a node without a parent.
  int Index() const;
  BookmarkNode* PreviousSibling() const;
  // Whether this node is node itself or lies anywhere below it.
  bool IsWithin(const BookmarkNode& node) const;

  BookmarkNode& Add(std::unique_ptr<BookmarkNode> child) { return Insert(Count(), std::move(child)); }
  BookmarkNode& Insert(int index, std::unique_ptr<BookmarkNode> child);
  std::unique_ptr<BookmarkNode> Remove(int index);

  // Puts the children in the order of less (a strict weak order), keeping
  // equal ones as they were.
  void SortChildren(const std::function<bool(const BookmarkNode&, const BookmarkNode&)>& less);

 private:
  BookmarkNode* parent_ = nullptr;
  std::vector<std::unique_ptr<BookmarkNode>> children_;
};

// The root node of the organizer's tree: "Tessaly Bookmarks", a folder with
// the root marker.
std::unique_ptr<BookmarkNode> NewRootNode();

// Adds under root a node for every entry of menu from index first on, with
// their subtrees: folders (hint "Folder") as folder nodes, everything else
// as bookmarks with the hint as URL.
void LoadBookmarkTree(BookmarkNode& root, const MenuItem& menu, int first);

// Makes the menu entry of a bookmark (title, URL), as the bookmark component
// makes them.
using NewBookmarkEntryFn = std::function<std::unique_ptr<MenuItem>(const std::string&, const std::string&)>;

// Frees the entries of menu from index first on and appends an entry for
// every node below root, in order and to any depth. The root's own text is
// not kept.
void SaveBookmarkTree(const BookmarkNode& root, MenuItem& menu, int first, const NewBookmarkEntryFn& newBookmark);

}  // namespace tessaly

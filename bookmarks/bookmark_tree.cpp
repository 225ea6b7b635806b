#include "bookmarks/bookmark_tree.h"

#include <algorithm>
#include <stdexcept>

#include "bookmarks/bookmark_entry.h"
#include "framework/tree_walk.h"

namespace tessaly {

BookmarkNode::BookmarkNode(std::string text, int imageIndex, std::string url)
    : Text(std::move(text)), Url(std::move(url)), ImageIndex(imageIndex) {}

BookmarkNode::~BookmarkNode() { FreeSubtrees(children_, &BookmarkNode::children_); }

int BookmarkNode::Index() const { return parent_ ? IndexAmong(parent_->children_, this) : -1; }

BookmarkNode* BookmarkNode::PreviousSibling() const {
  const int index = Index();
  return index > 0 ? &(*parent_)[index - 1] : nullptr;
}

bool BookmarkNode::IsWithin(const BookmarkNode& node) const {
  for (const BookmarkNode* n = this; n; n = n->parent_)
    if (n == &node) return true;
  return false;
}

BookmarkNode& BookmarkNode::Insert(int index, std::unique_ptr<BookmarkNode> child) {
  if (index < 0 || index > Count()) throw std::out_of_range("tree node index out of bounds");
  child->parent_ = this;
  BookmarkNode& ref = *child;
  children_.insert(children_.begin() + index, std::move(child));
  return ref;
}

std::unique_ptr<BookmarkNode> BookmarkNode::Remove(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("tree node index out of bounds");
  std::unique_ptr<BookmarkNode> child = std::move(children_[static_cast<size_t>(index)]);
  children_.erase(children_.begin() + index);
  child->parent_ = nullptr;
  return child;
}

void BookmarkNode::SortChildren(const std::function<bool(const BookmarkNode&, const BookmarkNode&)>& less) {
  std::stable_sort(children_.begin(), children_.end(),
                   [&](const std::unique_ptr<BookmarkNode>& a, const std::unique_ptr<BookmarkNode>& b) {
                     return less(*a, *b);
                   });
}

std::unique_ptr<BookmarkNode> NewRootNode() {
  auto root = std::make_unique<BookmarkNode>("Tessaly Bookmarks", BookmarkNode::kFolderImage);
  root->StateIndex = BookmarkNode::kRootMarker;
  return root;
}

void LoadBookmarkTree(BookmarkNode& root, const MenuItem& menu, int first) {
  // Each level's state is the node its entries go under.
  WalkTree(menu, first, &root, [](const MenuItem& item, BookmarkNode* parent) -> std::optional<BookmarkNode*> {
    if (!IsFolder(item)) {
      parent->Add(std::make_unique<BookmarkNode>(item.Caption, BookmarkNode::kBookmarkImage, item.Hint));
      return std::nullopt;
    }
    BookmarkNode& folder = parent->Add(std::make_unique<BookmarkNode>(item.Caption, BookmarkNode::kFolderImage));
    return &folder;
  });
}

void SaveBookmarkTree(const BookmarkNode& root, MenuItem& menu, int first, const NewBookmarkEntryFn& newBookmark) {
  menu.DeleteFrom(first);
  // Each level's state is the menu item its entries go under.
  WalkTree(root, 0, &menu, [&newBookmark](const BookmarkNode& node, MenuItem* parent) -> std::optional<MenuItem*> {
    MenuItem& added = parent->Add(node.IsFolder() ? NewFolderEntry(node.Text) : newBookmark(node.Text, node.Url));
    return &added;
  });
}

}  // namespace tessaly

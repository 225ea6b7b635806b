#include "bookmarks/bookmark_tree.h"

#include <algorithm>
#include <stdexcept>

#include "bookmarks/bookmark_entry.h"
#include "framework/tree_walk.h"

namespace tessaly {

BookmarkNode::BookmarkNode(std::string text, int imageIndex, std::string url)
    : Text(std::move(text)), Url(std::move(url)), ImageIndex(imageIndex) {}

BookmarkNode::~BookmarkNode() {
  // Children are taken out before they die, so each destructor below finds
  // an empty list: the depth of the tree never reaches the call stack.
  std::vector<std::unique_ptr<BookmarkNode>> pending = std::move(children_);
  while (!pending.empty()) {
    std::unique_ptr<BookmarkNode> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : node->children_) pending.push_back(std::move(child));
    node->children_.clear();
  }
}

int BookmarkNode::Index() const {
  if (!parent_) return -1;
  const auto& siblings = parent_->children_;
  for (size_t i = 0; i < siblings.size(); ++i)
    if (siblings[i].get() == this) return static_cast<int>(i);
  return -1;
}

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

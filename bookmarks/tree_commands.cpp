#include "bookmarks/tree_commands.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

namespace tessaly {

int CompareAsciiIgnoringCase(const std::string& a, const std::string& b) {
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const int ca = std::tolower(static_cast<unsigned char>(a[i]));
    const int cb = std::tolower(static_cast<unsigned char>(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

int CompareNodes(const BookmarkNode& a, const BookmarkNode& b, const TextCompare& compareText) {
  if (a.ImageIndex != b.ImageIndex) return a.ImageIndex < b.ImageIndex ? -1 : 1;
  return compareText(a.Text, b.Text);
}

void SortBookmarkTree(BookmarkNode& root, const TextCompare& compareText) {
  const auto less = [&](const BookmarkNode& a, const BookmarkNode& b) { return CompareNodes(a, b, compareText) < 0; };
  std::vector<BookmarkNode*> pending{&root};
  while (!pending.empty()) {
    BookmarkNode* node = pending.back();
    pending.pop_back();
    node->SortChildren(less);
    for (int i = 0; i < node->Count(); ++i)
      if ((*node)[i].Count() > 0) pending.push_back(&(*node)[i]);
  }
}

BookmarkNode* SelectionAfterDelete(const BookmarkNode& node) {
  if (BookmarkNode* previous = node.PreviousSibling()) return previous;
  return node.Parent();
}

void DeleteNode(BookmarkNode& node) {
  if (BookmarkNode* parent = node.Parent()) parent->Remove(node.Index());
}

namespace {
BookmarkNode& FolderFor(BookmarkNode& selected) {
  return selected.IsFolder() || !selected.Parent() ? selected : *selected.Parent();
}
}  // namespace

BookmarkNode& AddFolderNode(BookmarkNode& selected, const std::string& name) {
  return FolderFor(selected).Add(std::make_unique<BookmarkNode>(name, BookmarkNode::kFolderImage));
}

BookmarkNode& AddBookmarkNode(BookmarkNode& selected, const std::string& title, const std::string& url) {
  return FolderFor(selected).Add(std::make_unique<BookmarkNode>(title, BookmarkNode::kBookmarkImage, url));
}

bool AcceptsDragOver(const BookmarkNode* target, HitPart part) {
  if (!target || !target->IsFolder()) return false;
  return !(target->IsRoot() && part == HitPart::kIndent);
}

DropPlace DropDecision(const BookmarkNode& dragged, const BookmarkNode& target, HitPart part) {
  if (!AcceptsDragOver(&target, part) || target.IsWithin(dragged)) return DropPlace::kNothing;
  switch (part) {
    case HitPart::kLabel:
    case HitPart::kIcon:
    case HitPart::kStateIcon:
      return DropPlace::kLastChild;
    case HitPart::kIndent:
      return DropPlace::kBefore;
    default:
      return DropPlace::kNothing;
  }
}

BookmarkNode* MoveNode(BookmarkNode& dragged, BookmarkNode& target, DropPlace place) {
  BookmarkNode* from = dragged.Parent();
  if (place == DropPlace::kNothing || !from || target.IsWithin(dragged)) return nullptr;
  if (place == DropPlace::kBefore && !target.Parent()) return nullptr;
  std::unique_ptr<BookmarkNode> moving = from->Remove(dragged.Index());
  if (place == DropPlace::kLastChild) {
    target.Add(std::move(moving));
    return &target;
  }
  BookmarkNode& parent = *target.Parent();
  parent.Insert(target.Index(), std::move(moving));
  return &parent;
}

}  // namespace tessaly

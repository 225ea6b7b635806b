#pragma once
#include <functional>
#include <string>

#include "bookmarks/bookmark_tree.h"

namespace tessaly {

// The organizer's rules over its tree, apart from the control that shows it.

// Compares two texts as the user's locale orders them, letter case aside:
// below 0, 0 or above 0.
using TextCompare = std::function<int(const std::string&, const std::string&)>;

// The same for plain ASCII letters only; for tests and for lack of a locale.
int CompareAsciiIgnoringCase(const std::string& a, const std::string& b);

// The sort order: folders (the smaller image index) before bookmarks, each
// kind by text. Below 0 when a goes first.
int CompareNodes(const BookmarkNode& a, const BookmarkNode& b, const TextCompare& compareText);

// Sorts the children of every node of the tree, at every depth, without
// recursion.
void SortBookmarkTree(BookmarkNode& root, const TextCompare& compareText);

// Where the selection goes when node is deleted: its previous sibling, else
// its parent.
BookmarkNode* SelectionAfterDelete(const BookmarkNode& node);
// Takes node with its subtree out of the tree and frees it. Not for the root.
void DeleteNode(BookmarkNode& node);

// Adds a folder or a bookmark as the last child of the selected folder, or,
// when a bookmark is selected, of that bookmark's folder.
BookmarkNode& AddFolderNode(BookmarkNode& selected, const std::string& name);
BookmarkNode& AddBookmarkNode(BookmarkNode& selected, const std::string& title, const std::string& url);

// Where on a row of the tree control the pointer is (its hit test).
enum class HitPart { kNowhere, kLabel, kIcon, kStateIcon, kIndent, kButton, kRight };

// What a drop does with the dragged node.
enum class DropPlace { kNothing, kLastChild, kBefore };

// Whether a drag may go on over target (null: over no node): only over a
// folder, and never in the root's indentation, since a drop there would put
// a node beside the root.
bool AcceptsDragOver(const BookmarkNode* target, HitPart part);

// A drop of dragged on target: on its label or icons it becomes the target
// folder's last child, in its indentation the target's sibling just before
// it; nothing anywhere else, over a bookmark, beside the root, or onto the
// dragged node's own subtree.
DropPlace DropDecision(const BookmarkNode& dragged, const BookmarkNode& target, HitPart part);

// Moves dragged with its subtree to its place by target; returns its new
// parent. Nothing moves for DropPlace::kNothing (the result is null).
BookmarkNode* MoveNode(BookmarkNode& dragged, BookmarkNode& target, DropPlace place);

}  // namespace tessaly

#pragma once
#include <memory>
#include <optional>
#include <vector>

namespace tessaly {

// Visits the nodes below root in document order (at the top only root's
// children from index first on), keeping the open levels in a list rather
// than on the call stack: a bookmark file may nest folders as deep as it
// likes.
//
// Every node level carries a state, top's for root's children. enter(child,
// state) sees a child with its parent's state and returns the state of the
// child's own children, or nothing to pass over them; leave(state) runs when
// the children of a level that was entered are all done, the top level last.
// Node needs Count() and operator[](int) giving Node&.
template <class Node, class State, class Enter, class Leave>
void WalkTree(Node& root, int first, State top, Enter enter, Leave leave) {
  struct Level {
    Node* parent;
    State state;
    int next;
  };
  std::vector<Level> open;
  open.push_back(Level{&root, top, first});
  while (!open.empty()) {
    Level& level = open.back();
    if (level.next >= level.parent->Count()) {
      leave(level.state);
      open.pop_back();
      continue;
    }
    Node& child = (*level.parent)[level.next++];
    std::optional<State> inner = enter(child, level.state);
    if (inner) open.push_back(Level{&child, *inner, 0});  // level is not used past this point
  }
}

template <class Node, class State, class Enter>
void WalkTree(Node& root, int first, State top, Enter enter) {
  WalkTree(root, first, top, enter, [](const State&) {});
}

// Frees a node's children and everything below them without recursion: each
// node is emptied before it dies, so that no destructor finds children of its
// own and the depth of the tree never reaches the call stack. children is the
// node's list; member names that list in every node.
template <class Node>
void FreeSubtrees(std::vector<std::unique_ptr<Node>>& children, std::vector<std::unique_ptr<Node>> Node::*member) {
  std::vector<std::unique_ptr<Node>> pending = std::move(children);
  while (!pending.empty()) {
    std::unique_ptr<Node> node = std::move(pending.back());
    pending.pop_back();
    for (auto& child : (*node).*member) pending.push_back(std::move(child));
    ((*node).*member).clear();
  }
}

// The position of node in a parent's list of children, or -1.
template <class Node>
int IndexAmong(const std::vector<std::unique_ptr<Node>>& children, const Node* node) {
  for (std::size_t i = 0; i < children.size(); ++i)
    if (children[i].get() == node) return static_cast<int>(i);
  return -1;
}

}  // namespace tessaly

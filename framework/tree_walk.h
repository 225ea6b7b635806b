#pragma once
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

}  // namespace tessaly

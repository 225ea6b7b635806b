#pragma once
#include <functional>

#include "framework/win/controls.h"
#include "framework/win/form.h"

namespace tessaly {

// The platform's tree view, which scrolls by itself when the pointer nears
// its edges, and drags its own items: a drag starts when the user drags an
// item (which becomes the selected one), asks OnDragOver at every move of
// the pointer over the tree and ends in OnDragDrop where it was accepted.
// Escape, the right button or losing the mouse ends it without a drop.
class TCorvaneTreeView : public win::Control {
 public:
  // Registers the tree view's window class first: the common controls are
  // set up for it only once a tree is needed.
  TCorvaneTreeView(win::Form& form, win::Bounds b);

  // Scrolling when the pointer nears the edges (without a drag).
  bool AutoScroll = true;

  // Client position of the pointer; whether the dragged item may drop there.
  std::function<bool(int x, int y)> OnDragOver;
  std::function<void(int x, int y)> OnDragDrop;
  // A key released while the tree has the focus.
  std::function<void(WORD key)> OnKeyUp;
  // Every notification of the tree besides the start of a drag.
  std::function<LRESULT(NMHDR* header)> OnTreeNotify;

  // Scrolls a line up or down, or a page left or right, when the pointer
  // is within half the font's height of an edge (less the scroll bars).
  void DoAutoScroll(int x, int y);
  bool Dragging() const { return dragging_; }

  LRESULT OnNotify(NMHDR* header) override;
  bool FormKey(const MSG& msg) override;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void BeginDrag(HTREEITEM item);
  // Asks OnDragOver; true when the pointer is over the tree and the drop
  // would be taken there.
  bool Accepts(int x, int y) const;
  void DragOver(int x, int y);
  void EndDrag(bool drop, int x, int y);

  bool dragging_ = false;
};

}  // namespace tessaly

#pragma once
#include <windows.h>

#include "framework/win/window.h"
#include "preview/scroll_view.h"

namespace tessaly::win {

// A white child window with scroll bars over one child larger than itself (its
// content), which it keeps at minus the scroll position. The bars appear only
// where the content does not fit and move the view while their thumb is
// dragged; the wheel and the keys scroll it as a picture viewer does.
class TScrollBox : public Window {
 public:
  explicit TScrollBox(HWND parent);

  // The child that scrolls and the area it covers.
  void SetContent(HWND child, int width, int height);
  void SetBounds(int left, int top, int width, int height);
  void ScrollTo(int x, int y);
  POINT Position() const { return POINT{axes_[0].position, axes_[1].position}; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  // Which bars show and how long the view is along each axis.
  void UpdateBars();
  void PlaceContent();
  void OnScrollBar(int axis, WORD request);
  void OnWheel(int axis, int rotation);
  bool OnKey(WPARAM key);
  void Scroll(int axis, ScrollAction action) { ScrollAxisTo(axis, ScrollTarget(axes_[axis], action)); }
  void ScrollAxisTo(int axis, int position);

  HWND content_ = nullptr;
  ScrollAxis axes_[2];  // horizontal, vertical
  WheelScroll wheels_[2];
  bool updating_ = false;
};

}  // namespace tessaly::win

#pragma once

namespace tessaly {

// The arithmetic of a view that scrolls over a larger picture, one axis at a time.

// One axis: the picture's length, the visible length and the first visible pixel.
struct ScrollAxis {
  int content = 0;
  int view = 0;
  int position = 0;
  int MaxPosition() const { return content > view ? content - view : 0; }
  int Clamp(int p) const { return p < 0 ? 0 : (p > MaxPosition() ? MaxPosition() : p); }
};

enum class ScrollAction { LineBack, LineForward, PageBack, PageForward, Start, End };

// Pixels an arrow key or a scroll bar arrow moves the view.
constexpr int kScrollLine = 20;

// Where the action takes the view, within the picture. A page is the visible
// length less a line, so that a line of the previous page stays in sight.
int ScrollTarget(const ScrollAxis& axis, ScrollAction action);

// Which scroll bars a box needs for a picture: a bar is needed where the picture
// is longer than the box, and a bar takes its breadth from the other axis's room.
struct ScrollBarsNeeded {
  bool horizontal = false;
  bool vertical = false;
};
ScrollBarsNeeded NeededScrollBars(int contentWidth, int contentHeight, int boxWidth, int boxHeight,
                                  int verticalBarWidth, int horizontalBarHeight);

// Turns wheel rotation into pixels. A notch (120 units) moves linesPerNotch
// lines, or a page when linesPerNotch is negative (the system's "one screen at a
// time"); finer rotation from precise wheels adds up without loss. Positive
// rotation (away from the user) scrolls back, toward the picture's start.
class WheelScroll {
 public:
  int Pixels(int rotation, int linesPerNotch, int page);

 private:
  long long remainder_ = 0;
};

}  // namespace tessaly

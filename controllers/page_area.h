#pragma once
#include <functional>
#include <vector>


namespace tessaly {

// A rectangle in screen pixels; right and bottom are exclusive.
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// A window as page-area sizing sees it: its outer rectangle, its client area
// and its visible child windows, all in screen pixels.
struct WindowLayout {
  ScreenRect outer;
  ScreenRect client;
  std::vector<ScreenRect> children;
};

// The page area: the largest part of a visible child window that lies inside
// the client area (a browser's content view), or the client area itself when
// no child covers any of it.
ScreenRect PageArea(const WindowLayout& layout);

struct OuterSize {
  int width = 0, height = 0;
  bool operator==(const OuterSize& o) const { return width == o.width && height == o.height; }
  bool operator!=(const OuterSize& o) const { return !(*this == o); }
};

// The outer size that gives a page area of width x height: that size plus
// what lies around the page area now (frame, menu, tool and status bars).
OuterSize OuterSizeFor(const WindowLayout& layout, int width, int height);

// Makes a window's page area width x height: measures what lies around it,
// sizes the window, and checks once. A window that comes out with another
// page area (it snapped to a size of its own, a tool bar wrapped, the menu
// bar took two rows) is measured again and corrected once. A window whose
// layout cannot be read gets the size as its outer size.
void SizeToPageArea(int width, int height, const std::function<bool(WindowLayout&)>& readLayout,
                    const std::function<void(const OuterSize&)>& setOuterSize);

}  // namespace tessaly

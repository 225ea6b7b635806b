#include "controllers/page_area.h"

#include <algorithm>

namespace tessaly {

namespace {
ScreenRect Intersection(const ScreenRect& a, const ScreenRect& b) {
  ScreenRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom)};
  return r.Width() > 0 && r.Height() > 0 ? r : ScreenRect{};
}

long long Area(const ScreenRect& r) { return static_cast<long long>(r.Width()) * r.Height(); }
}  // namespace

ScreenRect PageArea(const WindowLayout& layout) {
  ScreenRect best = layout.client;
  long long bestArea = 0;
  for (const ScreenRect& child : layout.children) {
    const ScreenRect inside = Intersection(child, layout.client);
    // The first of equally large children: the one on top of the others.
    if (Area(inside) > bestArea) {
      best = inside;
      bestArea = Area(inside);
    }
  }
  return best;
}

OuterSize OuterSizeFor(const WindowLayout& layout, int width, int height) {
  const ScreenRect page = PageArea(layout);
  return {width + layout.outer.Width() - page.Width(), height + layout.outer.Height() - page.Height()};
}

void SizeToPageArea(int width, int height, const std::function<bool(WindowLayout&)>& readLayout,
                    const std::function<void(const OuterSize&)>& setOuterSize) {
  WindowLayout layout;
  if (!readLayout(layout)) {
    setOuterSize({width, height});
    return;
  }
  const OuterSize first = OuterSizeFor(layout, width, height);
  setOuterSize(first);
  if (!readLayout(layout)) return;
  const ScreenRect page = PageArea(layout);
  if (page.Width() == width && page.Height() == height) return;
  // Asking again for the same outer size would only snap the same way.
  const OuterSize corrected = OuterSizeFor(layout, width, height);
  if (corrected != first) setOuterSize(corrected);
}

}  // namespace tessaly

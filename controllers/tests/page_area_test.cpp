#include "controllers/page_area.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tessaly::OuterSize;
using tessaly::ScreenRect;
using tessaly::WindowLayout;

OuterSize SizeOf(const ScreenRect& r) { return {r.Width(), r.Height()}; }

TEST(PageArea, LargestChildPartInsideTheClientAreaElseTheClientArea) {
  WindowLayout w;
  w.outer = {100, 100, 600, 500};
  w.client = {108, 130, 592, 492};
  EXPECT_EQ(SizeOf(PageArea(w)), (OuterSize{484, 362}));
  // A tool bar, a view hanging out of the client area (only its inside
  // counts), and a larger window wholly outside.
  w.children = {{108, 130, 592, 160}, {50, 160, 700, 480}, {0, 0, 2000, 120}};
  EXPECT_EQ(SizeOf(PageArea(w)), (OuterSize{484, 320}));
}

// A window whose tool bar takes two rows below wrapBelow pixels of client
// width, and whose outer size snaps down to a multiple of snap.
struct SimulatedWindow {
  int wrapBelow = 0, snap = 1;
  OuterSize size{640, 480};
  std::vector<OuterSize> sets;

  bool Read(WindowLayout& w) const {
    w.outer = {10, 20, 10 + size.width, 20 + size.height};
    w.client = {18, 50, w.outer.right - 8, w.outer.bottom - 8};
    const int bar = w.client.Width() < wrapBelow ? 56 : 28;
    w.children = {{w.client.left, w.client.top, w.client.right, w.client.top + bar},
                  {w.client.left, w.client.top + bar, w.client.right, w.client.bottom - 20}};
    return true;
  }
  OuterSize SizeTo(int width, int height) {
    tessaly::SizeToPageArea(
        width, height, [this](WindowLayout& w) { return Read(w); },
        [this](const OuterSize& s) {
          sets.push_back(s);
          size = {s.width / snap * snap, s.height / snap * snap};
        });
    WindowLayout w;
    Read(w);
    return SizeOf(PageArea(w));
  }
};

TEST(SizeToPageArea, CorrectsOnceWhenTheBarsChangeButNotWhenTheWindowSnaps) {
  SimulatedWindow plain;
  EXPECT_EQ(plain.SizeTo(800, 600), (OuterSize{800, 600}));
  EXPECT_EQ(plain.sets, (std::vector<OuterSize>{{816, 686}}));  // 16 across; 30 + 28 + 20 + 8 down

  SimulatedWindow wrapping;
  wrapping.wrapBelow = 400;
  EXPECT_EQ(wrapping.SizeTo(320, 240), (OuterSize{320, 240}));
  EXPECT_EQ(wrapping.sets, (std::vector<OuterSize>{{336, 326}, {336, 354}}));

  SimulatedWindow snapping;
  snapping.snap = 10;
  EXPECT_EQ(snapping.SizeTo(800, 600), (OuterSize{794, 594}));
  EXPECT_EQ(snapping.sets.size(), 1u);  // the same request would snap the same way
}

}  // namespace

#include "controllers/page_area.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tessaly::OuterSize;
using tessaly::ScreenRect;
using tessaly::WindowLayout;

bool Same(const ScreenRect& a, const ScreenRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(PageArea, LargestChildPartInsideTheClientAreaElseTheClientArea) {
  WindowLayout w;
  w.outer = {100, 100, 600, 500};
  w.client = {108, 130, 592, 492};
  EXPECT_TRUE(Same(PageArea(w), w.client));

  w.children = {{108, 130, 592, 160},   // tool bar
                {108, 160, 592, 476},   // content view
                {108, 476, 592, 492},   // status bar
                {0, 0, 2000, 120}};     // larger, but outside the client area
  EXPECT_TRUE(Same(PageArea(w), (ScreenRect{108, 160, 592, 476})));

  // Only the part inside counts: a child hanging out of the client area.
  w.children = {{108, 130, 592, 160}, {50, 150, 700, 200}};
  EXPECT_TRUE(Same(PageArea(w), (ScreenRect{108, 150, 592, 200})));

  // Children of no size (hidden panes laid out to nothing) leave the client area.
  w.children = {{120, 140, 120, 400}};
  EXPECT_TRUE(Same(PageArea(w), w.client));
}

TEST(PageArea, OuterSizeAddsWhatLiesAroundThePage) {
  WindowLayout w;
  w.outer = {100, 100, 600, 500};                         // 500 x 400
  w.client = {108, 130, 592, 492};                        // frame 16 x 38
  EXPECT_EQ(OuterSizeFor(w, 800, 600), (OuterSize{816, 638}));
  w.children = {{108, 130, 592, 160}, {108, 160, 592, 476}};  // bars take 30 + 16 more
  EXPECT_EQ(OuterSizeFor(w, 800, 600), (OuterSize{816, 684}));
}

// A window whose tool bar wraps to two rows when it gets narrower than wrapBelow
// pixels of client width; its outer size snaps down to a multiple of snap.
struct SimulatedWindow {
  int wrapBelow = 0;
  int snap = 1;
  bool readable = true;
  OuterSize size{640, 480};
  std::vector<OuterSize> sets;

  bool Read(WindowLayout& w) const {
    if (!readable) return false;
    w.outer = {10, 20, 10 + size.width, 20 + size.height};
    w.client = {18, 50, 10 + size.width - 8, 20 + size.height - 8};
    const int bar = w.client.Width() < wrapBelow ? 56 : 28;
    w.children = {{w.client.left, w.client.top, w.client.right, w.client.top + bar},
                  {w.client.left, w.client.top + bar, w.client.right, w.client.bottom - 20}};
    return true;
  }
  void Set(const OuterSize& s) {
    sets.push_back(s);
    size = {s.width / snap * snap, s.height / snap * snap};
  }
  void SizeTo(int width, int height) {
    tessaly::SizeToPageArea(
        width, height, [this](WindowLayout& w) { return Read(w); }, [this](const OuterSize& s) { Set(s); });
  }
  OuterSize Page() const {
    WindowLayout w;
    Read(w);
    const ScreenRect p = PageArea(w);
    return {p.Width(), p.Height()};
  }
};

TEST(SizeToPageArea, OneSizingWhenTheSurroundingsStayTheSame) {
  SimulatedWindow w;
  w.SizeTo(800, 600);
  EXPECT_EQ(w.sets, (std::vector<OuterSize>{{816, 686}}));  // 8 + 8 across; 30 + 28 + 20 + 8 down
  EXPECT_EQ(w.Page(), (OuterSize{800, 600}));
}

TEST(SizeToPageArea, SurroundingsThatChangeWithTheSizeAreCorrectedOnce) {
  SimulatedWindow w;
  w.wrapBelow = 400;  // narrower than this the tool bar takes two rows
  w.SizeTo(320, 240);
  EXPECT_EQ(w.sets, (std::vector<OuterSize>{{336, 326}, {336, 354}}));
  EXPECT_EQ(w.Page(), (OuterSize{320, 240}));
}

TEST(SizeToPageArea, ASnappingWindowIsNotAskedForTheSameSizeAgain) {
  SimulatedWindow w;
  w.snap = 10;
  w.SizeTo(800, 600);
  EXPECT_EQ(w.sets, (std::vector<OuterSize>{{816, 686}}));
  EXPECT_EQ(w.Page(), (OuterSize{794, 594}));
}

TEST(SizeToPageArea, AnUnreadableWindowGetsTheSizeAsItsOuterSize) {
  SimulatedWindow w;
  w.readable = false;
  w.SizeTo(800, 600);
  EXPECT_EQ(w.sets, (std::vector<OuterSize>{{800, 600}}));
}

}  // namespace

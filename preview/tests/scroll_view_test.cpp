#include "preview/scroll_view.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(ScrollView, ActionsStayWithinThePicture) {
  const ScrollAxis axis{1000, 300, 30};  // positions 0..700
  EXPECT_EQ(ScrollTarget(axis, ScrollAction::LineForward), 30 + kScrollLine);
  EXPECT_EQ(ScrollTarget(axis, ScrollAction::LineBack), 30 - kScrollLine);
  EXPECT_EQ(ScrollTarget(axis, ScrollAction::PageForward), 30 + 300 - kScrollLine);
  EXPECT_EQ(ScrollTarget(axis, ScrollAction::PageBack), 0);
  EXPECT_EQ(ScrollTarget(axis, ScrollAction::End), 700);
  EXPECT_EQ(ScrollTarget(axis, ScrollAction::Start), 0);
  EXPECT_EQ(ScrollTarget(ScrollAxis{1000, 300, 690}, ScrollAction::LineForward), 700);
  EXPECT_EQ(ScrollTarget(ScrollAxis{1000, 300, 5}, ScrollAction::LineBack), 0);
  // A picture that fits does not move.
  EXPECT_EQ(ScrollTarget(ScrollAxis{200, 300, 0}, ScrollAction::End), 0);
  EXPECT_EQ(ScrollTarget(ScrollAxis{200, 300, 0}, ScrollAction::PageForward), 0);
  // A view shorter than two lines still moves by a page.
  EXPECT_EQ(ScrollTarget(ScrollAxis{1000, 30, 0}, ScrollAction::PageForward), 30);
  EXPECT_EQ(ScrollTarget(ScrollAxis{1000, 0, 0}, ScrollAction::PageForward), 1);
}

TEST(ScrollView, BarsWhereThePictureDoesNotFit) {
  auto bars = [](int w, int h) { return NeededScrollBars(w, h, 580, 360, 16, 16); };
  EXPECT_FALSE(bars(580, 360).horizontal);
  EXPECT_FALSE(bars(580, 360).vertical);
  EXPECT_TRUE(bars(1280, 976).horizontal);
  EXPECT_TRUE(bars(1280, 976).vertical);
  EXPECT_TRUE(bars(1280, 300).horizontal);
  EXPECT_FALSE(bars(1280, 300).vertical);
  // The horizontal bar takes 16 rows: a picture 350 high then no longer fits.
  EXPECT_TRUE(bars(1280, 350).vertical);
  // ... and the vertical bar takes 16 columns from a picture 570 wide.
  EXPECT_TRUE(bars(570, 976).horizontal);
  EXPECT_FALSE(bars(560, 976).horizontal);
}

TEST(ScrollView, WheelNotchesAndFineRotation) {
  WheelScroll wheel;
  EXPECT_EQ(wheel.Pixels(-120, 3, 300), 3 * kScrollLine);  // toward the user: forward
  EXPECT_EQ(wheel.Pixels(120, 3, 300), -3 * kScrollLine);
  // Quarter notches add up to a whole one.
  int total = 0;
  for (int i = 0; i < 4; ++i) total += wheel.Pixels(-30, 1, 300);
  EXPECT_EQ(total, kScrollLine);
  // "One screen at a time".
  EXPECT_EQ(wheel.Pixels(-120, -1, 300), 300);
}

}  // namespace
}  // namespace tessaly

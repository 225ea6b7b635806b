#include "preview/capture_area.h"

#include <gtest/gtest.h>

#include <climits>

namespace tessaly {
namespace {

TEST(CaptureArea, PlacementLessItsCaptionRows) {
  EXPECT_EQ(CaptureAreaOf(100, 50, 740, 530), (CaptureArea{100, 74, 640, 456}));
  // Partly off the screen is still a window.
  EXPECT_EQ(CaptureAreaOf(-8, -8, 1288, 1008), (CaptureArea{-8, 16, 1296, 992}));
  EXPECT_EQ(CaptureAreaOf(0, 0, 1, 25), (CaptureArea{0, 24, 1, 1}));
}

TEST(CaptureArea, EmptyOrInvertedPlacementIsNoTarget) {
  EXPECT_FALSE(CaptureAreaOf(0, 0, 0, 0));
  EXPECT_FALSE(CaptureAreaOf(100, 50, 100, 530));  // no width
  EXPECT_FALSE(CaptureAreaOf(740, 50, 100, 530));  // right of its own left
  EXPECT_FALSE(CaptureAreaOf(100, 50, 740, 74));   // no room below the caption rows
  EXPECT_FALSE(CaptureAreaOf(100, 50, 740, 60));
  EXPECT_FALSE(CaptureAreaOf(100, 530, 740, 50));
}

TEST(CaptureArea, AbsurdPlacementIsNoTarget) {
  // Differences that overflow 32 bits must not wrap into a small positive size.
  EXPECT_FALSE(CaptureAreaOf(INT_MIN, 0, INT_MAX, 500));
  EXPECT_FALSE(CaptureAreaOf(0, INT_MIN, 500, INT_MAX));
  EXPECT_FALSE(CaptureAreaOf(INT_MAX, INT_MAX, INT_MIN, INT_MIN));
  EXPECT_FALSE(CaptureAreaOf(0, INT_MAX - 10, 500, INT_MAX));
  // One side too long, or too many pixels in all.
  EXPECT_FALSE(CaptureAreaOf(0, 0, kMaxCaptureSide + 1, 100));
  EXPECT_FALSE(CaptureAreaOf(0, 0, 100, kMaxCaptureSide + 25));
  EXPECT_FALSE(CaptureAreaOf(0, 0, 8192, 4096 + 25));
  // At the bounds: an 8K display's area, and the longest side.
  EXPECT_TRUE(CaptureAreaOf(0, 0, 7680, 4320 + 24));
  EXPECT_TRUE(CaptureAreaOf(0, 0, 8192, 4096 + 24));
  EXPECT_TRUE(CaptureAreaOf(0, 0, kMaxCaptureSide, 24 + 1024));
}

TEST(CaptureFile, BesideTheExecutable) {
  EXPECT_EQ(CaptureFilePath("C:\\Program Files\\Tessaly\\tessaly.exe"), "C:\\Program Files\\Tessaly\\flcapture.bmp");
  EXPECT_EQ(CaptureFilePath("C:\\tessaly.exe"), "C:\\flcapture.bmp");
  EXPECT_EQ(CaptureFilePath("tessaly.exe"), "flcapture.bmp");
}

}  // namespace
}  // namespace tessaly

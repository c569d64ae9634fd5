// How large the picture is shown in a window: the largest whole multiple of 800x600 that fits
// the desktop, and whether an output shows it at a whole multiple.
#include <gtest/gtest.h>

#include "platform/WindowScale.h"

TEST(WindowScaleTest, AWindowWithoutDecorationsTakesTheLargestMultipleTheWholeAreaHolds) {
  const WindowBorders none;
  EXPECT_EQ(LargestFittingWindowScale(1920, 1200, none), 2);  // 1600x1200, exactly the height
  EXPECT_EQ(LargestFittingWindowScale(3840, 2160, none), 3);  // 2400x1800: the height decides
  EXPECT_EQ(LargestFittingWindowScale(1600, 1200, none), 2);
  EXPECT_EQ(LargestFittingWindowScale(1599, 1200, none), 1);  // one column short of twice
  EXPECT_EQ(LargestFittingWindowScale(3200, 1199, none), 1);  // one row short of twice
  EXPECT_EQ(LargestFittingWindowScale(2560, 1440, none), 2);
  EXPECT_EQ(LargestFittingWindowScale(1024, 768, none), 1);
}

TEST(WindowScaleTest, TheDecorationsMustFitBesideTheClientArea) {
  // A title bar of 30 takes 1920x1200 below twice the picture's height.
  EXPECT_EQ(LargestFittingWindowScale(1920, 1200, {30, 0, 0, 0}), 1);
  // A panel already left out of the usable area (2560x1400), a title bar and thin side edges:
  // 2558x1366 still holds 1600x1200.
  EXPECT_EQ(LargestFittingWindowScale(2560, 1400, {30, 1, 4, 1}), 2);
  // Side edges count against the width: 1602 less 2 is exactly twice 800.
  EXPECT_EQ(LargestFittingWindowScale(1602, 1200, {0, 1, 0, 1}), 2);
  EXPECT_EQ(LargestFittingWindowScale(1601, 1200, {0, 1, 0, 1}), 1);
}

TEST(WindowScaleTest, ADesktopSmallerThanThePictureStillGetsItAtItsOwnSize) {
  EXPECT_EQ(LargestFittingWindowScale(800, 600, {30, 2, 2, 2}), 1);
  EXPECT_EQ(LargestFittingWindowScale(640, 480, {}), 1);
  EXPECT_EQ(LargestFittingWindowScale(0, 0, {}), 1);
}

TEST(WindowScaleTest, AVastDesktopStopsAtTheLargestScaleAPlayerMayAskFor) {
  // 15360x8640 would hold fourteen times the picture.
  EXPECT_EQ(LargestFittingWindowScale(15360, 8640, {}), kMaxWindowScale);
  EXPECT_EQ(LargestFittingWindowScale(7680, 4320, {}), 7);  // 4320 / 600 = 7.2
}

TEST(WindowScaleTest, WholeMultiplesAreToldFromFractionalStretches) {
  // Windows at their chosen multiple.
  EXPECT_TRUE(ShownAtWholeMultiple(800, 600));
  EXPECT_TRUE(ShownAtWholeMultiple(1600, 1200));
  EXPECT_TRUE(ShownAtWholeMultiple(2400, 1800));
  // Full screen, letterboxed: 1920x1200 shows 1600x1200 between bars, 1200x600 shows 800x600,
  // 1600x1300 shows 1600x1200 above and below a bar.
  EXPECT_TRUE(ShownAtWholeMultiple(1920, 1200));
  EXPECT_TRUE(ShownAtWholeMultiple(1200, 600));
  EXPECT_TRUE(ShownAtWholeMultiple(1600, 1300));
  // 1920x1080 stretches by 1.8, 1024x768 by 1.28, 3840x2160 by 3.6.
  EXPECT_FALSE(ShownAtWholeMultiple(1920, 1080));
  EXPECT_FALSE(ShownAtWholeMultiple(1024, 768));
  EXPECT_FALSE(ShownAtWholeMultiple(3840, 2160));
  // Shrunk: a half is no whole multiple.
  EXPECT_FALSE(ShownAtWholeMultiple(400, 300));
  EXPECT_FALSE(ShownAtWholeMultiple(799, 600));
}

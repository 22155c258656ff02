// Where the picture sits in windows of any size, and the start scale for a desktop.
#include <gtest/gtest.h>

#include "platform/Scaling.h"

using platform::LayoutPicture;
using platform::ScaleMode;

TEST(Scaling, IntegerModeTakesTheLargestWholeScaleAndCentresItWithBars) {
  // 1920 x 1080: 2x (1280 x 960), bars of 320 left and right, 60 above and below.
  auto l = LayoutPicture(1920, 1080, ScaleMode::Integer);
  EXPECT_EQ(l.scale, 2);
  EXPECT_TRUE(l.exact);
  EXPECT_EQ(l.image.left, 320);
  EXPECT_EQ(l.image.top, 60);
  EXPECT_EQ(l.image.Width(), 1280);
  EXPECT_EQ(l.image.Height(), 960);
  // Odd sizes: one pixel short of 3x stays 2x, and an odd bar puts the extra pixel after.
  l = LayoutPicture(1919, 1441, ScaleMode::Integer);
  EXPECT_EQ(l.scale, 2);
  EXPECT_EQ(l.image.left, 319);
  EXPECT_EQ(l.image.top, 240);
  EXPECT_EQ(l.image.right, 1599);
}

TEST(Scaling, AWindowSmallerThanThePictureShrinksItKeepingFourToThree) {
  auto l = LayoutPicture(400, 500, ScaleMode::Integer);
  EXPECT_EQ(l.scale, 1);
  EXPECT_FALSE(l.exact);
  EXPECT_EQ(l.image.Width(), 400);
  EXPECT_EQ(l.image.Height(), 300);
  EXPECT_EQ(l.image.top, 100);
}

TEST(Scaling, FillModeFillsTheWindowAtFourToThree) {
  auto l = LayoutPicture(1920, 1080, ScaleMode::Fill);
  EXPECT_EQ(l.image.Width(), 1440);
  EXPECT_EQ(l.image.Height(), 1080);
  EXPECT_EQ(l.image.left, 240);
  EXPECT_EQ(l.scale, 2);  // whole blocks first, smoothed from there
  EXPECT_FALSE(l.exact);
  EXPECT_TRUE(LayoutPicture(1280, 960, ScaleMode::Fill).exact);
}

TEST(Scaling, StartScaleLeavesRoomForTheFrameAndPanels) {
  EXPECT_EQ(platform::StartScale(1920, 1080), 2);
  EXPECT_EQ(platform::StartScale(3840, 2160), 4);
  EXPECT_EQ(platform::StartScale(1366, 768), 1);
  EXPECT_EQ(platform::StartScale(800, 600), 1);  // never below 1
}

// Where the picture sits in windows of any size, and the start scale for a desktop.
#include <gtest/gtest.h>

#include <utility>

#include "platform/Scaling.h"

using platform::LayoutPicture;
using platform::ScaleMode;

TEST(Scaling, IntegerModeTakesTheLargestWholeScaleAndCentresItUnderTheStrip) {
  // 1920 x 1080: 2x (1280 x 960) under the strip's 40 rows, bars of 320 left and right and
  // 40 above and below.
  auto l = LayoutPicture(1920, 1080, ScaleMode::Integer);
  EXPECT_EQ(l.scale, 2);
  EXPECT_EQ(l.uiScale, 2);
  EXPECT_TRUE(l.exact);
  EXPECT_EQ(l.image.left, 320);
  EXPECT_EQ(l.image.top, 80);
  EXPECT_EQ(l.image.Width(), 1280);
  EXPECT_EQ(l.image.Height(), 960);
  // The window of the scale fits exactly; one pixel short of 3x stays 2x, and an odd bar
  // puts the extra pixel after.
  l = LayoutPicture(1280, 1000, ScaleMode::Integer);
  EXPECT_EQ(l.image.top, 40);
  EXPECT_EQ(l.image.bottom, 1000);
  l = LayoutPicture(1919, 1441, ScaleMode::Integer);
  EXPECT_EQ(l.scale, 2);
  EXPECT_EQ(l.image.left, 319);
  EXPECT_EQ(l.image.top, 260);
  EXPECT_EQ(l.image.right, 1599);
}

TEST(Scaling, NoRowOfThePictureLiesUnderTheStrip) {
  for (ScaleMode mode : {ScaleMode::Integer, ScaleMode::Fill})
    for (auto [w, h] : {std::pair{640, 500},
                        {1280, 1000},
                        {1920, 1080},
                        {1500, 1100},
                        {3840, 2160},
                        {2560, 1440},
                        {1920, 980},
                        {400, 300},
                        {700, 2000}}) {
      const auto l = LayoutPicture(w, h, mode);
      EXPECT_GE(l.image.top, platform::kStripHeight * l.uiScale) << w << " x " << h;
      EXPECT_LE(l.image.bottom, h) << w << " x " << h;
      EXPECT_GT(l.image.Height(), 0) << w << " x " << h;
    }
}

TEST(Scaling, AWindowSmallerThanThePictureShrinksItKeepingFourToThree) {
  auto l = LayoutPicture(400, 500, ScaleMode::Integer);
  EXPECT_EQ(l.scale, 1);
  EXPECT_FALSE(l.exact);
  EXPECT_EQ(l.image.Width(), 400);
  EXPECT_EQ(l.image.Height(), 300);
  EXPECT_EQ(l.image.top, 110);
}

TEST(Scaling, FillModeFillsTheRoomUnderTheStripAtFourToThree) {
  auto l = LayoutPicture(1920, 1080, ScaleMode::Fill);
  EXPECT_EQ(l.image.Width(), 1386);
  EXPECT_EQ(l.image.Height(), 1039);
  EXPECT_EQ(l.image.left, 267);
  EXPECT_EQ(l.image.top, 40);
  EXPECT_EQ(l.scale, 2);  // whole blocks first, smoothed from there
  EXPECT_FALSE(l.exact);
  EXPECT_TRUE(LayoutPicture(1280, 1000, ScaleMode::Fill).exact);
}

TEST(Scaling, StartScaleLeavesRoomForTheFrameAndPanels) {
  EXPECT_EQ(platform::StartScale(1920, 1080), 2);
  EXPECT_EQ(platform::StartScale(3840, 2160), 4);
  EXPECT_EQ(platform::StartScale(1366, 768), 1);
  EXPECT_EQ(platform::StartScale(800, 600), 1);  // never below 1
}

// Picture fields: the picture is the background; loading another picture resizes the field.
#include <gtest/gtest.h>

#include "field/Fieldbmp.h"
#include "platform/Pictures.h"
#include "support/Headless.h"

namespace {

TEST(PictureField, LoadingAnotherPictureResizesAndStartsClean) {
  testing_support::HeadlessPlatform headless;
  // Two built-in pictures of different sizes.
  std::string big, small;
  for (const auto& p : platform::ListPictures()) {
    if (big.empty() && p.width == 640 && p.height == 400) big = p.name;
    if (small.empty() && p.width == 256 && p.height == 256) small = p.name;
  }
  ASSERT_FALSE(big.empty());
  ASSERT_FALSE(small.empty());

  platform::Bitmap screen(640, 480, platform::Rgb(7, 7, 7));
  LFieldBMP field(screen.GetCanvas(), big);
  EXPECT_EQ(field.GetWidth(), 640);
  EXPECT_EQ(field.GetHeight(), 400);
  EXPECT_EQ(screen.Pixel(100, 100), platform::Rgb(7, 7, 7));  // loading draws nothing

  field.RedrawAll();
  EXPECT_EQ(screen.Pixel(100, 100), field.GetPicture().Pixel(100, 100));
  EXPECT_EQ(screen.Pixel(639, 399), field.GetPicture().Pixel(639, 399));

  // Drawing on the picture shows once its cells are invalidated and flushed.
  field.PictureCanvas().SetPixel(200, 150, platform::Rgb(1, 2, 3));
  field.Flush();
  EXPECT_NE(screen.Pixel(200, 150), platform::Rgb(1, 2, 3));
  field.Invalidate(200, 150, 201, 151);
  field.Flush();
  EXPECT_EQ(screen.Pixel(200, 150), platform::Rgb(1, 2, 3));

  field.Invalidate(0, 0, 640, 400);
  field.LoadPicture(small);
  EXPECT_EQ(field.GetWidth(), 256);
  EXPECT_EQ(field.GetHeight(), 256);
  for (int cy = 0; cy < 50; ++cy)
    for (int cx = 0; cx < 80; ++cx) ASSERT_FALSE(field.IsDirty(cx, cy));
  field.SetOrigin(12, 12);
  field.RedrawAll();
  EXPECT_EQ(screen.Pixel(12 + 255, 12 + 255), field.GetPicture().Pixel(255, 255));
}

}  // namespace

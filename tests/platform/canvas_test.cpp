// Canvas operations: the masked drawing every sprite relies on, fills, clipping.
#include <gtest/gtest.h>

#include "platform/Bitmap.h"

using platform::Bitmap;
using platform::CopyMode;
using platform::Rgb;

TEST(Canvas, MaskThenPictureKeepsBackgroundWhereMaskIsWhite) {
  Bitmap screen(8, 1, Rgb(10, 200, 30));
  Bitmap mask(8, 1, platform::kWhite), picture(8, 1, platform::kBlack);
  for (int x = 2; x < 6; ++x) {
    mask.GetCanvas().SetPixel(x, 0, platform::kBlack);
    picture.GetCanvas().SetPixel(x, 0, Rgb(255, 0, 128));
  }
  auto& c = screen.GetCanvas();
  c.copyMode = CopyMode::And;
  c.CopyRect({0, 0, 8, 1}, mask, {0, 0, 8, 1});
  c.copyMode = CopyMode::Or;
  c.CopyRect({0, 0, 8, 1}, picture, {0, 0, 8, 1});
  for (int x = 0; x < 8; ++x) {
    bool opaque = x >= 2 && x < 6;
    EXPECT_EQ(screen.Pixel(x, 0), opaque ? Rgb(255, 0, 128) : Rgb(10, 200, 30)) << "x " << x;
  }
}

TEST(Canvas, CopiesAreClippedAtEveryEdge) {
  Bitmap dst(4, 4, platform::kBlack), src(4, 4, platform::kWhite);
  auto& c = dst.GetCanvas();
  c.CopyRect({-2, -2, 2, 2}, src, {0, 0, 4, 4});  // only the top-left 2x2 lands
  c.CopyRect({3, 3, 7, 7}, src, {0, 0, 4, 4});    // only (3,3)
  c.CopyRect({0, 3, 2, 4}, src, {3, 3, 5, 5});    // source runs out after one pixel
  int white = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) white += dst.Pixel(x, y) == platform::kWhite;
  EXPECT_EQ(white, 4 + 1 + 1);
  EXPECT_EQ(dst.Pixel(0, 3), platform::kWhite);
  EXPECT_EQ(dst.Pixel(1, 3), platform::kBlack);
}

TEST(Canvas, PatternBrushRepeatsFromTheCanvasOrigin) {
  Bitmap tile(8, 8, platform::kBlack);
  tile.GetCanvas().SetPixel(0, 0, platform::kWhite);
  Bitmap dst(24, 24, Rgb(1, 2, 3));
  auto& c = dst.GetCanvas();
  c.brush.pattern = &tile;
  c.FillRect({3, 3, 20, 20});
  EXPECT_EQ(dst.Pixel(8, 8), platform::kWhite);    // tile origin, not rectangle origin
  EXPECT_EQ(dst.Pixel(16, 16), platform::kWhite);
  EXPECT_EQ(dst.Pixel(3, 3), platform::kBlack);
  EXPECT_EQ(dst.Pixel(2, 2), Rgb(1, 2, 3));        // outside the rectangle
  EXPECT_EQ(dst.Pixel(20, 20), Rgb(1, 2, 3));      // right and bottom are exclusive
}

TEST(Canvas, TransparentDrawSkipsOnlyTheKeyColour) {
  Bitmap dst(3, 1, Rgb(9, 9, 9)), src(3, 1, Rgb(0, 255, 0));
  src.GetCanvas().SetPixel(1, 0, Rgb(7, 7, 7));
  dst.GetCanvas().DrawTransparent(0, 0, src, Rgb(0, 255, 0));
  EXPECT_EQ(dst.Pixel(0, 0), Rgb(9, 9, 9));
  EXPECT_EQ(dst.Pixel(1, 0), Rgb(7, 7, 7));
}

TEST(Canvas, OverlappingCopyWithinOneBitmapUsesTheOldPixels) {
  Bitmap b(4, 1, platform::kBlack);
  for (int x = 0; x < 4; ++x) b.GetCanvas().SetPixel(x, 0, Rgb(x, 0, 0));
  b.GetCanvas().CopyRect({1, 0, 4, 1}, b, {0, 0, 3, 1});
  EXPECT_EQ(b.Pixel(1, 0), Rgb(0, 0, 0));
  EXPECT_EQ(b.Pixel(2, 0), Rgb(1, 0, 0));
  EXPECT_EQ(b.Pixel(3, 0), Rgb(2, 0, 0));
}

TEST(Canvas, OpaqueTextFillsItsCellTransparentTextDoesNot) {
  Bitmap opaque(200, 40, Rgb(50, 50, 50)), clear(200, 40, Rgb(50, 50, 50));
  for (Bitmap* b : {&opaque, &clear}) {
    auto& c = b->GetCanvas();
    c.font = platform::Font{"ＭＳ ゴシック", 14, platform::kWhite, true};
    c.brush.color = Rgb(0, 0, 200);
    c.brush.style = b == &opaque ? platform::BrushStyle::Solid : platform::BrushStyle::Clear;
    c.TextOut(4, 4, "ＳＣＯＲＥ 12");
  }
  EXPECT_GT(opaque.GetCanvas().TextWidth("ＳＣＯＲＥ 12"), 50);
  EXPECT_EQ(opaque.Pixel(5, 5), Rgb(0, 0, 200));
  EXPECT_EQ(clear.Pixel(5, 5), Rgb(50, 50, 50));
  int lit = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 200; ++x) lit += clear.Pixel(x, y) != Rgb(50, 50, 50);
  EXPECT_GT(lit, 40) << "the text was not drawn";
}

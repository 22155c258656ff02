// Canvas operations: the masked drawing every sprite relies on, fills, clipping.
#include <gtest/gtest.h>

#include <algorithm>

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

// Whole 8 x 8 cells and pictures through masks take paths of their own: each agrees pixel for
// pixel with the plain rule, inside larger pictures and where it has to be clipped.
TEST(Canvas, CellAndMaskedCopiesFollowThePixelRule) {
  auto noise = [](int w, int h, uint32_t seed) {
    Bitmap b(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        b.GetCanvas().SetPixel(x, y, (seed * static_cast<uint32_t>(x * 131 + y * 7 + 1)) >> 8);
    return b;
  };
  const Bitmap sheet = noise(24, 20, 2654435761u), mask = noise(24, 20, 40503u), background = noise(20, 16, 97u);
  auto check = [&](const Bitmap& dst, platform::Rect at, auto expected) {
    for (int y = 0; y < dst.Height(); ++y)
      for (int x = 0; x < dst.Width(); ++x) {
        const bool in = x >= at.left && x < at.right && y >= at.top && y < at.bottom;
        ASSERT_EQ(dst.Pixel(x, y), in ? expected(x, y) : background.Pixel(x, y)) << x << "," << y;
      }
  };
  for (CopyMode mode : {CopyMode::Copy, CopyMode::And, CopyMode::Or}) {
    Bitmap dst = background;
    dst.GetCanvas().copyMode = mode;
    dst.GetCanvas().CopyRect({5, 3, 13, 11}, sheet, {9, 7, 17, 15});
    check(dst, {5, 3, 13, 11}, [&](int x, int y) {
      const platform::Color d = background.Pixel(x, y), s = sheet.Pixel(x + 4, y + 4);
      return mode == CopyMode::Copy ? s : mode == CopyMode::And ? (d & s) : (d | s);
    });
  }
  // A whole cell, part of one, and one running off the target's right and bottom edges.
  for (platform::Rect at : {platform::Rect{5, 3, 13, 11}, platform::Rect{4, 2, 9, 8}, platform::Rect{15, 10, 23, 18}}) {
    Bitmap dst = background;
    dst.GetCanvas().CopyMasked(at, mask, {at.left - 3, at.top + 1, at.right - 3, at.bottom + 1}, sheet,
                               {at.left + 1, at.top + 2, at.right + 1, at.bottom + 2});
    check(dst, {at.left, at.top, std::min(at.right, 20), std::min(at.bottom, 16)}, [&](int x, int y) {
      return (background.Pixel(x, y) & mask.Pixel(x - 3, y + 1)) | sheet.Pixel(x + 1, y + 2);
    });
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
  EXPECT_EQ(dst.Pixel(8, 8), platform::kWhite);  // tile origin, not rectangle origin
  EXPECT_EQ(dst.Pixel(16, 16), platform::kWhite);
  EXPECT_EQ(dst.Pixel(3, 3), platform::kBlack);
  EXPECT_EQ(dst.Pixel(2, 2), Rgb(1, 2, 3));    // outside the rectangle
  EXPECT_EQ(dst.Pixel(20, 20), Rgb(1, 2, 3));  // right and bottom are exclusive
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

// The parts of the battle screen fit together: frame, clock digits, icons, marks, chips.
#include <gtest/gtest.h>

#include "PictureFile.h"

namespace {

const Picture& Char2() {
  static Picture p = Picture::Load("char2");
  return p;
}

bool Same(const Picture& p, Region a, Region b) {
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x)
      if (!(p.At(a.x + x, a.y + y) == p.At(b.x + x, b.y + y))) return false;
  return true;
}

int Brightness(Pixel c) { return (c.r * 3 + c.g * 6 + c.b) / 10; }

constexpr int kFrameTop = 672;  // the battle frame inside char2

// Names and scores are printed on black backgrounds: the frame must be dark behind them.
TEST(BattleParts, FrameIsDarkWhereNamesAndScoresArePrinted) {
  const Picture& p = Char2();
  ASSERT_TRUE(p.ok());
  Region dark[] = {{75, 64, 190, 18},
                   {374, 64, 189, 18},  // names
                   {170, 20, 74, 36},
                   {382, 20, 74, 36}};  // "SCORE" labels and scores
  for (Region r : dark)
    for (int y = r.y; y < r.y + r.h; ++y)
      for (int x = r.x; x < r.x + r.w; ++x)
        ASSERT_LT(Brightness(p.At(x, kFrameTop + y)), 24) << "frame at " << x << "," << y;
}

// The round-won mark is copied over the frame's empty socket: same surroundings, new middle.
TEST(BattleParts, RoundMarkFitsTheFrameSockets) {
  const Picture& p = Char2();
  for (int sx : {80, 112, 528, 496}) {
    Region socket{sx, kFrameTop + 24, 32, 32}, mark{320, 64, 32, 32};
    EXPECT_FALSE(Same(p, socket, mark)) << "socket at " << sx << " already looks won";
    for (auto [cx, cy] : {std::pair{0, 0}, std::pair{31, 0}, std::pair{0, 31}, std::pair{31, 31}})
      EXPECT_EQ(p.At(sx + cx, kFrameTop + 24 + cy), p.At(320 + cx, 64 + cy)) << "socket corner at " << sx;
  }
}

// Clock digits share the clock window's background and are told apart from one another.
TEST(BattleParts, ClockDigitsAreDistinctOnOneBackground) {
  const Picture& p = Char2();
  for (int set = 0; set < 2; ++set) {
    Pixel corner = p.At(256, 96 + 144 * set);
    for (int a = 0; a < 10; ++a) {
      Region ra{256 + 48 * (a % 5), 96 + 144 * set + 72 * (a / 5), 48, 72};
      EXPECT_EQ(p.At(ra.x, ra.y), corner);
      EXPECT_EQ(p.At(ra.x + 47, ra.y + 71), corner);
      for (int b = a + 1; b < 10; ++b) {
        Region rb{256 + 48 * (b % 5), 96 + 144 * set + 72 * (b / 5), 48, 72};
        EXPECT_FALSE(Same(p, ra, rb)) << "set " << set << " digits " << a << " and " << b;
      }
    }
  }
}

TEST(BattleParts, FangIconsChipsAndGaugeTilesAreDistinct) {
  const Picture& p = Char2();
  for (int a = 0; a < 8; ++a)
    for (int b = a + 1; b < 8; ++b)
      EXPECT_FALSE(
          Same(p, {256 + 64 * (a % 5), 384 + 64 * (a / 5), 64, 64}, {256 + 64 * (b % 5), 384 + 64 * (b / 5), 64, 64}))
          << "fang icons " << a << " and " << b;
  // owners: the hero at 256, computer characters at 272 + 16 id
  for (int a = 0; a <= 20; ++a)
    for (int b = a + 1; b <= 20; ++b) {
      int xa = 256 + 16 * a, xb = 256 + 16 * b;
      EXPECT_FALSE(Same(p, {xa, 0, 16, 16}, {xb, 0, 16, 16})) << "chips at " << xa << " and " << xb;
      EXPECT_FALSE(Same(p, {xa, 40, 8, 8}, {xb, 40, 8, 8})) << "gauge tiles at " << xa << " and " << xb;
    }
  // the four arena chips differ, so the maps can draw patterns with them
  for (int a = 0; a < 4; ++a)
    for (int b = a + 1; b < 4; ++b) EXPECT_FALSE(Same(p, {448 + 16 * a, 448, 16, 16}, {448 + 16 * b, 448, 16, 16}));
}

// The right player's versus cursor is drawn through the hero's fang silhouettes.
TEST(BattleParts, RightCursorFitsTheHeroFangMask) {
  const Picture& p = Char2();
  Picture m = Picture::Load("mask2");
  ASSERT_TRUE(m.ok());
  long opaque = 0;
  for (int f = 0; f < 2; ++f)
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        Pixel mk = m.At(64 + 32 * f + x, y), c = p.At(416 + 32 * f + x, 64 + y);
        if (mk.White())
          ASSERT_TRUE(c.Black()) << "cursor frame " << f << " at " << x << "," << y;
        else if (!c.Black())
          ++opaque;
      }
  EXPECT_GT(opaque, 100);
}

}  // namespace

// The battle screen's panel: the gauge's tug of war and when it ends a round, fang icons,
// round-won marks, scores and names, read back from the canvas.
#include <gtest/gtest.h>

#include "actors/Manplayer.h"
#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "support/Headless.h"

namespace {

using platform::Bitmap;
using platform::Rgb;

platform::Color TileColor(int k) { return Rgb(100 + k, 50, 50); }

struct Panel : ::testing::Test {
  testing_support::HeadlessPlatform headless;
  Bitmap screen{640, 480, Rgb(3, 3, 3)};
  Bitmap savedIcons = FangIcons, savedSheet = SpriteSheet;
  LFieldXChip stage{screen.GetCanvas(), 16};
  ManPlayer* p[2];

  void SetUp() override {
    for (int k = 0; k < 6; ++k) GaugeTiles[k].SetSize(8, 8, TileColor(k));
    FangIcons.SetSize(320, 128);
    for (int n = 0; n < 10; ++n) {
      FangIcons.GetCanvas().brush = platform::Brush{Rgb(n, 200, 0)};
      FangIcons.GetCanvas().FillRect({64 * (n % 5), 64 * (n / 5), 64 * (n % 5) + 64, 64 * (n / 5) + 64});
    }
    SpriteSheet.SetSize(640, 1152, Rgb(20, 20, 20));
    SpriteSheet.GetCanvas().brush = platform::Brush{Rgb(250, 0, 250)};
    SpriteSheet.GetCanvas().FillRect({320, 64, 352, 96});
    for (int i = 0; i < 2; ++i) {
      p[i] = new ManPlayer(&stage, &SpriteSheet, nullptr, {0, 0, 32, 32});
      p[i]->playerIndex = i;
      Fighters[i] = p[i];
    }
    RoundOver = 0;
  }
  void TearDown() override {
    Fighters[0] = Fighters[1] = nullptr;
    p[0]->Release();
    p[1]->Release();
    FangIcons = savedIcons;
    SpriteSheet = savedSheet;
    RoundOver = 0;
  }
  // Where the left fighter's tiles end on gauge band k.
  int LeftEnd(int k) const {
    int x = 40;
    while (x < 600 && screen.Pixel(x, 96 + 8 * k) == TileColor(k)) ++x;
    return x;
  }
  void Gauge(int leftEnergy, int rightEnergy) {
    p[0]->energy = leftEnergy;
    p[1]->energy = rightEnergy;
    screen.GetCanvas().brush = platform::Brush{Rgb(3, 3, 3)};
    screen.GetCanvas().FillRect({0, 0, 640, 480});
    PaintGauge(screen.GetCanvas());
  }
};

TEST_F(Panel, GaugeSaturatesAtExactly280AndEndsTheRoundOnlyPastIt) {
  Gauge(0, 0);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(LeftEnd(k), 320);
    EXPECT_EQ(screen.Pixel(320, 96 + 8 * k), TileColor(3 + k));
    EXPECT_EQ(screen.Pixel(599, 96 + 8 * k), TileColor(3 + k));
  }
  EXPECT_EQ(screen.Pixel(600, 100), Rgb(3, 3, 3));
  EXPECT_EQ(screen.Pixel(39, 100), Rgb(3, 3, 3));
  EXPECT_EQ(screen.Pixel(100, 120), Rgb(3, 3, 3));

  Gauge(1123, 0);  // a quarter of 280: full, the round goes on
  EXPECT_EQ(LeftEnd(0), 600);
  EXPECT_EQ(RoundOver, 0);
  Gauge(1124, 0);  // 281: clamped, and the round is over
  EXPECT_EQ(LeftEnd(2), 600);
  EXPECT_EQ(RoundOver, 1);
  Gauge(0, 0);  // once over, the gauge is left alone
  EXPECT_EQ(screen.Pixel(300, 100), Rgb(3, 3, 3));

  RoundOver = 0;
  Gauge(0, 1120);  // -280: all the right fighter's
  EXPECT_EQ(LeftEnd(1), 40);
  EXPECT_EQ(screen.Pixel(40, 104), TileColor(4));
  EXPECT_EQ(RoundOver, 0);
  Gauge(0, 1121);  // -1121 >> 2 = -281
  EXPECT_EQ(RoundOver, 1);
  EXPECT_EQ(screen.Pixel(40, 104), TileColor(4));
  RoundOver = 0;
  Gauge(-3, 0);  // rounds toward minus infinity: -1
  EXPECT_EQ(LeftEnd(0), 319);
}

TEST_F(Panel, IconsMarksScoresAndNames) {
  auto icon = [&](int i) { return static_cast<int>(screen.Pixel(i == 0 ? 8 + 32 : 568 + 32, 24 + 32) >> 16); };
  p[0]->loadedFang = -1;
  p[1]->loadedFang = 7;
  PaintFangIcon(0, screen.GetCanvas());
  PaintFangIcon(1, screen.GetCanvas());
  EXPECT_EQ(icon(0), 0);
  EXPECT_EQ(icon(1), 7);  // row 1, column 2
  p[0]->loadedFang = 13;  // taken modulo 8
  PaintFangIcon(0, screen.GetCanvas());
  EXPECT_EQ(icon(0), 5);

  p[0]->roundsWon = 2;
  p[1]->roundsWon = 1;
  PaintWinMarks(screen.GetCanvas());
  const platform::Color mark = Rgb(250, 0, 250);
  EXPECT_EQ(screen.Pixel(80, 24), mark);
  EXPECT_EQ(screen.Pixel(112 + 31, 24 + 31), mark);
  EXPECT_EQ(screen.Pixel(528, 24), mark);
  EXPECT_NE(screen.Pixel(496, 24), mark);
  EXPECT_NE(screen.Pixel(79, 24), mark);

  // Scores end at x 243 + 1 for the left fighter and 455 + 1 for the right one.
  screen.GetCanvas().brush = platform::Brush{Rgb(3, 3, 3)};
  screen.GetCanvas().FillRect({0, 0, 640, 480});
  p[0]->score = 123;
  p[1]->score = 0;
  PaintScore(0, screen.GetCanvas());
  PaintScore(1, screen.GetCanvas());
  auto litColumns = [&](int x0, int x1, int y0, int y1, int& first, int& last) {
    first = last = -1;
    for (int x = x0; x < x1; ++x)
      for (int y = y0; y < y1; ++y)
        if (screen.Pixel(x, y) != Rgb(3, 3, 3) && screen.Pixel(x, y) != platform::kBlack) {
          if (first < 0) first = x;
          last = x;
        }
  };
  int first, last;
  litColumns(100, 300, 41, 62, first, last);
  EXPECT_LE(last, 244);
  EXPECT_GT(last, 236);
  EXPECT_LT(first, 244 - 3 * 8);  // four digits: "1230"
  litColumns(300, 640, 41, 62, first, last);
  EXPECT_LE(last, 456);
  EXPECT_GT(first, 456 - 12);  // one digit: "0"

  // Names are centred in their 196-pixel boxes.
  PaintPlayerName(1, "ブラムコー", screen.GetCanvas());
  litColumns(369, 565, 64, 90, first, last);
  ASSERT_GT(first, 0);
  EXPECT_NEAR((first + last) / 2, 369 + 98, 3);
}

TEST_F(Panel, AScoreHasNoInkLeftOfWhereItsDigitsBegin) {
  // Digits are placed one pixel into the box of the digit right of them, so every digit but
  // the first loses its first column; the first one's must not stand out beside the score.
  platform::Canvas& c = screen.GetCanvas();
  c.font = platform::Font{"ＭＳ ゴシック", 14, platform::kWhite, true};
  const int w = c.TextWidth("0");
  ASSERT_GT(w, 4);
  for (int d = 1; d <= 9; ++d) {
    // "d000": the first digit's box starts here; its second column is the first with ink.
    const int firstInk = 243 + 1 - 3 * w + 3 - c.TextWidth(std::to_string(d)) + 1;
    c.brush = platform::Brush{Rgb(3, 3, 3)};
    c.FillRect({0, 0, 640, 480});
    p[0]->score = d * 100;
    PaintScore(0, c);
    for (int x = firstInk - 8; x < firstInk; ++x)
      for (int y = 30; y < 70; ++y) {
        const platform::Color px = screen.Pixel(x, y);
        ASSERT_TRUE(px == Rgb(3, 3, 3) || px == platform::kBlack) << d << "000: ink at " << x << "," << y;
      }
  }
}

TEST_F(Panel, TheWholeScreenNeedsBothFighters) {
  Fighters[1] = nullptr;
  PaintBattleScreen(screen.GetCanvas());
  EXPECT_EQ(screen.Pixel(320, 240), Rgb(3, 3, 3));
  Fighters[1] = p[1];
  PaintBattleScreen(screen.GetCanvas());
  EXPECT_EQ(screen.Pixel(320, 240), Rgb(20, 20, 20));  // the battle frame picture
  EXPECT_EQ(screen.Pixel(300, 100), TileColor(0));     // and the gauge over it
}

}  // namespace

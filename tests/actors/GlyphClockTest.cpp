// Display glyphs and the round clock, read back from the canvas.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"

namespace {

using platform::Bitmap;
using platform::Rgb;

const platform::Color kGrey = Rgb(90, 90, 90);

platform::Color GlyphColor(int n) { return Rgb(n + 1, 100, 200); }

// Every glyph cell: a coloured 16 x 16 square in its middle, transparent around it.
struct Glyphs : ::testing::Test {
  Bitmap screen{640, 480, kGrey};
  Bitmap savedSheet = GlyphSheet, savedMask = GlyphMask;
  void SetUp() override {
    GlyphSheet.SetSize(256, 192, platform::kBlack);
    GlyphMask.SetSize(256, 192, platform::kWhite);
    for (int n = 0; n < 48; ++n) {
      const int x = 32 * (n % 8) + 8, y = 32 * (n / 8) + 8;
      GlyphSheet.GetCanvas().brush = platform::Brush{GlyphColor(n)};
      GlyphSheet.GetCanvas().FillRect({x, y, x + 16, y + 16});
      GlyphMask.GetCanvas().brush = platform::Brush{platform::kBlack};
      GlyphMask.GetCanvas().FillRect({x, y, x + 16, y + 16});
    }
  }
  void TearDown() override {
    GlyphSheet = savedSheet;
    GlyphMask = savedMask;
  }
  // The glyph drawn in the 32 x 32 cell at (x, y), -1 when the cell shows only background.
  int GlyphAt(int x, int y) const {
    if (screen.Pixel(x + 2, y + 2) != kGrey) return -2;  // the transparent part must show through
    const platform::Color c = screen.Pixel(x + 12, y + 12);
    if (c == kGrey) return -1;
    for (int n = 0; n < 48; ++n)
      if (c == GlyphColor(n)) return n;
    return -3;
  }
};

TEST_F(Glyphs, CommasAddHalfASpaceBetweenLetters) {
  PaintGlyphText(184, 100, "w,i,n,n,e,r", screen.GetCanvas());
  const int expected[6][2] = {{184, 22}, {232, 8}, {280, 13}, {328, 13}, {376, 4}, {424, 17}};
  for (const auto& e : expected) EXPECT_EQ(GlyphAt(e[0], 100), e[1]) << e[0];
  EXPECT_EQ(GlyphAt(456, 100), -1);  // the text ends at 456
  EXPECT_EQ(GlyphAt(152, 100), -1);
  EXPECT_EQ(screen.GetCanvas().copyMode, platform::CopyMode::Copy);
}

TEST_F(Glyphs, EveryGlyphCharacterAndTheBytesWithoutOne) {
  // Upper and lower case share glyphs; a blank and unknown bytes only move the pen.
  const std::string text = std::string("aZ!?09%.<>@") + static_cast<char>(0xA5) + "$- #";
  PaintGlyphText(0, 0, text, screen.GetCanvas());
  const int expected[] = {0, 25, 26, 27, 28, 37, 38, 39, 40, 41, 42, 43, 44, 45, -1, -1};
  for (int i = 0; i < 16; ++i) {
    const int x = 32 * i;
    if (x + 32 > 640) break;
    EXPECT_EQ(GlyphAt(x, 0), expected[i]) << i;
  }
  // The middle dot is byte 0xA5 of the Shift-JIS text "･".
  EXPECT_EQ(platform::Utf8ToSjis("･"), std::string(1, static_cast<char>(0xA5)));
}

TEST_F(Glyphs, NumbersGrowLeftFromTheirLastDigit) {
  PaintGlyphNumber(320, 200, 0, screen.GetCanvas());
  EXPECT_EQ(GlyphAt(320, 200), 28);
  EXPECT_EQ(GlyphAt(288, 200), -1);
  PaintGlyphNumber(320, 300, 1203, screen.GetCanvas());
  EXPECT_EQ(GlyphAt(320, 300), 31);
  EXPECT_EQ(GlyphAt(288, 300), 28);
  EXPECT_EQ(GlyphAt(256, 300), 30);
  EXPECT_EQ(GlyphAt(224, 300), 29);
  EXPECT_EQ(GlyphAt(192, 300), -1);
}

TEST(Clock, TheLastTenSecondsUseTheSecondDigitSet) {
  Bitmap screen(640, 480);
  const Bitmap saved = ClockDigits;
  const int savedClock = RoundClock;
  // Cell (column, block row) of the digit sheet gets its own colour.
  ClockDigits.SetSize(240, 288);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 5; ++c) {
      ClockDigits.GetCanvas().brush = platform::Brush{Rgb(c, r, 50)};
      ClockDigits.GetCanvas().FillRect({48 * c, 72 * r, 48 * c + 48, 72 * r + 72});
    }
  auto shown = [&](int x) {
    const platform::Color p = screen.Pixel(x + 24, 16 + 36);
    EXPECT_EQ(screen.Pixel(x, 16), p);
    EXPECT_EQ(screen.Pixel(x + 47, 16 + 71), p);
    return std::make_pair(static_cast<int>(p >> 16 & 255), static_cast<int>(p >> 8 & 255));  // column, block row
  };
  using P = std::pair<int, int>;
  RoundClock = 57;
  PaintClock(screen.GetCanvas());
  EXPECT_EQ(shown(272), P(0, 1));  // 5: the lower row, column 0
  EXPECT_EQ(shown(320), P(2, 1));  // 7
  RoundClock = 10;
  PaintClock(screen.GetCanvas());
  EXPECT_EQ(shown(272), P(1, 0));
  EXPECT_EQ(shown(320), P(0, 0));
  RoundClock = 9;
  PaintClock(screen.GetCanvas());
  EXPECT_EQ(shown(272), P(0, 2));  // the second set starts 144 pixels down
  EXPECT_EQ(shown(320), P(4, 3));
  EXPECT_EQ(screen.Pixel(368, 16), platform::kBlack);
  ClockDigits = saved;
  RoundClock = savedClock;
}

}  // namespace

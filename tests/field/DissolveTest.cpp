// Block dissolves: every block exactly once, the block sizes, pacing, and DissolveIn.
#include <gtest/gtest.h>

#include <vector>

#include "field/FieldTestKit.h"
#include "shell/Game.h"

namespace {

using platform::Bitmap;
using platform::Rgb;

struct Visits {
  int blocks = 0, twice = 0, pumpSteps = 0;
  bool allOnce = true;
};

Visits CountVisits(int w, int h, bool paced) {
  const int b = DissolveBlockSize(w, h, paced);
  const int columns = (w + b - 1) / b, rows = (h + b - 1) / b;
  std::vector<int> seen(static_cast<size_t>(columns) * rows, 0);
  Visits v;
  ForEachDissolveBlock(w, h, paced, [&](int c, int r, int64_t p) {
    ++v.blocks;
    EXPECT_TRUE(c >= 0 && c < columns && r >= 0 && r < rows);
    if (++seen[static_cast<size_t>(r) * columns + c] > 1) ++v.twice;
    if ((p & 255) == 0) ++v.pumpSteps;
  });
  for (int s : seen) v.allOnce &= s == 1;
  return v;
}

TEST(Dissolve, VisitsEveryBlockExactlyOnceForTheGamesSizes) {
  struct Case {
    int w, h;
    bool paced;
    int block, blocks;
  } cases[] = {
      {640, 400, true, 8, 80 * 50},     // map and ending pictures
      {384, 256, true, 8, 48 * 32},     // above 65535 pixels
      {128, 128, true, 4, 32 * 32},     // small area: fine blocks
      {256, 256, true, 8, 32 * 32},     // 65536 pixels: just above the limit
      {555, 144, true, 8, 70 * 18},     // the closing overlay, uneven edges
      {592, 320, true, 8, 74 * 40},     // the arena
      {640, 480, false, 4, 160 * 120},  // unpaced always 4
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.w << "x" << c.h);
    const int b = DissolveBlockSize(c.w, c.h, c.paced);
    EXPECT_EQ(b, c.block);
    Visits v = CountVisits(c.w, c.h, c.paced);
    EXPECT_EQ(v.blocks, c.blocks);
    EXPECT_TRUE(v.allOnce);
    EXPECT_EQ(v.twice, 0);
  }
  EXPECT_EQ(DissolveBlockSize(255, 257, true), 4);  // 65535 pixels
  Visits none = CountVisits(0, 100, true);
  EXPECT_EQ(none.blocks, 0);
}

int pumps = 0;
void CountPump() { ++pumps; }

TEST(Dissolve, CopyAndFillCoverTheAreaAndPumpEvery256BlocksWhenPaced) {
  Bitmap source(640, 480), screen(640, 480, Rgb(9, 9, 9));
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) source.Row(y)[x] = Rgb(x & 255, y & 255, (x ^ y) & 255);
  void (*savedPump)() = PumpHook;
  PumpHook = CountPump;

  pumps = 0;
  BlockDissolveCopy(source.GetCanvas(), 16, 8, screen.GetCanvas(), 0, 80, 600, 400, true);
  const Visits v = CountVisits(600, 400, true);
  EXPECT_EQ(pumps, v.pumpSteps);
  EXPECT_GT(pumps, 0);
  for (int y = 0; y < 480; y += 7)
    for (int x = 0; x < 640; x += 5) {
      const bool inside = x < 600 && y >= 80 && y < 480;
      ASSERT_EQ(screen.Pixel(x, y), inside ? source.Pixel(x + 16, y - 80 + 8) : Rgb(9, 9, 9)) << x << "," << y;
    }

  pumps = 0;
  BlockDissolveFill(screen.GetCanvas(), 8, 8, 100, 60, false);
  EXPECT_EQ(pumps, 0);
  EXPECT_EQ(screen.Pixel(8, 8), platform::kBlack);
  EXPECT_EQ(screen.Pixel(107, 67), platform::kBlack);
  EXPECT_NE(screen.Pixel(7, 7), platform::kBlack);
  EXPECT_NE(screen.Pixel(108, 80), platform::kBlack);  // 100 is a whole number of 4-pixel blocks
  PumpHook = savedPump;
}

TEST(Dissolve, DissolveInShowsTheFieldAndKeepsItsOrigin) {
  Bitmap screen(640, 480, Rgb(9, 9, 9)), red(32, 32, Rgb(255, 0, 0));
  GridField field(screen.GetCanvas(), 384, 256);
  field.SetOrigin(12, 12);
  auto* s = new TestSprite(&field, &red, 32, 32);
  s->MoveTo(40, 40);
  field.DissolveIn();
  EXPECT_EQ(field.GetOriginX(), 12);
  EXPECT_EQ(field.GetOriginY(), 12);
  EXPECT_EQ(screen.Pixel(12, 12), CellColor(0, 0));
  EXPECT_EQ(screen.Pixel(12 + 383, 12 + 255), CellColor(47, 31));
  EXPECT_EQ(screen.Pixel(12 + 45, 12 + 45), Rgb(255, 0, 0));
  EXPECT_EQ(screen.Pixel(11, 11), Rgb(9, 9, 9));
  EXPECT_EQ(screen.Pixel(12 + 384, 12), Rgb(9, 9, 9));

  field.DissolveOut();
  EXPECT_EQ(screen.Pixel(12, 12), platform::kBlack);
  EXPECT_EQ(screen.Pixel(12 + 383, 12 + 255), platform::kBlack);
  EXPECT_EQ(screen.Pixel(11, 11), Rgb(9, 9, 9));
  s->Release();
}

}  // namespace

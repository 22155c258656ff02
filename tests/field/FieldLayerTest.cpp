// The dirty-cell engine: which cells a change marks, what a flush repaints, and in what
// order sprites are drawn and stepped.
#include <gtest/gtest.h>

#include <vector>

#include "field/FieldTestKit.h"

namespace {

using platform::Bitmap;
using platform::Rgb;

const platform::Color kRed = Rgb(255, 0, 0), kBlue = Rgb(0, 0, 255);

struct Layer : ::testing::Test {
  Bitmap screen{640, 480, Rgb(1, 2, 3)};
  Bitmap red{64, 64, kRed}, blue{64, 64, kBlue};
  GridField field{screen.GetCanvas(), 640, 400};
};

std::vector<int> DirtyColumns(const GridField& f, int row) {
  std::vector<int> out;
  for (int cx = 0; cx < 80; ++cx)
    if (f.IsDirty(cx, row)) out.push_back(cx);
  return out;
}

TEST_F(Layer, SpriteMarksOnlyTheCellsUnderItsOldAndNewRectangles) {
  auto* s = new TestSprite(&field, &red, 32, 32);
  s->MoveTo(8, 0);
  field.Flush();
  EXPECT_EQ(field.DirtyCount(), 0);

  s->Refresh();
  EXPECT_EQ(DirtyColumns(field, 0), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(field.DirtyCount(), 4 * 4);  // rows 0-3
  field.Flush();

  s->MoveTo(9, 0);  // one pixel: the old columns 1-4 and the new 1-5
  EXPECT_EQ(DirtyColumns(field, 0), (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(field.DirtyCount(), 5 * 4);
  s->Release();
}

TEST_F(Layer, RectanglesOutsideTheFieldAreClipped) {
  auto* hidden = new TestSprite(&field, &red, 32, 32);
  field.Flush();
  hidden->MoveTo(-64, -64);  // leaves (0,0): those cells are marked, the new place none
  field.Flush();
  hidden->Refresh();
  EXPECT_EQ(field.DirtyCount(), 0);

  field.Invalidate(620, 390, 700, 500);  // runs past the right and bottom edges
  EXPECT_EQ(field.DirtyCount(), 3 * 2);
  EXPECT_TRUE(field.IsDirty(79, 49));
  field.Flush();
  field.Invalidate(-100, -100, 4, 4);
  EXPECT_EQ(field.DirtyCount(), 1);
  EXPECT_TRUE(field.IsDirty(0, 0));
  field.Flush();
  field.Invalidate(700, 10, 900, 20);  // wholly right of the field
  field.Invalidate(10, 10, 5, 20);     // right before left
  EXPECT_EQ(field.DirtyCount(), 0);

  // Nothing of the hidden sprite is drawn anywhere.
  field.RedrawAll();
  for (int y = 0; y < 400; y += 3)
    for (int x = 0; x < 640; x += 3) ASSERT_NE(screen.Pixel(x, y), kRed) << x << "," << y;
  hidden->Release();
}

TEST_F(Layer, FlushRepaintsOnlyDirtyCellsAtTheOrigin) {
  field.SetOrigin(24, 136);
  field.Invalidate(16, 8, 24, 16);  // cell (2, 1)
  field.Flush();
  EXPECT_EQ(field.cellsDrawn, 1);
  EXPECT_EQ(screen.Pixel(24 + 16, 136 + 8), CellColor(2, 1));
  EXPECT_EQ(screen.Pixel(24 + 23, 136 + 15), CellColor(2, 1));
  EXPECT_EQ(screen.Pixel(24 + 24, 136 + 8), Rgb(1, 2, 3));
  EXPECT_EQ(screen.Pixel(24 + 15, 136 + 8), Rgb(1, 2, 3));
  field.Flush();  // the flag was cleared
  EXPECT_EQ(field.cellsDrawn, 1);

  // The screen ends first: only the 77 x 43 cells it shows are drawn.
  field.RedrawAll();
  EXPECT_EQ(field.cellsDrawn, 1 + 77 * 43);
  EXPECT_EQ(screen.Pixel(24 + 615, 136 + 343), CellColor(76, 42));
  EXPECT_EQ(screen.Pixel(23, 135), Rgb(1, 2, 3));
}

TEST_F(Layer, TheSpriteAddedFirstIsDrawnOnTop) {
  auto* first = new TestSprite(&field, &red, 32, 32);
  auto* second = new TestSprite(&field, &blue, 32, 32);
  first->MoveTo(100, 100);
  second->MoveTo(116, 116);
  field.Flush();
  EXPECT_EQ(screen.Pixel(120, 120), kRed);   // overlap
  EXPECT_EQ(screen.Pixel(140, 140), kBlue);  // second only
  EXPECT_EQ(screen.Pixel(101, 101), kRed);
  EXPECT_EQ(screen.Pixel(99, 99), CellColor(12, 12));

  // Releasing the top sprite uncovers the other at the next flush.
  first->Release();
  field.Flush();
  EXPECT_EQ(screen.Pixel(120, 120), kBlue);
  EXPECT_EQ(screen.Pixel(101, 101), CellColor(12, 12));
  EXPECT_EQ(field.GetSpriteCount(), 1);
  EXPECT_EQ(field.GetSprite(0), second);
  second->Release();
}

TEST_F(Layer, MaskedSpritesShowTheBackgroundAroundThem) {
  // Sheet: picture in the top-left 16 x 16 of a 32 x 32 cell, black around it. The mask
  // lies 32 pixels lower on the same sheet, black where the picture is, white around it.
  Bitmap sheet(64, 64, platform::kBlack);
  sheet.GetCanvas().brush = platform::Brush{Rgb(0, 200, 0)};
  sheet.GetCanvas().FillRect({0, 0, 16, 16});
  sheet.GetCanvas().brush = platform::Brush{platform::kWhite};
  sheet.GetCanvas().FillRect({0, 32, 32, 64});
  sheet.GetCanvas().brush = platform::Brush{platform::kBlack};
  sheet.GetCanvas().FillRect({0, 32, 16, 48});
  auto* s = new LCharcter(&field, &sheet, &sheet, {0, 0, 32, 32});
  s->maskOffsetY = 32;
  s->MoveTo(203, 101);  // not on a cell boundary
  field.Flush();
  EXPECT_EQ(screen.Pixel(203, 101), Rgb(0, 200, 0));
  EXPECT_EQ(screen.Pixel(218, 116), Rgb(0, 200, 0));
  EXPECT_EQ(screen.Pixel(219, 116), CellColor(27, 14));  // transparent part
  EXPECT_EQ(screen.Pixel(203, 120), CellColor(25, 15));
  EXPECT_EQ(screen.GetCanvas().copyMode, platform::CopyMode::Copy);

  s->visible = 0;
  s->Refresh();
  field.Flush();
  EXPECT_EQ(screen.Pixel(203, 101), CellColor(25, 12));
  s->Release();
}

TEST_F(Layer, StepAllStepsEverySpriteOnceInListOrderThenFlushes) {
  std::vector<int> order;
  std::vector<TestSprite*> s;
  for (int i = 0; i < 4; ++i) {
    s.push_back(new TestSprite(&field, &red, 16, 16));
    s[i]->onStep = [&order, i](TestSprite*) {
      order.push_back(i);
      return 0;
    };
  }
  // Sprite 1 moves itself: its new place is on screen after the same StepAll.
  s[1]->onStep = [&order](TestSprite* me) {
    order.push_back(1);
    me->MoveTo(300, 200);
    return 0;
  };
  field.StepAll();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(screen.Pixel(305, 205), kRed);
  EXPECT_EQ(field.DirtyCount(), 0);
  for (auto* p : s) p->Release();
}

TEST_F(Layer, SpritesReleasedDuringAFrameAreNeverTouchedAgain) {
  // 0 releases itself, 1 releases 2 (which then must not step), 3 fires a new sprite
  // that takes its first step in the next frame.
  std::vector<int> order;
  TestSprite* s[4];
  for (int i = 0; i < 4; ++i) s[i] = new TestSprite(&field, &red, 16, 16);
  TestSprite* fired = nullptr;
  s[0]->onStep = [&](TestSprite* me) {
    order.push_back(0);
    me->Release();
    return -1;
  };
  s[1]->onStep = [&](TestSprite*) {
    order.push_back(1);
    ReleaseSprite(s[2]);
    return 0;
  };
  s[2]->onStep = [&](TestSprite*) {  // never runs
    order.push_back(2);
    return 0;
  };
  s[3]->onStep = [&](TestSprite*) {
    order.push_back(3);
    if (!fired) {
      fired = new TestSprite(&field, &blue, 16, 16);
      fired->onStep = [&](TestSprite*) {
        order.push_back(9);
        return 0;
      };
    }
    return 0;
  };
  field.StepAll();
  EXPECT_EQ(order, (std::vector<int>{0, 1, 3}));
  ASSERT_EQ(field.GetSpriteCount(), 3);
  EXPECT_EQ(field.GetSprite(0), s[1]);
  EXPECT_EQ(field.GetSprite(1), s[3]);
  EXPECT_EQ(field.GetSprite(2), fired);
  order.clear();
  field.StepAll();
  EXPECT_EQ(order, (std::vector<int>{1, 3, 9}));

  TestSprite* gone = s[1];
  ReleaseSprite(gone);
  EXPECT_EQ(gone, nullptr);
  ReleaseSprite(gone);  // a forgotten pointer is safe to release again
  s[3]->Release();
  fired->Release();
  EXPECT_EQ(field.GetSpriteCount(), 0);
}

TEST(LayerLifetime, AFieldWithoutSizeMarksAndDrawsNothing) {
  Bitmap screen(64, 64, Rgb(5, 5, 5));
  struct Empty : LField {
    using LField::LField;
    void DrawCell(platform::Canvas&, int, int) override { ++drawn; }
    int drawn = 0;
  } field(screen.GetCanvas());
  Bitmap red(32, 32, kRed);
  auto* s = new TestSprite(&field, &red, 32, 32);
  s->MoveTo(8, 8);
  field.Invalidate(0, 0, 64, 64);
  field.RedrawAll();
  field.StepAll();
  field.DissolveIn();
  field.DissolveOut();
  EXPECT_EQ(field.drawn, 0);
  EXPECT_EQ(screen.Pixel(10, 10), Rgb(5, 5, 5));
  s->Release();
}

TEST(LayerLifetime, SpritesLeftOnAFieldThatHasGoneReleaseSafely) {
  Bitmap screen(64, 64);
  Bitmap red(32, 32, kRed);
  TestSprite* s;
  {
    GridField field(screen.GetCanvas(), 64, 64);
    s = new TestSprite(&field, &red, 32, 32);
  }
  EXPECT_EQ(s->GetField(), nullptr);
  s->MoveTo(4, 4);
  s->Release();
}

}  // namespace

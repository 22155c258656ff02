// Test kit of the field suite: a field whose background colours each cell by its position,
// and plain sprites of one colour.
#pragma once
#include <functional>

#include "field/Field.h"
#include "field/Lchar.h"

// Background colour of cell (cx, cy).
inline platform::Color CellColor(int cx, int cy) { return platform::Rgb(10 + cx, 20 + cy, 30); }

class GridField : public LField {
 public:
  GridField(platform::Canvas& target, int w, int h) : LField(target) {
    SetSize(w, h);
    AllocateDirtyFlags();
  }
  void DrawCell(platform::Canvas& canvas, int cx, int cy) override {
    canvas.brush = platform::Brush{CellColor(cx, cy)};
    canvas.FillRect({0, 0, 8, 8});
    ++cellsDrawn;
  }
  int DirtyCount() const {
    int n = 0;
    for (int cy = 0; cy < (height + 7) / 8; ++cy)
      for (int cx = 0; cx < (width + 7) / 8; ++cx) n += IsDirty(cx, cy);
    return n;
  }
  int cellsDrawn = 0;
};

// A sprite drawn from a one-colour sheet, optionally with a step action.
class TestSprite : public LCharcter {
 public:
  TestSprite(LField* f, const platform::Bitmap* sheet, int w, int h, const platform::Bitmap* mask = nullptr)
      : LCharcter(f, sheet, mask, {0, 0, w, h}) {}
  int Step() override {
    ++steps;
    // A copy: the action may release the sprite, and with it this member.
    if (auto action = onStep) return action(this);
    return 0;
  }
  std::function<int(TestSprite*)> onStep;
  int steps = 0;
};

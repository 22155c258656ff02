// field: invalidation, flushing and stepping of a field.
#include "field/Field.h"

#include <algorithm>
#include <cstring>

#include "field/Lchar.h"

LField::LField(platform::Canvas& target) : cellScratch(8, 8), targetCanvas(&target) {}

LField::~LField() {
  // Sprites should be gone before their field; any left over must not reach back to it.
  for (LCharcter* s : sprites) s->field = nullptr;
}

void LField::SetSize(int w, int h) {
  width = w;
  height = h;
}

void LField::SetOrigin(int x, int y) {
  originX = x;
  originY = y;
}

void LField::AllocateDirtyFlags() {
  flagColumns = width > 0 ? (width + 7) / 8 : 0;
  flagRows = height > 0 ? (height + 7) / 8 : 0;
  dirtyFlags.assign(static_cast<size_t>(flagColumns) * flagRows, 0);
}

void LField::DropDirtyFlags() {
  dirtyFlags.clear();
  dirtyFlags.shrink_to_fit();
  flagColumns = flagRows = 0;
}

void LField::AddSprite(LCharcter* sprite) { sprites.push_back(sprite); }

void LField::RemoveSprite(LCharcter* sprite) {
  auto it = std::find(sprites.begin(), sprites.end(), sprite);
  if (it != sprites.end()) sprites.erase(it);
  if (stepping_) std::replace(stepping_->begin(), stepping_->end(), sprite, static_cast<LCharcter*>(nullptr));
}

LCharcter* LField::GetSprite(int index) const {
  return index >= 0 && index < GetSpriteCount() ? sprites[static_cast<size_t>(index)] : nullptr;
}

bool LField::IsDirty(int cellX, int cellY) const {
  if (cellX < 0 || cellY < 0 || cellX >= flagColumns || cellY >= flagRows) return false;
  return dirtyFlags[static_cast<size_t>(cellY) * flagColumns + cellX] != 0;
}

void LField::Invalidate(int left, int top, int right, int bottom) {
  if (dirtyFlags.empty()) return;  // no size yet: nothing to mark
  // From 0 when the edge is left of the first cell, through the last pixel inside the
  // field; divisions truncate toward zero, so a rectangle ending at 0 still marks cell 0.
  auto range = [](int lo, int hi, int size, int64_t& first, int64_t& last) {
    first = lo < 8 ? 0 : lo / 8;
    last = std::min<int64_t>(static_cast<int64_t>(hi) - 1, size - 1) / 8;
  };
  int64_t c0, c1, r0, r1;
  range(left, right, width, c0, c1);
  range(top, bottom, height, r0, r1);
  c1 = std::min<int64_t>(c1, flagColumns - 1);
  r1 = std::min<int64_t>(r1, flagRows - 1);
  for (int64_t cy = r0; cy <= r1; ++cy)
    for (int64_t cx = c0; cx <= c1; ++cx) dirtyFlags[static_cast<size_t>(cy * flagColumns + cx)] = 1;
}

namespace {

int64_t FloorDiv8(int64_t v) { return v >= 0 ? v / 8 : -((-v + 7) / 8); }

}  // namespace

LField::CellRange LField::ShownCells(platform::Canvas& canvas) const {
  // Whole cells of the field only (a part-cell edge is never flushed), and of those only
  // the ones that land on the canvas at the field's origin: on an arena far larger than
  // the screen the rest can never be seen, and scanning them every frame cost the most.
  const int64_t columns = std::min(width / 8, flagColumns), rows = std::min(height / 8, flagRows);
  const int64_t w = canvas.Target().Width(), h = canvas.Target().Height();
  CellRange r;
  r.left = static_cast<int>(std::clamp<int64_t>(FloorDiv8(-int64_t{originX}), 0, columns));
  r.top = static_cast<int>(std::clamp<int64_t>(FloorDiv8(-int64_t{originY}), 0, rows));
  r.right = static_cast<int>(std::clamp<int64_t>(FloorDiv8(w - originX + 7), r.left, columns));
  r.bottom = static_cast<int>(std::clamp<int64_t>(FloorDiv8(h - originY + 7), r.top, rows));
  return r;
}

void LField::Flush() { FlushTo(*targetCanvas); }

void LField::FlushTo(platform::Canvas& canvas) {
  if (dirtyFlags.empty()) return;
  platform::Canvas& scratch = cellScratch.GetCanvas();
  const CellRange shown = ShownCells(canvas);
  const platform::CopyMode savedMode = canvas.copyMode;
  canvas.copyMode = platform::CopyMode::Copy;
  for (int cy = shown.top; cy < shown.bottom; ++cy) {
    uint8_t* const row = dirtyFlags.data() + static_cast<size_t>(cy) * flagColumns;
    const int t = 8 * cy;
    bool rowSpritesFound = false;
    // Most cells are clean: jump from dirty cell to dirty cell.
    for (int cx = shown.left; cx < shown.right; ++cx) {
      auto* next = static_cast<uint8_t*>(std::memchr(row + cx, 1, static_cast<size_t>(shown.right - cx)));
      if (!next) break;
      cx = static_cast<int>(next - row);
      *next = 0;
      if (!rowSpritesFound) {
        // The sprites that reach into this row of cells, last first, so the one added first
        // ends on top; drawing moves no sprite. Edges count as touching.
        rowSprites_.clear();
        for (size_t i = sprites.size(); i-- > 0;) {
          const platform::Rect r = sprites[i]->GetRect();
          if (t <= r.bottom && t + 8 >= r.top) rowSprites_.push_back({sprites[i], r.left, r.right});
        }
        rowSpritesFound = true;
      }
      DrawCell(scratch, cx, cy);
      const int l = 8 * cx;
      for (const RowSprite& s : rowSprites_)
        if (l <= s.right && l + 8 >= s.left) s.sprite->Draw(scratch, l, t, l + 8, t + 8);
      canvas.copyMode = platform::CopyMode::Copy;
      canvas.CopyRect({originX + l, originY + t, originX + l + 8, originY + t + 8}, cellScratch, {0, 0, 8, 8});
    }
  }
  canvas.copyMode = savedMode;
}

void LField::RedrawAll() { RedrawAllTo(*targetCanvas); }

void LField::RedrawAllTo(platform::Canvas& canvas) {
  const CellRange shown = ShownCells(canvas);
  Invalidate(8 * shown.left, 8 * shown.top, 8 * shown.right, 8 * shown.bottom);
  FlushTo(canvas);
}

void LField::StepAll() {
  // Every sprite on the field when the frame starts steps once, in list order. A sprite
  // released during the frame (by itself or by another) is skipped from then on; sprites
  // added during the frame (a fang just fired) take their first step in the next one.
  // The snapshot lives in a buffer kept from frame to frame (a nested pass, which a step
  // might start, takes one of its own).
  std::vector<LCharcter*> nested;
  std::vector<LCharcter*>& frame = stepping_ ? nested : stepBuffer_;
  frame.assign(sprites.begin(), sprites.end());
  std::vector<LCharcter*>* outer = stepping_;
  stepping_ = &frame;
  for (size_t i = 0; i < frame.size(); ++i) {
    if (LCharcter* s = frame[i]) s->Step();
  }
  stepping_ = outer;
  Flush();
}

void LField::DissolveOut() { BlockDissolveFill(*targetCanvas, originX, originY, width, height, true); }

void LField::DissolveIn() {
  if (width <= 0 || height <= 0) return;
  platform::Bitmap picture(width, height);
  const int ox = originX, oy = originY;
  SetOrigin(0, 0);
  RedrawAllTo(picture.GetCanvas());
  SetOrigin(ox, oy);
  BlockDissolveCopy(picture.GetCanvas(), 0, 0, *targetCanvas, originX, originY, width, height, true);
}

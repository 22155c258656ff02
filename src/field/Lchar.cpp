// field: the sprite base: moving, invalidating and masked drawing.
#include "field/Lchar.h"

#include <algorithm>

#include "field/Field.h"

LCharcter::LCharcter(LField* f, const platform::Bitmap* img, const platform::Bitmap* msk, const platform::Rect& src)
    : width(src.right - src.left), height(src.bottom - src.top), image(img), mask(msk), field(f), source(src) {
  if (field) field->AddSprite(this);
}

void LCharcter::Release() { delete this; }

LCharcter::~LCharcter() {
  if (!field) return;
  Refresh();  // the area it leaves is repainted at the next flush
  field->RemoveSprite(this);
}

void LCharcter::Draw(platform::Canvas& canvas, int cellLeft, int cellTop, int cellRight, int cellBottom) {
  if (!visible || !image) return;
  // The part of the sprite inside the cell, in sprite coordinates.
  const int l = std::max(cellLeft - x, 0), t = std::max(cellTop - y, 0);
  const int r = std::min(width, cellRight - x), b = std::min(height, cellBottom - y);
  if (r <= l || b <= t) return;
  const platform::Rect src{source.left + l, source.top + t, source.left + r, source.top + b};
  const int dx = std::max(x - cellLeft, 0), dy = std::max(y - cellTop, 0);
  const platform::Rect dst{dx, dy, dx + (r - l), dy + (b - t)};
  if (mask) {
    canvas.CopyMasked(
        dst, *mask, {src.left + maskOffsetX, src.top + maskOffsetY, src.right + maskOffsetX, src.bottom + maskOffsetY},
        *image, src);
    canvas.copyMode = platform::CopyMode::Copy;
  } else {
    canvas.copyMode = platform::CopyMode::Copy;
    canvas.CopyRect(dst, *image, src);
  }
}

int LCharcter::Step() {
  if (stepCallback) stepCallback(this);
  return 0;
}

void LCharcter::MoveTo(int newX, int newY) {
  Refresh();
  x = newX;
  y = newY;
  Refresh();
}

void LCharcter::Refresh() {
  if (!field) return;
  const platform::Rect r = GetRect();
  field->Invalidate(r.left, r.top, r.right, r.bottom);
}

LCharState LCharcter::SaveSprite() const { return {x, y, width, height, source, maskOffsetX, maskOffsetY, visible}; }

void LCharcter::LoadSprite(const LCharState& s) {
  Refresh();
  x = s.x;
  y = s.y;
  width = s.width;
  height = s.height;
  source = s.source;
  maskOffsetX = s.maskOffsetX;
  maskOffsetY = s.maskOffsetY;
  visible = static_cast<unsigned char>(s.visible);
  Refresh();
}

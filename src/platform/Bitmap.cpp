// platform: pixel-exact canvas operations on true-colour bitmaps.
#include "platform/Bitmap.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cstring>

#include "platform/Text.h"

namespace platform {

void Bitmap::SetSize(int w, int h, Color fill) {
  w_ = std::max(0, w);
  h_ = std::max(0, h);
  px_.assign(static_cast<size_t>(w_) * h_, fill);
  Touch();
}

void Bitmap::TouchTiles(const Rect& r) {
  const int l = std::max(0, r.left), t = std::max(0, r.top);
  const int rr = std::min(w_, r.right), b = std::min(h_, r.bottom);
  if (l >= rr || t >= b) return;
  const int first = std::min(l / kTile, 63), last = std::min((rr - 1) / kTile, 63);
  const uint64_t bits = (last == 63 ? ~0ull : (1ull << (last + 1)) - 1) & ~((1ull << first) - 1);
  for (int y = t / kTile; y <= (b - 1) / kTile; ++y) dirty_[static_cast<size_t>(y)] |= bits;
}

void Bitmap::ClearDirty() const {
  std::fill(dirty_.begin(), dirty_.end(), 0);
  allDirty_ = false;
}

bool Bitmap::SavePng(const std::string& path) const {
  std::vector<unsigned char> rgb(static_cast<size_t>(w_) * h_ * 3);
  for (size_t i = 0; i < px_.size(); ++i) {
    rgb[i * 3] = static_cast<unsigned char>(px_[i] >> 16);
    rgb[i * 3 + 1] = static_cast<unsigned char>(px_[i] >> 8);
    rgb[i * 3 + 2] = static_cast<unsigned char>(px_[i]);
  }
  return w_ > 0 && h_ > 0 && stbi_write_png(path.c_str(), w_, h_, 3, rgb.data(), w_ * 3) != 0;
}

namespace {

// Clips a copy of size w x h from (sx, sy) in src to (dx, dy) in dst; false if nothing is left.
bool Clip(int& dx, int& dy, int& sx, int& sy, int& w, int& h, int dw, int dh, int sw, int sh) {
  if (sx < 0) {
    dx -= sx;
    w += sx;
    sx = 0;
  }
  if (sy < 0) {
    dy -= sy;
    h += sy;
    sy = 0;
  }
  if (dx < 0) {
    sx -= dx;
    w += dx;
    dx = 0;
  }
  if (dy < 0) {
    sy -= dy;
    h += dy;
    dy = 0;
  }
  w = std::min({w, dw - dx, sw - sx});
  h = std::min({h, dh - dy, sh - sy});
  return w > 0 && h > 0;
}

// Whether a w x h rectangle at (x, y) lies wholly inside a picture of pw x ph.
bool Inside(int x, int y, int w, int h, int pw, int ph) {
  return x >= 0 && y >= 0 && w > 0 && h > 0 && w <= pw - x && h <= ph - y;
}

using Pixels4 = Color __attribute__((vector_size(16)));

// Eight pixels of a row, four at a time in vector registers. The source row is read whole
// before the target is written, as both may be one picture.
template <CopyMode M>
void Row8(Color* d, const Color* s) {
  Pixels4 s0, s1;
  std::memcpy(&s0, s, sizeof s0);
  std::memcpy(&s1, s + 4, sizeof s1);
  if constexpr (M != CopyMode::Copy) {
    Pixels4 d0, d1;
    std::memcpy(&d0, d, sizeof d0);
    std::memcpy(&d1, d + 4, sizeof d1);
    s0 = M == CopyMode::And ? (d0 & s0) : (d0 | s0);
    s1 = M == CopyMode::And ? (d1 & s1) : (d1 | s1);
  }
  std::memcpy(d, &s0, sizeof s0);
  std::memcpy(d + 4, &s1, sizeof s1);
}

template <CopyMode M>
void Row(Color* d, const Color* s, int w) {
  if constexpr (M == CopyMode::Copy) {
    std::memcpy(d, s, static_cast<size_t>(w) * sizeof(Color));
  } else {
    for (int x = 0; x < w; ++x) d[x] = M == CopyMode::And ? (d[x] & s[x]) : (d[x] | s[x]);
  }
}

// A whole 8 x 8 cell, nearly every copy the fields make: with its size known at compile
// time it goes in a few dozen wide moves.
template <CopyMode M>
void Cell8(Color* d, int tw, const Color* s, int sw) {
#pragma GCC unroll 8
  for (int y = 0; y < 8; ++y, s += sw, d += tw) Row8<M>(d, s);
}

template <CopyMode M>
void Rows(Color* d, int tw, const Color* s, int sw, int w, int h) {
  for (int y = 0; y < h; ++y, s += sw, d += tw) {
    if (w == 8)
      Row8<M>(d, s);
    else
      Row<M>(d, s, w);
  }
}

// The rows of any clipped rectangle copy.
void Rows(CopyMode mode, Color* d, int tw, const Color* s, int sw, int w, int h) {
  switch (mode) {
    case CopyMode::Copy: Rows<CopyMode::Copy>(d, tw, s, sw, w, h); break;
    case CopyMode::And: Rows<CopyMode::And>(d, tw, s, sw, w, h); break;
    case CopyMode::Or: Rows<CopyMode::Or>(d, tw, s, sw, w, h); break;
  }
}

// Rows through a mask: each pixel ANDed with the mask, then ORed with the picture. W is the
// width when known at compile time (8, a sprite's part of a cell), else 0.
template <int W>
void MaskedRows(Color* d, int tw, const Color* m, int mw, const Color* s, int sw, int w, int h) {
  const int n = W > 0 ? W : w;
  for (int y = 0; y < h; ++y, d += tw, m += mw, s += sw) {
    int x = 0;
    for (; x + 4 <= n; x += 4) {
      Pixels4 dp, mp, sp;
      std::memcpy(&dp, d + x, sizeof dp);
      std::memcpy(&mp, m + x, sizeof mp);
      std::memcpy(&sp, s + x, sizeof sp);
      dp = (dp & mp) | sp;
      std::memcpy(d + x, &dp, sizeof dp);
    }
    for (; x < n; ++x) d[x] = (d[x] & m[x]) | s[x];
  }
}

}  // namespace

void Canvas::CopyMasked(const Rect& dst, const Bitmap& mask, const Rect& maskRect, const Bitmap& src,
                        const Rect& srcRect) {
  const int w = dst.Width(), h = dst.Height();
  const int tw = target_.Width(), mw = mask.Width(), sw = src.Width();
  // A sprite's cell lies wholly inside all three pictures nearly always: one pass then.
  if (&mask == &target_ || &src == &target_ || !Inside(dst.left, dst.top, w, h, tw, target_.Height()) ||
      !Inside(maskRect.left, maskRect.top, w, h, mw, mask.Height()) ||
      !Inside(srcRect.left, srcRect.top, w, h, sw, src.Height())) {
    const CopyMode saved = copyMode;
    copyMode = CopyMode::And;
    CopyRect(dst, mask, maskRect);
    copyMode = CopyMode::Or;
    CopyRect(dst, src, srcRect);
    copyMode = saved;
    return;
  }
  Color* d = target_.Row(dst.top) + dst.left;
  const Color* m = mask.Row(maskRect.top) + maskRect.left;
  const Color* s = src.Row(srcRect.top) + srcRect.left;
  if (w == 8)
    MaskedRows<8>(d, tw, m, mw, s, sw, w, h);
  else
    MaskedRows<0>(d, tw, m, mw, s, sw, w, h);
  target_.Touch({dst.left, dst.top, dst.right, dst.bottom});
}

void Canvas::CopyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect) {
  int dx = dst.left, dy = dst.top, sx = srcRect.left, sy = srcRect.top;
  int w = dst.Width(), h = dst.Height();
  const int tw = target_.Width(), th = target_.Height(), sw = src.Width(), sh = src.Height();
  // Nearly every copy lies wholly inside both pictures: only the others need clipping.
  const bool inside = Inside(dx, dy, w, h, tw, th) && Inside(sx, sy, w, h, sw, sh);
  if (!inside && !Clip(dx, dy, sx, sy, w, h, tw, th, sw, sh)) return;
  if (&src == &target_) {
    CopyFromItself(dx, dy, sx, sy, w, h);
    return;
  }
  Color* d = target_.Row(dy) + dx;
  const Color* s = src.Row(sy) + sx;
  if (w == 8 && h == 8) {
    switch (copyMode) {
      case CopyMode::Copy: Cell8<CopyMode::Copy>(d, tw, s, sw); break;
      case CopyMode::And: Cell8<CopyMode::And>(d, tw, s, sw); break;
      case CopyMode::Or: Cell8<CopyMode::Or>(d, tw, s, sw); break;
    }
  } else {
    Rows(copyMode, d, tw, s, sw, w, h);
  }
  target_.Touch({dx, dy, dx + w, dy + h});
}

// A copy within one picture may overlap: it works from a copy of the source rows, made only
// then, as a Bitmap is not free to build (its canvas has a font name).
void Canvas::CopyFromItself(int dx, int dy, int sx, int sy, int w, int h) {
  const Bitmap from(target_);
  Rows(copyMode, target_.Row(dy) + dx, target_.Width(), from.Row(sy) + sx, from.Width(), w, h);
  target_.Touch({dx, dy, dx + w, dy + h});
}

void Canvas::Draw(int x, int y, const Bitmap& src) {
  CopyMode saved = copyMode;
  copyMode = CopyMode::Copy;
  CopyRect({x, y, x + src.Width(), y + src.Height()}, src, {0, 0, src.Width(), src.Height()});
  copyMode = saved;
}

void Canvas::DrawTransparent(int x, int y, const Bitmap& src, Color key) {
  int dx = x, dy = y, sx = 0, sy = 0, w = src.Width(), h = src.Height();
  if (!Clip(dx, dy, sx, sy, w, h, target_.Width(), target_.Height(), src.Width(), src.Height())) return;
  for (int j = 0; j < h; ++j) {
    const Color* s = src.Row(sy + j) + sx;
    Color* d = target_.Row(dy + j) + dx;
    for (int i = 0; i < w; ++i)
      if (s[i] != key) d[i] = s[i];
  }
  target_.Touch({dx, dy, dx + w, dy + h});
}

void Canvas::FillRect(const Rect& r) {
  if (brush.style == BrushStyle::Clear && !brush.pattern) return;
  int l = std::max(0, r.left), t = std::max(0, r.top);
  int rr = std::min(target_.Width(), r.right), b = std::min(target_.Height(), r.bottom);
  if (l >= rr || t >= b) return;
  const Bitmap* pat = brush.pattern;
  if (pat && (pat->Width() <= 0 || pat->Height() <= 0)) pat = nullptr;
  for (int y = t; y < b; ++y) {
    Color* d = target_.Row(y);
    if (pat) {
      const Color* p = pat->Row(y % pat->Height());
      for (int x = l; x < rr; ++x) d[x] = p[x % pat->Width()];
    } else {
      std::fill(d + l, d + rr, brush.color);
    }
  }
  target_.Touch({l, t, rr, b});
}

void Canvas::FrameRect(const Rect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  Brush saved = brush;
  brush.pattern = nullptr;
  brush.style = BrushStyle::Solid;
  FillRect({r.left, r.top, r.right, r.top + 1});
  FillRect({r.left, r.bottom - 1, r.right, r.bottom});
  FillRect({r.left, r.top, r.left + 1, r.bottom});
  FillRect({r.right - 1, r.top, r.right, r.bottom});
  brush = saved;
}

void Canvas::SetPixel(int x, int y, Color c) {
  if (x < 0 || y < 0 || x >= target_.Width() || y >= target_.Height()) return;
  target_.Row(y)[x] = c;
  target_.Touch({x, y, x + 1, y + 1});
}

void Canvas::TextOut(int x, int y, const std::string& utf8) {
  const bool opaque = brush.style == BrushStyle::Solid;
  DrawText(target_, x, y, utf8, font, opaque, brush.color);
}

int Canvas::TextWidth(const std::string& utf8) { return MeasureText(utf8, font).w; }
int Canvas::TextHeight(const std::string& utf8) { return MeasureText(utf8, font).h; }

}  // namespace platform

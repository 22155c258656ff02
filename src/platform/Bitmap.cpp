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
  if (sx < 0) { dx -= sx; w += sx; sx = 0; }
  if (sy < 0) { dy -= sy; h += sy; sy = 0; }
  if (dx < 0) { sx -= dx; w += dx; dx = 0; }
  if (dy < 0) { sy -= dy; h += dy; dy = 0; }
  w = std::min({w, dw - dx, sw - sx});
  h = std::min({h, dh - dy, sh - sy});
  return w > 0 && h > 0;
}

}  // namespace

void Canvas::CopyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect) {
  int dx = dst.left, dy = dst.top, sx = srcRect.left, sy = srcRect.top;
  int w = dst.Width(), h = dst.Height();
  if (!Clip(dx, dy, sx, sy, w, h, target_.Width(), target_.Height(), src.Width(), src.Height())) return;
  // Copying a bitmap onto itself with overlap: work from a copy of the source rows. The
  // copy is made only then: a Bitmap is not free to build (its canvas has a font name), and
  // this is the hot path of every sprite cell.
  const Bitmap* from = &src;
  std::unique_ptr<Bitmap> tmp;
  if (from == &target_) {
    tmp = std::make_unique<Bitmap>(src);
    from = tmp.get();
  }
  const Color* s = from->Row(sy) + sx;
  Color* d = target_.Row(dy) + dx;
  const int sw = from->Width(), tw = target_.Width();
  switch (copyMode) {
    case CopyMode::Copy:
      for (int y = 0; y < h; ++y, s += sw, d += tw) std::memcpy(d, s, static_cast<size_t>(w) * sizeof(Color));
      break;
    case CopyMode::And:
      for (int y = 0; y < h; ++y, s += sw, d += tw)
        for (int x = 0; x < w; ++x) d[x] &= s[x];
      break;
    case CopyMode::Or:
      for (int y = 0; y < h; ++y, s += sw, d += tw)
        for (int x = 0; x < w; ++x) d[x] |= s[x];
      break;
  }
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

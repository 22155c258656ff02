// platform: off-screen pictures and the canvas operations the game draws with.
// Everything is true colour (32-bit XRGB); palettes and bitmap kinds are not needed.
// A Canvas carries the drawing state the game sets before it draws (font, brush, copy
// mode), like the canvases of the form library the game was first written for.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

using Color = uint32_t;  // 0x00RRGGBB
constexpr Color Rgb(int r, int g, int b) {
  return (static_cast<Color>(r & 255) << 16) | (static_cast<Color>(g & 255) << 8) | static_cast<Color>(b & 255);
}
constexpr Color kBlack = 0x000000, kWhite = 0xFFFFFF;

// Rectangle with right and bottom exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// Raster operations of rectangle copies: plain, AND (mask first) and OR (picture after).
enum class CopyMode { Copy, And, Or };

class Bitmap;

struct Font {
  std::string name = "ＭＳ Ｐゴシック";  // "ＭＳ ゴシック" is the monospaced face
  int size = 9;                          // Windows point size at 96 DPI
  Color color = kBlack;
  bool bold = false;
};

enum class BrushStyle { Solid, Clear };

struct Brush {
  Color color = kWhite;
  BrushStyle style = BrushStyle::Solid;
  const Bitmap* pattern = nullptr;  // 8 x 8 tile, repeated from the canvas origin
};

class Canvas {
 public:
  explicit Canvas(Bitmap& target) : target_(target) {}
  Bitmap& Target() { return target_; }

  Font font;
  Brush brush;
  CopyMode copyMode = CopyMode::Copy;

  // Copies src's rectangle to dst (the sizes of both are taken from dst; the form
  // library stretched when they differ, the game never relies on that).
  void CopyRect(const Rect& dst, const Bitmap& src, const Rect& srcRect);
  // An AND copy of mask's rectangle, then an OR copy of src's, to dst (the sizes taken from
  // dst, as above): a picture through its mask, in one pass where nothing needs clipping.
  void CopyMasked(const Rect& dst, const Bitmap& mask, const Rect& maskRect, const Bitmap& src, const Rect& srcRect);
  // Plain copy of the whole of src at (x, y).
  void Draw(int x, int y, const Bitmap& src);
  // Copy of the whole of src at (x, y), leaving out every pixel of colour key.
  void DrawTransparent(int x, int y, const Bitmap& src, Color key);
  void FillRect(const Rect& r);
  void FrameRect(const Rect& r);  // one-pixel frame in the brush colour
  void SetPixel(int x, int y, Color c);
  // Text in UTF-8. With a solid brush the text cell is filled with the brush colour first.
  void TextOut(int x, int y, const std::string& utf8);
  int TextWidth(const std::string& utf8);
  int TextHeight(const std::string& utf8);

 private:
  void CopyFromItself(int dx, int dy, int sx, int sy, int w, int h);

  Bitmap& target_;
};

class Bitmap {
 public:
  Bitmap() : canvas_(*this) {}
  Bitmap(int w, int h, Color fill = kBlack) : canvas_(*this) { SetSize(w, h, fill); }
  Bitmap(const Bitmap& o) : w_(o.w_), h_(o.h_), px_(o.px_), canvas_(*this) { Touch(); }
  Bitmap(Bitmap&& o) noexcept : w_(o.w_), h_(o.h_), px_(std::move(o.px_)), canvas_(*this) { Touch(); }
  // cppcheck-suppress operatorEqVarError ; Touch() gives the copy a version of its own
  Bitmap& operator=(const Bitmap& o) {
    if (this != &o) {
      w_ = o.w_;
      h_ = o.h_;
      px_ = o.px_;
      Touch();
    }
    return *this;
  }
  // cppcheck-suppress operatorEqVarError ; Touch() gives the copy a version of its own
  Bitmap& operator=(Bitmap&& o) noexcept {
    if (this != &o) {
      w_ = o.w_;
      h_ = o.h_;
      px_ = std::move(o.px_);
      Touch();
    }
    return *this;
  }

  void SetSize(int w, int h, Color fill = kBlack);
  int Width() const { return w_; }
  int Height() const { return h_; }
  Color Pixel(int x, int y) const {
    return (x >= 0 && y >= 0 && x < w_ && y < h_) ? px_[static_cast<size_t>(y) * w_ + x] : 0;
  }
  Color* Row(int y) { return px_.data() + static_cast<size_t>(y) * w_; }
  const Color* Row(int y) const { return px_.data() + static_cast<size_t>(y) * w_; }
  Canvas& GetCanvas() { return canvas_; }

  // Bumped by every change, so a window knows when to present again.
  uint64_t Version() const { return version_; }
  // A change of the whole picture, or of rectangle r (clipped to the picture).
  void Touch() {
    ++version_;
    allDirty_ = true;
    dirty_.assign(static_cast<size_t>((h_ + kTile - 1) / kTile), 0);
  }
  void Touch(const Rect& r) {
    ++version_;
    if (!allDirty_) TouchTiles(r);
  }

  // Which 16 x 16 tiles changed since ClearDirty, so a window sends only those: bit x of
  // DirtyTiles(y) is tile (x, y); a picture wider than 64 tiles folds the rest into bit 63.
  static constexpr int kTile = 16;
  bool AllDirty() const { return allDirty_; }
  uint64_t DirtyTiles(int tileRow) const {
    return tileRow >= 0 && static_cast<size_t>(tileRow) < dirty_.size() ? dirty_[static_cast<size_t>(tileRow)] : 0;
  }
  void ClearDirty() const;

  bool SavePng(const std::string& path) const;

 private:
  void TouchTiles(const Rect& r);

  int w_ = 0, h_ = 0;
  std::vector<Color> px_;
  uint64_t version_ = 0;
  // Bookkeeping of the window that shows the picture, not part of the picture.
  mutable std::vector<uint64_t> dirty_;
  mutable bool allDirty_ = true;
  Canvas canvas_;
};

}  // namespace platform

// Small raster toolkit for the sprite generator: RGB pictures with an opacity plane,
// a few drawing primitives and the pixel-art scalers used for faces and glyphs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

Rgb Mix(Rgb a, Rgb b, int percentB);
Rgb Shade(Rgb c, int percent);     // percent > 100 lightens toward white, < 100 darkens
Rgb Hex(const std::string& text);  // "#rrggbb" or "rrggbb"

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// A picture whose pixels are either opaque (a colour) or transparent.
class Image {
 public:
  Image() = default;
  Image(int w, int h, Rgb fill = kBlack, bool opaque = true);

  int w() const { return w_; }
  int h() const { return h_; }
  bool In(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  Rgb At(int x, int y) const { return px_[Index(x, y)]; }
  bool Opaque(int x, int y) const { return In(x, y) && op_[Index(x, y)] != 0; }
  void Set(int x, int y, Rgb c);  // clipped, makes the pixel opaque
  void Clear(int x, int y);       // clipped, makes the pixel transparent

  void FillRect(int x, int y, int w, int h, Rgb c);
  void Frame(int x, int y, int w, int h, Rgb c);  // 1-pixel rectangle outline
  void FillEllipse(double cx, double cy, double rx, double ry, Rgb c);
  void Line(int x0, int y0, int x1, int y1, Rgb c, int thick = 1);
  void FillPolygon(const std::vector<std::pair<double, double>>& pts, Rgb c);
  void VGradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
  void Bevel(int x, int y, int w, int h, Rgb light, Rgb dark, int width = 1);

  // Copies the opaque pixels of src (or all of them) to (dx, dy).
  void Draw(const Image& src, int dx, int dy, bool all = false);
  Image Crop(int x, int y, int w, int h) const;
  Image MirrorX() const;
  Image Scaled(int factor) const;  // nearest neighbour
  Image Scale2x() const;           // edge-smoothing doubling for pixel art
  Image Shifted(int dx, int dy) const;
  // Adds a 1-pixel outline of colour c around the opaque shape (8-neighbourhood when diag).
  Image Outlined(Rgb c, bool diag = true) const;
  template <class F>
  void Recolour(F f) {
    for (size_t i = 0; i < px_.size(); ++i)
      if (op_[i]) px_[i] = f(px_[i]);
  }

  // Flattened to RGB: transparent pixels become `background`.
  std::vector<uint8_t> Rgb24(Rgb background = kBlack) const;
  // Black where opaque, white where transparent.
  Image MaskOf() const;
  void SavePng(const std::string& path) const;
  static Image LoadPng(const std::string& path);

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * w_ + x; }
  int w_ = 0, h_ = 0;
  std::vector<Rgb> px_;
  std::vector<uint8_t> op_;
};

// A five-pointed star of radius r centred at (cx, cy), point up.
void Star(Image& img, double cx, double cy, double r, Rgb c);

#include "image.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

Rgb Mix(Rgb a, Rgb b, int p) {
  auto m = [p](int x, int y) { return static_cast<uint8_t>(x + (y - x) * p / 100); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Rgb Shade(Rgb c, int percent) {
  if (percent >= 100) return Mix(c, kWhite, percent - 100);
  auto m = [percent](int x) { return static_cast<uint8_t>(x * percent / 100); };
  return {m(c.r), m(c.g), m(c.b)};
}

Rgb Hex(const std::string& text) {
  std::string t = text[0] == '#' ? text.substr(1) : text;
  if (t.size() != 6) throw std::runtime_error("bad colour " + text);
  unsigned v = std::stoul(t, nullptr, 16);
  return {static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

Image::Image(int w, int h, Rgb fill, bool opaque)
    : w_(w), h_(h), px_(static_cast<size_t>(w) * h, fill), op_(static_cast<size_t>(w) * h, opaque ? 1 : 0) {}

void Image::Set(int x, int y, Rgb c) {
  if (!In(x, y)) return;
  px_[Index(x, y)] = c;
  op_[Index(x, y)] = 1;
}

void Image::Clear(int x, int y) {
  if (!In(x, y)) return;
  px_[Index(x, y)] = kBlack;
  op_[Index(x, y)] = 0;
}

void Image::FillRect(int x, int y, int w, int h, Rgb c) {
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Image::Frame(int x, int y, int w, int h, Rgb c) {
  FillRect(x, y, w, 1, c);
  FillRect(x, y + h - 1, w, 1, c);
  FillRect(x, y, 1, h, c);
  FillRect(x + w - 1, y, 1, h, c);
}

void Image::FillEllipse(double cx, double cy, double rx, double ry, Rgb c) {
  for (int y = static_cast<int>(cy - ry - 1); y <= cy + ry + 1; ++y)
    for (int x = static_cast<int>(cx - rx - 1); x <= cx + rx + 1; ++x) {
      double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) Set(x, y, c);
    }
}

void Image::Line(int x0, int y0, int x1, int y1, Rgb c, int thick) {
  int n = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  for (int i = 0; i <= n; ++i) {
    double t = n ? static_cast<double>(i) / n : 0.0;
    int x = static_cast<int>(std::lround(x0 + (x1 - x0) * t));
    int y = static_cast<int>(std::lround(y0 + (y1 - y0) * t));
    FillRect(x - thick / 2, y - thick / 2, thick, thick, c);
  }
}

void Image::FillPolygon(const std::vector<std::pair<double, double>>& pts, Rgb c) {
  if (pts.size() < 3) return;
  double minY = pts[0].second, maxY = minY;
  for (auto& p : pts) minY = std::min(minY, p.second), maxY = std::max(maxY, p.second);
  for (int y = static_cast<int>(std::floor(minY)); y <= maxY; ++y) {
    double sy = y + 0.5;
    std::vector<double> xs;
    for (size_t i = 0; i < pts.size(); ++i) {
      auto a = pts[i], b = pts[(i + 1) % pts.size()];
      if ((a.second <= sy && b.second > sy) || (b.second <= sy && a.second > sy))
        xs.push_back(a.first + (sy - a.second) / (b.second - a.second) * (b.first - a.first));
    }
    std::sort(xs.begin(), xs.end());
    for (size_t i = 0; i + 1 < xs.size(); i += 2)
      for (int x = static_cast<int>(std::ceil(xs[i] - 0.5)); x + 0.5 < xs[i + 1]; ++x) Set(x, y, c);
  }
}

void Image::VGradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
  for (int j = 0; j < h; ++j) FillRect(x, y + j, w, 1, Mix(top, bottom, h > 1 ? j * 100 / (h - 1) : 0));
}

void Image::Bevel(int x, int y, int w, int h, Rgb light, Rgb dark, int width) {
  for (int k = 0; k < width; ++k) {
    FillRect(x + k, y + k, w - 2 * k, 1, light);
    FillRect(x + k, y + k, 1, h - 2 * k, light);
    FillRect(x + k, y + h - 1 - k, w - 2 * k, 1, dark);
    FillRect(x + w - 1 - k, y + k, 1, h - 2 * k, dark);
  }
}

void Image::Draw(const Image& src, int dx, int dy, bool all) {
  for (int y = 0; y < src.h_; ++y)
    for (int x = 0; x < src.w_; ++x) {
      if (src.Opaque(x, y))
        Set(dx + x, dy + y, src.At(x, y));
      else if (all)
        Clear(dx + x, dy + y);
    }
}

Image Image::Crop(int x, int y, int w, int h) const {
  Image out(w, h, kBlack, false);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if (Opaque(x + i, y + j)) out.Set(i, j, At(x + i, y + j));
  return out;
}

Image Image::MirrorX() const {
  Image out(w_, h_, kBlack, false);
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x)
      if (Opaque(x, y)) out.Set(w_ - 1 - x, y, At(x, y));
  return out;
}

Image Image::Scaled(int f) const {
  Image out(w_ * f, h_ * f, kBlack, false);
  for (int y = 0; y < h_ * f; ++y)
    for (int x = 0; x < w_ * f; ++x)
      if (Opaque(x / f, y / f)) out.Set(x, y, At(x / f, y / f));
  return out;
}

Image Image::Scale2x() const {
  // EPX: each pixel becomes four, taking a neighbour's colour where two neighbours agree.
  Image out(w_ * 2, h_ * 2, kBlack, false);
  auto key = [this](int x, int y) -> long {
    if (!Opaque(x, y)) return -1;
    Rgb c = At(x, y);
    return (c.r << 16) | (c.g << 8) | c.b;
  };
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      long p = key(x, y), a = key(x, y - 1), b = key(x + 1, y), c = key(x - 1, y), d = key(x, y + 1);
      long q[4] = {p, p, p, p};
      if (c == a && c != d && a != b) q[0] = a;
      if (a == b && a != c && b != d) q[1] = b;
      if (d == c && d != b && c != a) q[2] = c;
      if (b == d && b != a && d != c) q[3] = d;
      for (int k = 0; k < 4; ++k) {
        int ox = 2 * x + (k & 1), oy = 2 * y + (k >> 1);
        if (q[k] >= 0)
          out.Set(ox, oy,
                  {static_cast<uint8_t>(q[k] >> 16), static_cast<uint8_t>(q[k] >> 8), static_cast<uint8_t>(q[k])});
      }
    }
  return out;
}

Image Image::Shifted(int dx, int dy) const {
  Image out(w_, h_, kBlack, false);
  out.Draw(*this, dx, dy);
  return out;
}

Image Image::Outlined(Rgb c, bool diag) const {
  Image out = *this;
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) {
      if (Opaque(x, y)) continue;
      bool near = false;
      for (int j = -1; j <= 1 && !near; ++j)
        for (int i = -1; i <= 1 && !near; ++i)
          if ((diag || i == 0 || j == 0) && Opaque(x + i, y + j)) near = true;
      if (near) out.Set(x, y, c);
    }
  return out;
}

std::vector<uint8_t> Image::Rgb24(Rgb background) const {
  std::vector<uint8_t> out;
  out.reserve(px_.size() * 3);
  for (size_t i = 0; i < px_.size(); ++i) {
    Rgb c = op_[i] ? px_[i] : background;
    out.push_back(c.r);
    out.push_back(c.g);
    out.push_back(c.b);
  }
  return out;
}

Image Image::MaskOf() const {
  Image m(w_, h_, kWhite);
  for (size_t i = 0; i < px_.size(); ++i)
    if (op_[i]) m.px_[i] = kBlack;
  return m;
}

void Image::SavePng(const std::string& path) const {
  auto data = Rgb24();
  if (!stbi_write_png(path.c_str(), w_, h_, 3, data.data(), w_ * 3)) throw std::runtime_error("cannot write " + path);
}

Image Image::LoadPng(const std::string& path) {
  int w = 0, h = 0, n = 0;
  unsigned char* data = stbi_load(path.c_str(), &w, &h, &n, 3);
  if (!data) throw std::runtime_error("cannot read " + path);
  Image img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char* p = data + (static_cast<size_t>(y) * w + x) * 3;
      img.Set(x, y, {p[0], p[1], p[2]});
    }
  stbi_image_free(data);
  return img;
}

void Star(Image& img, double cx, double cy, double r, Rgb c) {
  std::vector<std::pair<double, double>> pts;
  for (int i = 0; i < 10; ++i) {
    double a = -M_PI / 2 + i * M_PI / 5, rr = i % 2 ? r * 0.45 : r;
    pts.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
  }
  img.FillPolygon(pts, c);
}

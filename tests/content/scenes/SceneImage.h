// Reads the built scene pictures for the content tests.
#pragma once

#include <stb_image.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace scene_test {

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  int Luma() const { return (r * 299 + g * 587 + b * 114) / 1000; }
  int DistanceTo(const Rgb& o) const { return std::abs(r - o.r) + std::abs(g - o.g) + std::abs(b - o.b); }
};

struct Image {
  int w = 0, h = 0, channels = 0;
  std::vector<unsigned char> px;  // RGB
  bool ok() const { return w > 0; }
  Rgb At(int x, int y) const {
    const unsigned char* p = &px[(static_cast<size_t>(y) * w + x) * 3];
    return {p[0], p[1], p[2]};
  }
};

inline std::string PicturePath(const std::string& name) {
  return std::string(BRAMKO_BINARY_DIR) + "/pictures/" + name + ".png";
}

inline Image LoadPicture(const std::string& name) {
  Image img;
  unsigned char* data = stbi_load(PicturePath(name).c_str(), &img.w, &img.h, &img.channels, 3);
  if (!data) {
    img.w = img.h = 0;
    return img;
  }
  img.px.assign(data, data + static_cast<size_t>(img.w) * img.h * 3);
  stbi_image_free(data);
  return img;
}

// Luma statistics over the rectangle (x0,y0)-(x1,y1), right and bottom exclusive.
struct Span {
  int min_luma = 255, max_luma = 0;
  long sum = 0;
  int count = 0;
  int Mean() const { return count ? static_cast<int>(sum / count) : 0; }
};

inline Span LumaSpan(const Image& img, int x0, int y0, int x1, int y1) {
  Span s;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      int l = img.At(x, y).Luma();
      s.min_luma = std::min(s.min_luma, l);
      s.max_luma = std::max(s.max_luma, l);
      s.sum += l;
      ++s.count;
    }
  return s;
}

}  // namespace scene_test

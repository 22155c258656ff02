// Reads a built picture back from the build folder for the content tests.
#pragma once

#include <stb_image.h>

#include <cstdint>
#include <string>
#include <vector>

struct Pixel {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Pixel&) const = default;
  bool Black() const { return r == 0 && g == 0 && b == 0; }
  bool White() const { return r == 255 && g == 255 && b == 255; }
};

struct Picture {
  int w = 0, h = 0;
  std::vector<Pixel> px;
  bool ok() const { return w > 0; }
  Pixel At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }

  static Picture Load(const std::string& name) {
    Picture p;
    std::string path = std::string(BRAMKO_BINARY_DIR) + "/pictures/" + name + ".png";
    int n = 0;
    unsigned char* data = stbi_load(path.c_str(), &p.w, &p.h, &n, 3);
    if (!data) {
      p.w = p.h = 0;
      return p;
    }
    p.px.resize(static_cast<size_t>(p.w) * p.h);
    for (size_t i = 0; i < p.px.size(); ++i) p.px[i] = {data[3 * i], data[3 * i + 1], data[3 * i + 2]};
    stbi_image_free(data);
    return p;
  }
};

struct Region {
  int x, y, w, h;
};

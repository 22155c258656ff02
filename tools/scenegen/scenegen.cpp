// Build tool: finishes the rendered scene drawings into the pictures the game embeds.
//
//   scenegen flatten IN.png OUT.png W H        RGB picture, IN composited over black
//   scenegen cutout IN.png PIC.png MASK.png W H sprite picture + mask from IN's alpha:
//                                              MASK black = opaque, white = transparent,
//                                              PIC black wherever MASK is white
//   scenegen keyed IN.png OUT.png W H R G B    RGB picture whose see-through parts are the
//                                              single key colour R,G,B (and so is the
//                                              bottom-left pixel, which the game reads as key)
// Every mode fails when IN is not W x H, so a drawing of the wrong size stops the build.
#include <stb_image.h>
#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Rgba {
  int w = 0, h = 0;
  std::vector<unsigned char> px;  // 4 bytes a pixel, straight alpha
};

bool Load(const char* path, int w, int h, Rgba& out) {
  int n = 0;
  unsigned char* data = stbi_load(path, &out.w, &out.h, &n, 4);
  if (!data) {
    std::fprintf(stderr, "scenegen: cannot read %s\n", path);
    return false;
  }
  out.px.assign(data, data + static_cast<size_t>(out.w) * out.h * 4);
  stbi_image_free(data);
  if (out.w != w || out.h != h) {
    std::fprintf(stderr, "scenegen: %s is %dx%d, expected %dx%d\n", path, out.w, out.h, w, h);
    return false;
  }
  return true;
}

bool SaveRgb(const char* path, int w, int h, const std::vector<unsigned char>& rgb) {
  if (!stbi_write_png(path, w, h, 3, rgb.data(), w * 3)) {
    std::fprintf(stderr, "scenegen: cannot write %s\n", path);
    return false;
  }
  return true;
}

// Edge pixels count as solid from half coverage on, so masks and keys get hard edges.
constexpr int kSolidAlpha = 128;

int Flatten(const Rgba& in, const char* out) {
  std::vector<unsigned char> rgb(static_cast<size_t>(in.w) * in.h * 3);
  for (size_t i = 0, n = static_cast<size_t>(in.w) * in.h; i < n; ++i) {
    const unsigned char* p = &in.px[i * 4];
    for (int c = 0; c < 3; ++c) rgb[i * 3 + c] = static_cast<unsigned char>(p[c] * p[3] / 255);
  }
  return SaveRgb(out, in.w, in.h, rgb) ? 0 : 1;
}

int Cutout(const Rgba& in, const char* pic_path, const char* mask_path) {
  size_t n = static_cast<size_t>(in.w) * in.h;
  std::vector<unsigned char> pic(n * 3, 0), mask(n * 3, 255);
  for (size_t i = 0; i < n; ++i) {
    const unsigned char* p = &in.px[i * 4];
    if (p[3] < kSolidAlpha) continue;
    std::memcpy(&pic[i * 3], p, 3);
    std::memset(&mask[i * 3], 0, 3);
  }
  return SaveRgb(pic_path, in.w, in.h, pic) && SaveRgb(mask_path, in.w, in.h, mask) ? 0 : 1;
}

int Keyed(const Rgba& in, const char* out, const unsigned char key[3]) {
  size_t n = static_cast<size_t>(in.w) * in.h;
  std::vector<unsigned char> rgb(n * 3);
  for (size_t i = 0; i < n; ++i) {
    const unsigned char* p = &in.px[i * 4];
    bool solid = p[3] >= kSolidAlpha;
    // A drawn pixel that happens to equal the key would turn into a hole: nudge it.
    bool is_key = solid && std::memcmp(p, key, 3) == 0;
    for (int c = 0; c < 3; ++c) {
      unsigned char v = solid ? p[c] : key[c];
      if (is_key && c == 1) v = static_cast<unsigned char>(v < 255 ? v + 1 : v - 1);
      rgb[i * 3 + c] = v;
    }
  }
  size_t bottom_left = static_cast<size_t>(in.h - 1) * in.w;
  std::memcpy(&rgb[bottom_left * 3], key, 3);
  return SaveRgb(out, in.w, in.h, rgb) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::string mode = argc > 1 ? argv[1] : "";
  Rgba in;
  if (mode == "flatten" && argc == 6) {
    if (!Load(argv[2], std::atoi(argv[4]), std::atoi(argv[5]), in)) return 1;
    return Flatten(in, argv[3]);
  }
  if (mode == "cutout" && argc == 7) {
    if (!Load(argv[2], std::atoi(argv[5]), std::atoi(argv[6]), in)) return 1;
    return Cutout(in, argv[3], argv[4]);
  }
  if (mode == "keyed" && argc == 9) {
    if (!Load(argv[2], std::atoi(argv[4]), std::atoi(argv[5]), in)) return 1;
    unsigned char key[3];
    for (int c = 0; c < 3; ++c) key[c] = static_cast<unsigned char>(std::atoi(argv[6 + c]));
    return Keyed(in, argv[3], key);
  }
  std::fprintf(stderr,
               "usage: scenegen flatten IN OUT W H | cutout IN PIC MASK W H | "
               "keyed IN OUT W H R G B\n");
  return 2;
}

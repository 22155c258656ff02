// Display glyphs stay legible and apart; faces and the reporter's frames behave as drawn.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "PictureFile.h"

namespace {

// Each glyph is solid enough to read and keeps clear of its cell's edges, so letters
// printed 32 pixels apart never run into each other.
TEST(GlyphsAndFaces, GlyphsAreSolidAndKeepAMargin) {
  Picture mask = Picture::Load("mojimask");
  Picture pic = Picture::Load("moji");
  ASSERT_TRUE(mask.ok() && pic.ok());
  for (int n = 0; n < 46; ++n) {
    int cx = 32 * (n % 8), cy = 32 * (n / 8);
    int opaque = 0, bright = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        if (!mask.At(cx + x, cy + y).Black()) continue;
        ++opaque;
        EXPECT_TRUE(x > 0 && y > 0 && x < 31 && y < 31) << "glyph " << n << " touches its cell edge";
        Pixel c = pic.At(cx + x, cy + y);
        if (c.r + c.g + c.b > 450) ++bright;
      }
    // the middle dot and the full stop are the smallest glyphs
    EXPECT_GT(opaque, n == 39 || n == 43 ? 40 : 150) << "glyph " << n;
    EXPECT_GT(bright, 8) << "glyph " << n << " has no bright face";
  }
  // the cells past the 46th stay empty
  for (int n = 46; n < 48; ++n)
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) ASSERT_TRUE(mask.At(32 * (n % 8) + x, 32 * (n / 8) + y).White());
}

// Talking changes only the mouth; the nod moves the head.
TEST(GlyphsAndFaces, ReporterFramesTalkAndNod) {
  Picture p = Picture::Load("REPORTER");
  ASSERT_TRUE(p.ok());
  auto differing = [&](int ax, int ay, int bx, int by) {
    int d = 0;
    for (int y = 0; y < 128; ++y)
      for (int x = 0; x < 128; ++x)
        if (!(p.At(ax + x, ay + y) == p.At(bx + x, by + y))) ++d;
    return d;
  };
  int talk = differing(0, 0, 128, 0);
  int nod = differing(0, 0, 0, 128);
  EXPECT_GT(talk, 0);
  EXPECT_LT(talk, 128 * 128 / 20) << "talking should move the mouth, not the whole face";
  EXPECT_GT(nod, talk) << "the nod should move more than the mouth";
}

// Faces sit in the same frame: the card border is alike on every face.
TEST(GlyphsAndFaces, FacesShareOneFrame) {
  Picture kao = Picture::Load("kao");
  ASSERT_TRUE(kao.ok());
  for (int id = 1; id < 20; ++id) {
    int x = 160 * (id % 4), y = 160 * (id / 4);
    for (int k = 0; k < 160; k += 7) {
      EXPECT_EQ(kao.At(x + k, y + 1), kao.At(k, 1)) << "face " << id;
      EXPECT_EQ(kao.At(x + 1, y + k), kao.At(1, k)) << "face " << id;
    }
  }
}

// Twenty people, not one template recoloured. A face's outline is its dark pixels
// (luminance below 60) inside the cell less an 8-pixel border; two faces overlap by
// |A and B| / |A or B|. The union is the denominator: it is the measure the old sheet of
// enlarged 32-pixel sprites was judged by (a median of 47 % and a closest pair of 98 %;
// dividing by the smaller face gives 88 % and 99 % there), and it charges shared outline
// against all the outline of the pair, where the smaller face would rank the nearly
// invisible postman as a copy of any face busy enough to cover his few lines.
TEST(GlyphsAndFaces, FacesAreDrawnApart) {
  Picture kao = Picture::Load("kao");
  ASSERT_TRUE(kao.ok());
  constexpr int kCell = 160, kBorder = 8, kInner = kCell - 2 * kBorder;
  std::vector<std::vector<bool>> outline(20, std::vector<bool>(kInner * kInner));
  std::vector<int> size(20);
  for (int id = 0; id < 20; ++id)
    for (int y = 0; y < kInner; ++y)
      for (int x = 0; x < kInner; ++x) {
        Pixel p = kao.At(kCell * (id % 4) + kBorder + x, kCell * (id / 4) + kBorder + y);
        bool dark = 299 * p.r + 587 * p.g + 114 * p.b < 60 * 1000;
        outline[id][y * kInner + x] = dark;
        size[id] += dark;
      }
  std::vector<double> overlaps;
  for (int a = 0; a < 20; ++a) {
    EXPECT_GT(size[a], 1000) << "face " << a << " has too little outline to read at 1x";
    for (int b = a + 1; b < 20; ++b) {
      int both = 0;
      for (int i = 0; i < kInner * kInner; ++i) both += outline[a][i] && outline[b][i];
      double overlap = static_cast<double>(both) / std::max(1, size[a] + size[b] - both);
      EXPECT_LE(overlap, 0.40) << "faces " << a << " and " << b << " share most of their outline";
      overlaps.push_back(overlap);
    }
  }
  std::sort(overlaps.begin(), overlaps.end());
  double median = (overlaps[overlaps.size() / 2 - 1] + overlaps[overlaps.size() / 2]) / 2;
  EXPECT_LE(median, 0.20) << "the faces share too much outline overall";
}

}  // namespace

// The built sprite pictures: sizes, every region the game cuts, and the masks.
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>

#include "PictureFile.h"

namespace {

const std::map<std::string, std::pair<int, int>> kSizes = {
    {"char2", {640, 1152}},   {"mask2", {640, 96}},    {"char0", {256, 224}},    {"mask0", {256, 224}},
    {"screen", {256, 256}},   {"moji", {256, 192}},    {"mojimask", {256, 192}}, {"kao", {640, 800}},
    {"REPORTER", {256, 256}}, {"MessageMask", {8, 8}},
};

const Picture& Get(const std::string& name) {
  static std::map<std::string, Picture> cache;
  auto it = cache.find(name);
  if (it == cache.end()) it = cache.emplace(name, Picture::Load(name)).first;
  return it->second;
}

bool Inside(const Picture& p, Region r) { return r.x >= 0 && r.y >= 0 && r.x + r.w <= p.w && r.y + r.h <= p.h; }

// A cut region must show something: more than one colour.
bool HasContent(const Picture& p, Region r) {
  Pixel first = p.At(r.x, r.y);
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x)
      if (!(p.At(x, y) == first)) return true;
  return false;
}

bool Same(const Picture& p, Region a, Region b) {
  for (int y = 0; y < a.h; ++y)
    for (int x = 0; x < a.w; ++x)
      if (!(p.At(a.x + x, a.y + y) == p.At(b.x + x, b.y + y))) return false;
  return true;
}

// Every region the game's code cuts, per picture.
std::map<std::string, std::vector<Region>> CutRegions() {
  std::map<std::string, std::vector<Region>> r;
  auto& c2 = r["char2"];
  for (int row = 0; row <= 20; ++row)
    for (int col = 0; col < 8; ++col) c2.push_back({32 * col, 32 * row, 32, 32});
  for (int x : {256, 544}) {
    c2.push_back({x, 0, 16, 16});
    for (int k = 0; k < 3; ++k) c2.push_back({x, 32 + 8 * k, 8, 8});
  }
  for (int id = 0; id < 20; ++id) {
    c2.push_back({272 + 16 * id, 0, 16, 16});
    for (int k = 0; k < 3; ++k) c2.push_back({272 + 16 * id, 32 + 8 * k, 8, 8});
  }
  for (int x : {256, 288, 320, 352, 384, 416, 448}) c2.push_back({x, 64, 32, 32});
  for (int set = 0; set < 2; ++set)
    for (int d = 0; d < 10; ++d) c2.push_back({256 + 48 * (d % 5), 96 + 144 * set + 72 * (d / 5), 48, 72});
  for (int i = 0; i < 8; ++i) c2.push_back({256 + 64 * (i % 5), 384 + 64 * (i / 5), 64, 64});
  for (int n = 0; n < 4; ++n) c2.push_back({448 + 16 * n, 448, 16, 16});
  c2.push_back({256, 512, 256, 96});
  c2.push_back({0, 672, 640, 480});
  auto& m2 = r["mask2"];
  for (int row = 0; row < 2; ++row)
    for (int col = 0; col < 8; ++col) m2.push_back({32 * col, 32 * row, 32, 32});
  for (int x : {256, 288, 352, 384}) m2.push_back({x, 64, 32, 32});
  for (int x : {0, 32}) {
    r["char0"].push_back({x, 0, 32, 32});
    r["char0"].push_back({x, 32, 32, 32});
    r["mask0"].push_back({x, 0, 32, 32});
    r["mask0"].push_back({x, 32, 32, 32});
  }
  for (int x : {144, 160, 176}) r["screen"].push_back({x, 64, 16, 16});
  r["screen"].push_back({240, 32, 16, 16});
  r["screen"].push_back({208, 80, 16, 16});
  for (int n = 0; n < 46; ++n) {
    r["moji"].push_back({32 * (n % 8), 32 * (n / 8), 32, 32});
    r["mojimask"].push_back({32 * (n % 8), 32 * (n / 8), 32, 32});
  }
  for (int id = 0; id < 20; ++id) r["kao"].push_back({160 * (id % 4), 160 * (id / 4), 160, 160});
  for (int i = 0; i < 4; ++i) r["REPORTER"].push_back({128 * (i % 2), 128 * (i / 2), 128, 128});
  r["MessageMask"].push_back({0, 0, 8, 8});
  return r;
}

TEST(SpriteSheets, EveryPictureExistsAtItsSize) {
  for (auto& [name, size] : kSizes) {
    const Picture& p = Get(name);
    ASSERT_TRUE(p.ok()) << name << ".png was not built";
    EXPECT_EQ(p.w, size.first) << name;
    EXPECT_EQ(p.h, size.second) << name;
  }
}

TEST(SpriteSheets, EveryCutRegionLiesInsideAndShowsSomething) {
  for (auto& [name, regions] : CutRegions()) {
    const Picture& p = Get(name);
    ASSERT_TRUE(p.ok()) << name;
    for (Region r : regions) {
      ASSERT_TRUE(Inside(p, r)) << name << " region " << r.x << "," << r.y;
      EXPECT_TRUE(HasContent(p, r)) << name << " region " << r.x << "," << r.y << " " << r.w << "x" << r.h
                                    << " is blank";
    }
  }
}

// For every fighter row: no colour where the mask is transparent, and only a small share
// of the opaque pixels pure black (which would show as holes or halos).
TEST(SpriteSheets, FighterRowsFitTheirMasks) {
  const Picture& pic = Get("char2");
  const Picture& mask = Get("mask2");
  ASSERT_TRUE(pic.ok() && mask.ok());
  std::vector<int> rows;
  for (int row = 0; row <= 20; ++row) rows.push_back(32 * row);  // row 576 (the right player) among them
  long allOpaque = 0, allBlack = 0;
  for (int top : rows) {
    int maskTop = top == 0 ? 0 : 32;  // computer rows all share the left-facing silhouettes
    long opaque = 0, black = 0, leaks = 0;
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 256; ++x) {
        Pixel m = mask.At(x, maskTop + y), c = pic.At(x, top + y);
        ASSERT_TRUE(m.Black() || m.White()) << "mask2 must be black and white only";
        if (m.White()) {
          if (!c.Black()) ++leaks;
        } else {
          ++opaque;
          if (c.Black()) ++black;
        }
      }
    EXPECT_EQ(leaks, 0) << "row y " << top << " has colour outside its mask";
    EXPECT_GT(opaque, 0);
    EXPECT_LT(black * 100, opaque * 3) << "row y " << top << " is too often pure black inside its mask";
    allOpaque += opaque;
    allBlack += black;
    std::printf("fighter row y %4d: %5ld opaque pixels, %.2f%% pure black\n", top, opaque,
                opaque ? 100.0 * black / opaque : 0.0);
  }
  std::printf("all fighter rows: %.3f%% of opaque pixels pure black\n", 100.0 * allBlack / allOpaque);
}

// Masked parts outside the fighter rows: item, round-end sprites, glyphs, small sheet cells.
TEST(SpriteSheets, MaskedPartsAreBlackWhereTheirMaskIsWhite) {
  struct Pair {
    const char* pic;
    const char* mask;
    Region r;
  };
  std::vector<Pair> pairs = {{"char2", "mask2", {256, 64, 64, 32}},
                             {"char2", "mask2", {352, 64, 64, 32}},
                             {"char0", "mask0", {0, 0, 64, 64}},
                             {"moji", "mojimask", {0, 0, 256, 192}}};
  for (auto& pr : pairs) {
    const Picture& p = Get(pr.pic);
    const Picture& m = Get(pr.mask);
    long opaque = 0;
    for (int y = pr.r.y; y < pr.r.y + pr.r.h; ++y)
      for (int x = pr.r.x; x < pr.r.x + pr.r.w; ++x) {
        if (m.At(x, y).White())
          ASSERT_TRUE(p.At(x, y).Black()) << pr.pic << " (" << x << "," << y << ") shows outside its mask";
        else
          ++opaque;
      }
    EXPECT_GT(opaque, 0) << pr.pic;
  }
  // chips are drawn through an all-black stretch of mask2
  const Picture& m2 = Get("mask2");
  for (int y = 0; y < 16; ++y)
    for (int x = 256; x < 592; ++x) ASSERT_TRUE(m2.At(x, y).Black()) << "chip mask at " << x << "," << y;
}

TEST(SpriteSheets, LooksAndGlyphsAreDistinct) {
  const Picture& c2 = Get("char2");
  // every look's frame A differs from every other's (character 17 is also the right player)
  for (int a = 0; a <= 20; ++a)
    for (int b = a + 1; b <= 20; ++b)
      EXPECT_FALSE(Same(c2, {0, 32 * a, 32, 32}, {0, 32 * b, 32, 32})) << "rows " << a << " and " << b;
  // hit looks and victory poses differ from the plain frame
  for (int row = 0; row <= 20; ++row)
    for (int col : {4, 6, 7}) EXPECT_FALSE(Same(c2, {0, 32 * row, 32, 32}, {32 * col, 32 * row, 32, 32}));
  // the last-ten-seconds digits look different from the normal ones
  for (int d = 0; d < 10; ++d) {
    Region normal{256 + 48 * (d % 5), 96 + 72 * (d / 5), 48, 72};
    Region urgent{normal.x, normal.y + 144, 48, 72};
    EXPECT_FALSE(Same(c2, normal, urgent)) << "digit " << d;
  }
  const Picture& moji = Get("moji");
  for (int a = 0; a < 46; ++a)
    for (int b = a + 1; b < 46; ++b)
      EXPECT_FALSE(Same(moji, {32 * (a % 8), 32 * (a / 8), 32, 32}, {32 * (b % 8), 32 * (b / 8), 32, 32}))
          << "glyphs " << a << " and " << b;
  const Picture& kao = Get("kao");
  for (int a = 0; a < 20; ++a)
    for (int b = a + 1; b < 20; ++b)
      EXPECT_FALSE(Same(kao, {160 * (a % 4), 160 * (a / 4), 160, 160}, {160 * (b % 4), 160 * (b / 4), 160, 160}))
          << "faces " << a << " and " << b;
}

// Map markers and the message tile are drawn with their bottom-left colour as transparent.
TEST(SpriteSheets, KeyedPartsKeepTheirKeyColourAtTheBottomLeft) {
  const Picture& screen = Get("screen");
  for (int x : {144, 160, 176}) {
    Pixel key = screen.At(x, 64 + 15);
    long visible = 0;
    for (int y = 64; y < 80; ++y)
      for (int i = x; i < x + 16; ++i)
        if (!(screen.At(i, y) == key)) ++visible;
    EXPECT_GT(visible, 40) << "marker at " << x;
    EXPECT_LT(visible, 256 - 20) << "marker at " << x << " leaves no transparent border";
  }
  const Picture& tile = Get("MessageMask");
  Pixel key = tile.At(0, 7);
  int covered = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (!(tile.At(x, y) == key)) ++covered;
  EXPECT_GT(covered, 8);
  EXPECT_LT(covered, 56);
  // No lone pixel, dark or clear: each lies in a 2 x 2 square of its own kind (the tile
  // repeats), or the screen shimmers when the window scales by a fraction.
  auto same = [&](int x, int y, int dx, int dy) { return tile.At((x + dx) % 8, (y + dy) % 8) == tile.At(x, y); };
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool inSquare = false;
      for (int sx : {1, 7})  // right or left, below or above
        for (int sy : {1, 7}) inSquare |= same(x, y, sx, 0) && same(x, y, 0, sy) && same(x, y, sx, sy);
      EXPECT_TRUE(inSquare) << "lone pixel at " << x << "," << y;
    }
}

}  // namespace

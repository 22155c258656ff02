// The places the game draws on or points at in the scene pictures are left readable.
#include <gtest/gtest.h>

#include <vector>

#include "SceneImage.h"

using namespace scene_test;

namespace {

struct Point {
  int x, y;
};

struct MapCase {
  const char* name;
  std::vector<Point> waypoints;
};

// Waypoint tables of the three story maps (cursor top-left corners).
const std::vector<MapCase> kMaps = {
    {"KRSTAGE1", {{279, 367}, {245, 335}, {218, 291}, {230, 240}, {260, 220}, {319, 192}, {326, 146}, {240, 110}}},
    {"KRSTAGE2", {{24, 340}, {84, 340}, {184, 340}, {284, 340}, {384, 340}, {484, 340}}},
    {"DoraQSTAGE", {{13, 320}, {97, 286}, {145, 250}, {260, 260}, {408, 232}, {463, 194}, {475, 164}}},
};

// The 16x16 spot a marker is drawn on, as one colour (or nothing when it is not one colour).
bool SpotColour(const Image& img, Point wp, Rgb& out) {
  Rgb first = img.At(wp.x + 8, wp.y + 8);
  for (int y = wp.y + 8; y < wp.y + 24; ++y)
    for (int x = wp.x + 8; x < wp.x + 24; ++x)
      if (img.At(x, y).DistanceTo(first) > 6) return false;
  out = first;
  return true;
}

}  // namespace

TEST(MapPictures, MarkerSpotsArePlainLightStonesWithAnOutline) {
  Rgb stone{};
  bool have_stone = false;
  for (const MapCase& map : kMaps) {
    Image img = LoadPicture(map.name);
    ASSERT_TRUE(img.ok()) << map.name;
    for (size_t i = 0; i < map.waypoints.size(); ++i) {
      SCOPED_TRACE(std::string(map.name) + " waypoint " + std::to_string(i));
      Point wp = map.waypoints[i];
      Rgb c;
      ASSERT_TRUE(SpotColour(img, wp, c)) << "nothing of the picture shows through a marker";
      EXPECT_GT(c.Luma(), 200);
      if (!have_stone) {
        stone = c;
        have_stone = true;
      }
      EXPECT_LE(c.DistanceTo(stone), 6) << "every map uses the same stepping stone";
      // The stone's dark rim surrounds the spot: sample the four compass points 15 px out.
      int cx = wp.x + 16, cy = wp.y + 16, dark = 0;
      const Point rim[] = {{cx - 15, cy}, {cx + 14, cy}, {cx, cy - 15}, {cx, cy + 14}};
      for (Point p : rim) dark += img.At(p.x, p.y).Luma() < 90;
      EXPECT_GE(dark, 3);
    }
  }
}

TEST(MapPictures, MarkersStandOutFromTheStones) {
  // The markers come from the small-parts sheet; each must differ from the stone under it.
  Image parts = LoadPicture("screen");
  Image map = LoadPicture("KRSTAGE1");
  if (!parts.ok() || parts.w != 256) GTEST_SKIP() << "small-parts sheet not built";
  ASSERT_TRUE(map.ok());
  Rgb stone;
  ASSERT_TRUE(SpotColour(map, {279, 367}, stone));
  for (int mx : {144, 160, 176}) {
    SCOPED_TRACE("marker at x " + std::to_string(mx));
    Rgb key = parts.At(mx, 79);  // bottom-left pixel is the see-through colour
    int opaque = 0, distinct = 0;
    for (int y = 64; y < 80; ++y)
      for (int x = mx; x < mx + 16; ++x) {
        Rgb c = parts.At(x, y);
        if (c == key) continue;
        ++opaque;
        distinct += c.DistanceTo(stone) > 120;
      }
    ASSERT_GT(opaque, 0);
    EXPECT_GT(distinct * 2, opaque) << "most of the marker contrasts with the stone";
  }
}

TEST(MenuPictures, EachCaptionSitsBesideTheCursorRow) {
  struct Menu {
    const char* name;
    int rows, first_centre;
  };
  for (Menu m : {Menu{"C2MENU3", 5, 126}, Menu{"C2MENU4", 6, 126}, Menu{"C2MENU5", 6, 142}}) {
    Image img = LoadPicture(m.name);
    ASSERT_TRUE(img.ok()) << m.name;
    for (int i = 0; i < m.rows; ++i) {
      SCOPED_TRACE(std::string(m.name) + " row " + std::to_string(i));
      int centre = m.first_centre + 32 * i;
      // Dark caption strokes inside this row's band, right of the cursor, centred on the
      // row the cursor stands in.
      int dark = 0;
      long y_sum = 0;
      for (int y = centre - 11; y <= centre + 11; ++y)
        for (int x = 164; x < 300; ++x)
          if (img.At(x, y).Luma() < 90) {
            ++dark;
            y_sum += y;
          }
      ASSERT_GT(dark, 60) << "no caption";
      double mid = static_cast<double>(y_sum) / dark;
      EXPECT_NEAR(mid, centre, 4.0);
      // The ground behind the caption is light, so dark strokes read.
      EXPECT_GT(LumaSpan(img, 164, centre - 11, 300, centre + 11).max_luma, 200);
      // The cursor's own cell stays clear of text: one calm dark ground.
      Span cell = LumaSpan(img, 122, centre - 12, 146, centre + 12);
      EXPECT_LT(cell.max_luma, 110);
    }
    // Below the last row there is no further caption ground.
    Rgb pill = img.At(156, m.first_centre);
    int below = m.first_centre + 32 * m.rows, pill_pixels = 0;
    for (int y = below - 10; y <= below + 10; ++y)
      for (int x = 156; x < 300; ++x) pill_pixels += img.At(x, y).DistanceTo(pill) <= 6;
    EXPECT_LT(pill_pixels, 20) << m.name << ": no item after the last one";
  }
}

TEST(MenuPictures, VersusMenuLeavesItsGlyphPlacesDark) {
  Image img = LoadPicture("C2_MENU");
  ASSERT_TRUE(img.ok());
  struct Box {
    int x, y, w, h;
  };
  // Heading, both player columns (title and four rows), "<power>" and the power cells.
  for (Box b : {Box{48, 32, 512, 32}, Box{32, 96, 256, 160}, Box{352, 96, 256, 160}, Box{32, 318, 224, 64},
                Box{352, 318, 224, 64}}) {
    SCOPED_TRACE("box at " + std::to_string(b.x) + "," + std::to_string(b.y));
    Span s = LumaSpan(img, b.x, b.y, b.x + b.w, b.y + b.h);
    EXPECT_LT(s.max_luma, 100);
    EXPECT_LT(s.max_luma - s.min_luma, 40) << "a calm ground under the glyphs";
  }
}

TEST(TextPictures, WritingPlacesHaveTheRightGround) {
  Image enemy = LoadPicture("ENEMY");
  ASSERT_TRUE(enemy.ok());
  // Black size-12 lines: name, clear condition, profile lines; rating labels left of x 368.
  EXPECT_GT(LumaSpan(enemy, 224, 40, 600, 54).min_luma, 170);
  EXPECT_GT(LumaSpan(enemy, 240, 74, 600, 152).min_luma, 170);
  EXPECT_LT(LumaSpan(enemy, 300, 160, 362, 240).min_luma, 90) << "rating labels are printed";
  // The nine-star track behind the copied star icons is one dark bar.
  EXPECT_LT(LumaSpan(enemy, 368, 160, 512, 240).max_luma, 70);
  // White size-18 spoken lines from (56,274), five lines 32 px apart.
  EXPECT_LT(LumaSpan(enemy, 56, 274, 590, 274 + 5 * 32 - 8).max_luma, 40);

  Image rules = LoadPicture("C2CANVAS");
  ASSERT_TRUE(rules.ok());
  for (int k = 0; k < 9; ++k) {
    SCOPED_TRACE("rules line " + std::to_string(k));
    EXPECT_GT(LumaSpan(rules, 72, 48 + 34 * k, 520, 48 + 34 * k + 18).min_luma, 200);
  }

  Image roll = LoadPicture("AENDING");
  ASSERT_TRUE(roll.ok());
  // The staff roll clears (200,314)-(640,480) to black between groups: no seam on the picture.
  EXPECT_EQ(LumaSpan(roll, 200, 314, 640, 400).max_luma, 0);
}

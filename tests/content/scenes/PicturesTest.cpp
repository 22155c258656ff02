// Every scene picture is built at its manifest size, and the see-through rules hold.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "SceneImage.h"

using namespace scene_test;

namespace {

// Pictures drawn by the sprite and face sources, not by the scene drawings.
const char* const kNotScenes[] = {"screen", "char0", "mask0",    "char2",    "mask2",
                                  "kao",    "moji",  "mojimask", "REPORTER", "MessageMask"};

std::map<std::string, std::pair<int, int>> SceneManifest() {
  std::map<std::string, std::pair<int, int>> out;
  std::ifstream in(std::string(BRAMKO_SOURCE_DIR) + "/assets/pictures/manifest.txt");
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string name;
    int w = 0, h = 0;
    if (!(fields >> name >> w >> h)) continue;
    bool scene = true;
    for (const char* other : kNotScenes) scene = scene && name != other;
    if (scene) out[name] = {w, h};
  }
  return out;
}

}  // namespace

TEST(ScenePictures, EveryPictureIsBuiltAtItsSizeAsOpaqueRgb) {
  auto manifest = SceneManifest();
  ASSERT_EQ(manifest.size(), 46u);  // the manifest's 56 names minus the ten sheets above
  for (const auto& [name, size] : manifest) {
    SCOPED_TRACE(name);
    int w = 0, h = 0, n = 0;
    ASSERT_TRUE(stbi_info(PicturePath(name).c_str(), &w, &h, &n)) << "missing picture";
    EXPECT_EQ(w, size.first);
    EXPECT_EQ(h, size.second);
    EXPECT_EQ(n, 3) << "pictures carry no alpha";
  }
}

TEST(ScenePictures, PicturesAreNotFlatCards) {
  // A finished picture uses many colours; a plain card or a failed render uses a handful.
  for (const auto& [name, size] : SceneManifest()) {
    if (name == "AOPM") continue;  // a mask is two colours by design
    SCOPED_TRACE(name);
    Image img = LoadPicture(name);
    ASSERT_TRUE(img.ok());
    std::map<int, int> colours;
    for (int y = 0; y < img.h; y += 2)
      for (int x = 0; x < img.w; x += 2) {
        Rgb c = img.At(x, y);
        ++colours[(c.r << 16) | (c.g << 8) | c.b];
      }
    EXPECT_GT(colours.size(), 40u);
  }
}

TEST(ScenePictures, FallingHeroMaskMatchesItsPicture) {
  Image pic = LoadPicture("AOPC"), mask = LoadPicture("AOPM");
  ASSERT_TRUE(pic.ok());
  ASSERT_TRUE(mask.ok());
  ASSERT_EQ(pic.w, mask.w);
  ASSERT_EQ(pic.h, mask.h);
  const Rgb white{255, 255, 255}, black{0, 0, 0};
  int opaque = 0, coloured_opaque = 0;
  for (int y = 0; y < pic.h; ++y)
    for (int x = 0; x < pic.w; ++x) {
      Rgb m = mask.At(x, y);
      ASSERT_TRUE(m == white || m == black) << "mask is pure black and white at " << x << "," << y;
      if (m == white) {
        ASSERT_EQ(pic.At(x, y), black) << "picture must be black under a white mask at " << x << "," << y;
      } else {
        ++opaque;
        if (!(pic.At(x, y) == black)) ++coloured_opaque;
      }
    }
  int total = pic.w * pic.h;
  EXPECT_GT(opaque, total / 20) << "the hero should be clearly visible";
  EXPECT_LT(opaque, total / 2) << "most of the frame shows the sky behind";
  EXPECT_GT(coloured_opaque, opaque / 2) << "the opaque part is drawn, not a black hole";
}

TEST(ScenePictures, TheEndLetteringHasOneSeeThroughColour) {
  Image img = LoadPicture("OSHIMAI");
  ASSERT_TRUE(img.ok());
  Rgb key = img.At(0, img.h - 1);
  int keyed = 0, near_key = 0;
  for (int y = 0; y < img.h; ++y)
    for (int x = 0; x < img.w; ++x) {
      Rgb c = img.At(x, y);
      if (c == key) {
        ++keyed;
      } else if (c.DistanceTo(key) < 48) {
        ++near_key;  // a blended edge pixel would show as a coloured fringe
      }
    }
  int total = img.w * img.h;
  EXPECT_GT(keyed, total / 3) << "the key colour surrounds the lettering";
  EXPECT_LT(keyed, total * 9 / 10) << "there is lettering";
  EXPECT_EQ(near_key, 0);
  EXPECT_EQ(img.At(0, 0), key);
  EXPECT_EQ(img.At(img.w - 1, 0), key);
}

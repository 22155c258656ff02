// The pixel versions of the recurring characters wear their drawn model's colours: every
// colour class of a character's drawing (scenes/common/style.css) shows in its sprite.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "PictureFile.h"

namespace {

Pixel StyleFill(const std::string& cls) {
  std::ifstream in(std::string(BRAMKO_SOURCE_DIR) + "/assets/scenes/common/style.css");
  std::stringstream css;
  css << in.rdbuf();
  std::smatch m;
  const std::string text = css.str();
  const std::regex rule("\\." + cls + "\\s*\\{\\s*fill:\\s*#([0-9a-fA-F]{6})");
  if (!std::regex_search(text, m, rule)) ADD_FAILURE() << "no fill for ." << cls;
  const unsigned v = m.empty() ? 0 : std::stoul(m[1].str(), nullptr, 16);
  return Pixel{static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)};
}

int Count(const Picture& p, Region r, Pixel c) {
  int n = 0;
  for (int y = r.y; y < r.y + r.h; ++y)
    for (int x = r.x; x < r.x + r.w; ++x) n += p.At(x, y) == c;
  return n;
}

TEST(ModelColours, SpritesWearTheirDrawingsColours) {
  Picture char2 = Picture::Load("char2"), reporter = Picture::Load("REPORTER");
  ASSERT_TRUE(char2.ok() && reporter.ok());
  struct Model {
    const Picture* sheet;
    Region frame;
    std::vector<std::string> classes;
  };
  const Model models[] = {
      {&char2, {0, 0, 32, 32}, {"h-hair", "h-band", "h-jacket", "h-pants", "belt", "skin"}},     // hero
      {&char2, {0, 288, 32, 32}, {"y-hair", "y-clip", "y-top", "y-trim", "y-skirt", "y-boot"}},  // ユイ
      {&char2, {0, 480, 32, 32}, {"d-hair", "d-skin", "d-suit", "d-lining", "d-eye"}},           // DoraQ
      {&reporter, {0, 0, 128, 128}, {"r-hair", "r-suit", "r-tie", "skin"}},
  };
  for (const Model& m : models)
    for (const std::string& cls : m.classes)
      EXPECT_GE(Count(*m.sheet, m.frame, StyleFill(cls)), 2) << "." << cls << " is missing from its sprite";
}

}  // namespace

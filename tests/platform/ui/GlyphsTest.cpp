// Every character of every game text has a glyph in the font atlas of the menus, dialogs
// and help: no text of the game shows a "?" in place of a character.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/ui/FontAtlas.h"
#include "platform/ui/help/LineBreak.h"

namespace {

// The characters beyond ASCII of a file, gathered here on their own (not by the build's list).
void Gather(const std::filesystem::path& file, std::map<char32_t, std::string>& where) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string text = ss.str();
  for (size_t i = 0; i < text.size();) {
    size_t len = 0;
    const char32_t c = platform::DecodeUtf8(text, i, &len);
    i += len;
    if (c > 0x7F && c != 0xFFFD) where.emplace(c, file.filename().string());
  }
}

TEST(Glyphs, EveryCharacterOfTheSourcesAndTheHelpFileIsInTheAtlas) {
  std::map<char32_t, std::string> where;
  for (const auto& e : std::filesystem::recursive_directory_iterator(BRAMKO_SOURCE_DIR "/src"))
    if (e.path().extension() == ".cpp" || e.path().extension() == ".h") Gather(e.path(), where);
  Gather(BRAMKO_RUNTIME_DIR "/BRAMKO.HLP", where);
  ASSERT_GT(where.size(), 500u) << "the texts were not found";
  ASSERT_TRUE(where.count(U'填')) << "the help's 装填 was not read";

  ImFontAtlas atlas;
  ImFont* font = platform::ui::AddGameFont(atlas, 1.0f);
  ASSERT_TRUE(atlas.Build());
  int missing = 0;
  for (const auto& [c, file] : where) {
    if (font->FindGlyphNoFallback(static_cast<ImWchar>(c))) continue;
    if (++missing <= 10) ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << " of " << file;
  }
  EXPECT_EQ(missing, 0);
}

TEST(Glyphs, ATextShownAtRunTimeBringsItsCharactersIntoTheAtlas) {
  // A folder name in a message: characters no game text uses.
  const std::string path = "/home/鬱林/BRAMKO.DAT";
  EXPECT_TRUE(platform::ui::AddGlyphs(path));
  EXPECT_FALSE(platform::ui::AddGlyphs(path)) << "known characters asked for a new atlas";
  ImFontAtlas atlas;
  ImFont* font = platform::ui::AddGameFont(atlas, 2.0f);
  ASSERT_TRUE(atlas.Build());
  EXPECT_NE(font->FindGlyphNoFallback(U'鬱'), nullptr);
  EXPECT_NEAR(font->FontSize, 24.0f, 0.01f);
}

}  // namespace

// Pictures with lettering: the art list (assets/ART.md) names every drawing whose lettering
// goes beyond ASCII, and each one it gives an English version has one, of the same size,
// which an English game loads in its place.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "platform/Pictures.h"
#include "platform/Language.h"
#include "support/Headless.h"

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The art list's table: picture -> whether it has an English version.
std::map<std::string, bool> LetteringList() {
  std::map<std::string, bool> list;
  std::istringstream art(ReadFile(fs::path(BRAMKO_SOURCE_DIR) / "assets/ART.md"));
  const std::regex row(R"(^\| (\w+) \| [^|]+ \| (yes|no)\b)");
  std::smatch m;
  for (std::string line; std::getline(art, line);)
    if (std::regex_search(line, m, row)) list[m[1]] = m[2] == "yes";
  return list;
}

// Whether any <text> or <tspan> of the drawing holds a character beyond ASCII.
bool HasLetteringBeyondAscii(const fs::path& drawing) {
  const std::string svg = ReadFile(drawing);
  const std::regex text(R"(<(text|tspan)\b[^>]*>([^<]*))");
  for (std::sregex_iterator t(svg.begin(), svg.end(), text), end; t != end; ++t)
    for (unsigned char c : (*t)[2].str())
      if (c >= 0x80) return true;
  return false;
}

bool SamePixels(const platform::Bitmap& a, const platform::Bitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
  return true;
}

}  // namespace

TEST(EnglishPictures, EveryLetteredPictureIsListedAndAnEnglishGameLoadsItsEnglishVersion) {
  testing_support::HeadlessPlatform headless;
  const auto list = LetteringList();
  ASSERT_GE(list.size(), 15u) << "the lettering table of assets/ART.md was not found";

  // A new drawing with lettering must be decided on in the list. The faces tile into "kao".
  const fs::path scenes = fs::path(BRAMKO_SOURCE_DIR) / "assets/scenes";
  for (const char* folder : {"src", "faces"})
    for (const auto& entry : fs::directory_iterator(scenes / folder)) {
      if (entry.path().extension() != ".svg" || !HasLetteringBeyondAscii(entry.path())) continue;
      const std::string picture = std::string(folder) == "faces" ? "kao" : entry.path().stem().string();
      EXPECT_TRUE(list.count(picture)) << entry.path().filename() << " has lettering the art list does not name";
    }

  std::set<std::string> english;
  for (const auto& p : platform::ListPictures()) {
    const std::string name = p.name;
    if (name.size() > 3 && name.ends_with(".en")) english.insert(name.substr(0, name.size() - 3));
  }
  for (const auto& [name, informative] : list)
    EXPECT_EQ(english.count(name), informative ? 1u : 0u)
        << name << (informative ? " has no English version" : " is listed as decoration yet has one");

  for (const std::string& name : english) {
    SCOPED_TRACE(name);
    platform::Bitmap japanese, shown, version;
    gLanguage = Language::Japanese;
    ASSERT_TRUE(platform::LoadPicture(name, japanese));
    gLanguage = Language::English;
    ASSERT_TRUE(platform::LoadPicture(name, shown));
    ASSERT_TRUE(platform::LoadPicture(name + ".en", version));
    EXPECT_EQ(shown.Width(), japanese.Width());
    EXPECT_EQ(shown.Height(), japanese.Height());
    EXPECT_TRUE(SamePixels(shown, version)) << "an English game does not load the English version";
    EXPECT_FALSE(SamePixels(version, japanese)) << "the English version is the Japanese picture";
  }
  gLanguage = Language::Japanese;
}

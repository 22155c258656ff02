// Lettering in the scene drawings keeps its outline within 15 % of the letter size, so
// the fill still reads: checked on the SVG sources, where size and outline are written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Properties = std::map<std::string, std::string>;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// "name: value;" declarations of every class rule in the shared style sheet.
std::map<std::string, Properties> ClassRules() {
  std::map<std::string, Properties> rules;
  const std::string css = ReadFile(fs::path(BRAMKO_SOURCE_DIR) / "assets/scenes/common/style.css");
  const std::regex rule(R"(\.([\w-]+)\s*\{([^}]*)\})"), declaration(R"(([\w-]+)\s*:\s*([^;]+))");
  for (std::sregex_iterator r(css.begin(), css.end(), rule), end; r != end; ++r) {
    const std::string body = (*r)[2];
    for (std::sregex_iterator d(body.begin(), body.end(), declaration); d != end; ++d)
      rules[(*r)[1]][(*d)[1]] = (*d)[2];
  }
  return rules;
}

}  // namespace

TEST(SceneLettering, OutlinesStayWithinFifteenPercentOfTheLetterSize) {
  const auto rules = ClassRules();
  const std::vector<std::string> kept = {"font-size", "stroke", "stroke-width"};
  const std::regex comment(R"(<!--[\s\S]*?-->)"), tag(R"(<(/?)([\w-]+)([^>]*?)(/?)>)"),
      attribute(R"(([\w-]+)\s*=\s*"([^"]*)\")");
  int stroked = 0;
  for (const char* folder : {"src", "faces", "common"}) {
    for (const auto& entry : fs::directory_iterator(fs::path(BRAMKO_SOURCE_DIR) / "assets/scenes" / folder)) {
      if (entry.path().extension() != ".svg") continue;
      const std::string svg = std::regex_replace(ReadFile(entry.path()), comment, "");
      // Size and outline are inherited: each open element carries what its text would get.
      std::vector<Properties> open = {{{"font-size", "16"}}};
      for (std::sregex_iterator t(svg.begin(), svg.end(), tag), end; t != end; ++t) {
        const auto& m = *t;
        if (m[1].length()) {
          if (open.size() > 1) open.pop_back();
          continue;
        }
        Properties now = open.back();
        const std::string attributes = m[3];
        std::string classes;
        for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute); a != end; ++a) {
          if ((*a)[1] == "class") classes = (*a)[2];
          for (const auto& name : kept)
            if ((*a)[1] == name) now[name] = (*a)[2];
        }
        std::istringstream names(classes);
        for (std::string name; names >> name;)  // a style sheet rule outranks an attribute
          if (auto rule = rules.find(name); rule != rules.end())
            for (const auto& property : kept)
              if (auto d = rule->second.find(property); d != rule->second.end()) now[property] = d->second;
        if (m[2] == "text" || m[2] == "tspan") {
          const std::string stroke = now["stroke"];
          if (!stroke.empty() && stroke != "none") {
            const double size = std::stod(now["font-size"]);
            const double width = now["stroke-width"].empty() ? 1.0 : std::stod(now["stroke-width"]);
            ++stroked;
            const auto text_start = m.suffix().first;
            EXPECT_LE(width, size * 0.15 + 1e-6) << entry.path().filename().string() << ": \""
                                                 << std::string(text_start, std::find(text_start, svg.end(), '<'))
                                                 << "\" at " << size << " px wears a " << width << " px outline";
          }
        }
        if (m[4].length() == 0) open.push_back(now);
      }
    }
  }
  EXPECT_GT(stroked, 40) << "the scan found the outlined lettering";
}

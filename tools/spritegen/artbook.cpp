#include "artbook.h"

#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

Image Art::Render() const { return Render({}); }

Image Art::Render(const std::map<char, Rgb>& extra) const {
  Image img(w(), h(), kBlack, false);
  for (int y = 0; y < h(); ++y)
    for (int x = 0; x < w(); ++x) {
      char c = rows[y][x];
      if (c == '.') continue;
      auto e = extra.find(c);
      if (e != extra.end()) {
        img.Set(x, y, e->second);
        continue;
      }
      auto it = colours.find(c);
      if (it == colours.end()) throw std::runtime_error("art " + name + ": no colour for '" + c + "'");
      img.Set(x, y, it->second);
    }
  return img;
}

void ArtBook::Load(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw std::runtime_error("cannot read " + path);
  static const std::regex colourLine(R"(^\s*(\S)\s+#?([0-9a-fA-F]{6})\s*(#.*)?$)");
  std::string line, mode;
  std::map<char, Rgb>* palette = nullptr;
  Art* art = nullptr;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    throw std::runtime_error(path + ":" + std::to_string(lineNo) + ": " + why);
  };
  while (std::getline(in, line)) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream words(line);
    std::string first;
    if (!(words >> first)) continue;
    if (first == "#" || (first[0] == '#' && mode.empty())) continue;
    if (mode.empty()) {
      std::string name, pal;
      words >> name >> pal;
      if (name.empty()) fail("missing name");
      if (first == "palette") {
        palette = &palettes_[name];
        mode = "palette";
      } else if (first == "art") {
        if (arts_.count(name)) fail("art " + name + " defined twice");
        art = &arts_[name];
        art->name = name;
        order_.push_back(name);
        if (!pal.empty()) {
          if (!palettes_.count(pal)) fail("unknown palette " + pal);
          art->colours = palettes_[pal];
        }
        mode = "art";
      } else {
        fail("expected palette or art, got " + first);
      }
      continue;
    }
    if (first == "end") {
      if (mode == "art" && art->rows.empty()) fail("art " + art->name + " has no rows");
      mode.clear();
      continue;
    }
    if (first == "like" && mode == "art") {
      std::string other;
      words >> other;
      if (!arts_.count(other)) fail("like: unknown art " + other);
      art->rows = arts_[other].rows;
      continue;
    }
    std::smatch m;
    if (std::regex_match(line, m, colourLine)) {
      char key = m[1].str()[0];
      Rgb c = Hex(m[2].str());
      if (mode == "palette")
        (*palette)[key] = c;
      else
        art->colours[key] = c;
      continue;
    }
    if (mode != "art") fail("bad palette line");
    if (!art->rows.empty() && first.size() != art->rows[0].size())
      fail("row width " + std::to_string(first.size()) + " differs from " + std::to_string(art->rows[0].size()));
    art->rows.push_back(first);
  }
  if (!mode.empty()) fail("missing end");
}

const Art& ArtBook::Get(const std::string& name) const {
  auto it = arts_.find(name);
  if (it == arts_.end()) throw std::runtime_error("no art named " + name);
  return it->second;
}

const std::map<char, Rgb>& ArtBook::Palette(const std::string& name) const {
  auto it = palettes_.find(name);
  if (it == palettes_.end()) throw std::runtime_error("no palette named " + name);
  return it->second;
}

std::vector<std::string> ArtBook::Names(const std::string& prefix) const {
  std::vector<std::string> out;
  for (auto& n : order_)
    if (n.rfind(prefix, 0) == 0) out.push_back(n);
  return out;
}

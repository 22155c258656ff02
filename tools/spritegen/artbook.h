// Pixel art kept as text. A file holds palettes and pictures:
//
//   palette NAME            one "<letter> <#rrggbb>" per line, "end" closes it
//   art NAME [PALETTE]      optional "<letter> <#rrggbb>" overrides, then the rows;
//                           "." is transparent; "end" closes it; "like OTHER" takes
//                           the rows of an earlier art (a palette swap)
//
// Lines starting with '#' (followed by a space or nothing) are comments.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "image.h"

struct Art {
  std::string name;
  std::vector<std::string> rows;
  std::map<char, Rgb> colours;  // palette with the overrides applied
  int w() const { return rows.empty() ? 0 : static_cast<int>(rows[0].size()); }
  int h() const { return static_cast<int>(rows.size()); }
  Image Render() const;
  Image Render(const std::map<char, Rgb>& extra) const;  // extra colours win
};

class ArtBook {
 public:
  void Load(const std::string& path);  // throws with file:line on a malformed file
  const Art& Get(const std::string& name) const;
  bool Has(const std::string& name) const { return arts_.count(name) != 0; }
  const std::map<char, Rgb>& Palette(const std::string& name) const;
  std::vector<std::string> Names(const std::string& prefix) const;  // in file order

 private:
  std::map<std::string, std::map<char, Rgb>> palettes_;
  std::map<std::string, Art> arts_;
  std::vector<std::string> order_;
};

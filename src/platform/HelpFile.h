// platform: the help file "BRAMKO.HLP", our own plain format: UTF-8 text in which a line
// "= keyword" starts a section; the first section is the contents.
#pragma once
#include <string>
#include <vector>

namespace platform {

struct HelpSection {
  std::string keyword;
  std::string body;
};

struct HelpDocument {
  std::vector<HelpSection> sections;
  // The section opened for a keyword: the one headed by it (blanks around either, also
  // full-width ones, do not count), else 0, the contents. -1 when found is asked and none
  // matches.
  int Find(const std::string& keyword, bool exactOnly = false) const;
};

// Reads a help file; a missing or empty one gives a single section that says so.
HelpDocument LoadHelpFile(const std::string& path);

}  // namespace platform

// platform: reading the help file and finding a keyword's section.
#include "platform/HelpFile.h"

#include <fstream>
#include <string_view>

namespace platform {

namespace {

// Trims ASCII blanks and the ideographic space: a keyword set by a screen may carry one
// (an opponent's name padded to its full width).
std::string_view Trim(std::string_view s) {
  constexpr std::string_view kWide = "\u3000";
  for (;;) {
    if (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    else if (s.substr(0, kWide.size()) == kWide) s.remove_prefix(kWide.size());
    else if (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    else if (s.size() >= kWide.size() && s.substr(s.size() - kWide.size()) == kWide) s.remove_suffix(kWide.size());
    else return s;
  }
}

}  // namespace

int HelpDocument::Find(const std::string& keyword, bool exactOnly) const {
  const std::string_view wanted = Trim(keyword);
  if (!wanted.empty())
    for (size_t i = 0; i < sections.size(); ++i)
      if (Trim(sections[i].keyword) == wanted) return static_cast<int>(i);
  return exactOnly ? -1 : 0;
}

HelpDocument LoadHelpFile(const std::string& path) {
  HelpDocument doc;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("= ", 0) == 0) {
      doc.sections.push_back({std::string(Trim(line.substr(2))), ""});
    } else if (!doc.sections.empty()) {
      doc.sections.back().body += line + "\n";
    }
  }
  for (auto& s : doc.sections)
    while (!s.body.empty() && (s.body.back() == '\n')) s.body.pop_back();
  if (doc.sections.empty())
    doc.sections.push_back({"ヘルプ", "ヘルプファイル " + path + " が見つかりません。"});
  return doc;
}

}  // namespace platform

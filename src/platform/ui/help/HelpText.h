// platform/ui/help: the help file "BRAMKO.HLP": UTF-8 text in which a line "= keyword" starts a
// section; the first section is the contents.
#pragma once
#include <string>
#include <vector>

namespace platform {

// Our help file is a few kilobytes; reading stops here.
constexpr size_t kMaxHelpBytes = 1 << 20;

struct HelpSection {
  std::string keyword;
  std::string body;  // lines each ending in "\n"
};

// The sections of the text, CR LF or LF line breaks. Text before the first heading is not
// shown. Bytes that are not UTF-8 become U+FFFD, so the viewer only ever gets valid text.
std::vector<HelpSection> ParseHelpText(const std::string& text);
// The file's sections (at most kMaxHelpBytes of it); none when it cannot be read.
std::vector<HelpSection> LoadHelpFile(const std::string& file);
// The section opened for a keyword: the one headed by it (blanks around either, also
// full-width ones, do not count), else 0, the contents; -1 instead when exactOnly.
int FindHelpSection(const std::vector<HelpSection>& sections, const std::string& keyword, bool exactOnly = false);

}  // namespace platform

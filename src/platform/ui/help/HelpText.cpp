// platform/ui/help: reading the help file into sections.
#include "platform/ui/help/HelpText.h"

#include <cstdint>
#include <string_view>

#include "platform/files/InputFile.h"

namespace platform {

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0 when there is none.
size_t Utf8Length(const std::string& s, size_t i) {
  const auto b = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = b(i);
  size_t n;
  uint32_t cp;
  if (c < 0x80) return 1;
  if (c >= 0xC2 && c <= 0xDF)
    n = 2, cp = c & 0x1F;
  else if (c >= 0xE0 && c <= 0xEF)
    n = 3, cp = c & 0x0F;
  else if (c >= 0xF0 && c <= 0xF4)
    n = 4, cp = c & 0x07;
  else
    return 0;
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((b(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b(i + k) & 0x3F);
  }
  // Overlong forms, surrogates and code points past U+10FFFF are not text.
  if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return n;
}

std::string ValidUtf8(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    size_t n = Utf8Length(s, i);
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
    } else {
      out.append(s, i, n);
      i += n;
    }
  }
  return out;
}

// Trims ASCII blanks and the ideographic space: a keyword set by a screen may carry one
// (an opponent's name padded to its full width).
std::string_view Trim(std::string_view s) {
  constexpr std::string_view kWide = "\u3000";
  for (;;) {
    if (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
      s.remove_prefix(1);
    else if (s.substr(0, kWide.size()) == kWide)
      s.remove_prefix(kWide.size());
    else if (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
      s.remove_suffix(1);
    else if (s.size() >= kWide.size() && s.substr(s.size() - kWide.size()) == kWide)
      s.remove_suffix(kWide.size());
    else
      return s;
  }
}

}  // namespace

int FindHelpSection(const std::vector<HelpSection>& sections, const std::string& keyword, bool exactOnly) {
  const std::string_view wanted = Trim(keyword);
  if (!wanted.empty())
    for (size_t i = 0; i < sections.size(); ++i)
      if (Trim(sections[i].keyword) == wanted) return static_cast<int>(i);
  return exactOnly ? -1 : 0;
}

std::vector<HelpSection> ParseHelpText(const std::string& raw) {
  const std::string text = ValidUtf8(raw);
  std::vector<HelpSection> sections;
  size_t from = 0;
  while (from < text.size()) {
    size_t nl = text.find('\n', from);
    size_t stop = nl == std::string::npos ? text.size() : nl;
    std::string line = text.substr(from, stop - from);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("= ", 0) == 0)
      sections.push_back({line.substr(2), ""});
    else if (!sections.empty())
      sections.back().body += line + "\n";
    if (nl == std::string::npos) break;
    from = nl + 1;
  }
  return sections;
}

std::vector<HelpSection> LoadHelpFile(const std::string& file) {
  std::string text;
  if (!Got(ReadFile(file, kMaxHelpBytes, text, Larger::Cut))) return {};
  return ParseHelpText(text);
}

}  // namespace platform

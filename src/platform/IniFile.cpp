// platform: INI files, read and written one value at a time.
#include "platform/IniFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/Files.h"
#include "platform/Text.h"

namespace platform {

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

// Names compare without regard to the case of ASCII letters; the second byte of a two-byte
// Shift-JIS character is compared as it is (it may look like an ASCII letter).
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[i]);
    if (IsSjisLeadByte(ca) && i + 1 < a.size()) {
      if (ca != cb || a[i + 1] != b[i + 1]) return false;
      ++i;
      continue;
    }
    if (std::tolower(ca) != std::tolower(cb)) return false;
  }
  return true;
}

struct Lines {
  std::vector<std::string> lines;  // without their "\n" (a "\r" stays on its line)
  bool lastEndsLine = true;        // the file ends with a line break (or is empty)
};

Lines ReadLines(const std::string& path) {
  Lines r;
  std::ifstream in(path, std::ios::binary);
  if (!in) return r;
  std::stringstream ss;
  ss << in.rdbuf();
  const std::string text = ss.str();
  size_t from = 0;
  while (from < text.size()) {
    size_t nl = text.find('\n', from);
    if (nl == std::string::npos) {
      r.lines.push_back(text.substr(from));
      r.lastEndsLine = false;
      break;
    }
    r.lines.push_back(text.substr(from, nl - from));
    from = nl + 1;
  }
  return r;
}

// Finds the line of a key in a section: returns its index, or -1; sectionEnd receives the
// index after the last line of the section (or -1 when the section is missing).
int FindKey(const std::vector<std::string>& lines, const std::string& section, const std::string& key,
            int* sectionEnd) {
  bool inSection = false;
  *sectionEnd = -1;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string t = Trim(lines[i]);
    if (!t.empty() && t[0] == '[') {
      if (*sectionEnd >= 0) return -1;  // only the first section of that name counts
      auto close = t.find(']');
      inSection = close != std::string::npos && SameName(Trim(t.substr(1, close - 1)), section);
      if (inSection) *sectionEnd = static_cast<int>(i) + 1;
      continue;
    }
    if (!inSection) continue;
    if (!t.empty()) *sectionEnd = static_cast<int>(i) + 1;
    auto eq = t.find('=');
    if (eq != std::string::npos && SameName(Trim(t.substr(0, eq)), key)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace

std::string IniReadString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& def) {
  auto lines = ReadLines(path).lines;
  int end = -1;
  int at = FindKey(lines, Utf8ToSjis(section), Utf8ToSjis(key), &end);
  if (at < 0) return def;
  std::string v = Trim(lines[static_cast<size_t>(at)].substr(lines[static_cast<size_t>(at)].find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  return v;
}

int IniReadInt(const std::string& path, const std::string& section, const std::string& key, int def) {
  const std::string missing = "\x01";
  std::string v = IniReadString(path, section, key, missing);
  if (v == missing) return def;
  size_t i = 0;
  bool neg = false;
  if (i < v.size() && v[i] == '-') neg = true, ++i;
  long long n = 0;
  while (i < v.size() && v[i] >= '0' && v[i] <= '9' && n < 0x7FFFFFFF) n = n * 10 + (v[i++] - '0');
  return static_cast<int>(neg ? -n : n);
}

bool IniWriteString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value) {
  Lines file = ReadLines(path);
  auto& lines = file.lines;
  const size_t oldCount = lines.size();
  const std::string sec = Utf8ToSjis(section), k = Utf8ToSjis(key);
  int end = -1;
  int at = FindKey(lines, sec, k, &end);
  // Keep the file's own line ending.
  bool crlf = !lines.empty() && !lines[0].empty() && lines[0].back() == '\r';
  const std::string eol = crlf ? "\r" : "";
  bool appendedAtEnd = at < 0 && (end < 0 || static_cast<size_t>(end) >= oldCount);
  // A last line without its line break gets one before anything is added after it.
  if (appendedAtEnd && !file.lastEndsLine && !lines.empty() && !lines.back().empty() && lines.back().back() != '\r')
    lines.back() += eol;
  if (at >= 0) {
    std::string& l = lines[static_cast<size_t>(at)];
    bool cr = !l.empty() && l.back() == '\r';
    l = l.substr(0, l.find('=') + 1) + value + (cr ? "\r" : "");
  } else if (end >= 0) {
    lines.insert(lines.begin() + end, k + "=" + value + eol);
  } else {
    lines.push_back("[" + sec + "]" + eol);
    lines.push_back(k + "=" + value + eol);
  }
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    text += lines[i];
    // The old last line keeps its missing line break unless something now follows it.
    bool keepOpen = i + 1 == lines.size() && !appendedAtEnd && !file.lastEndsLine;
    if (!keepOpen) text += "\n";
  }
  return WriteFileAtomically(path, text);
}

}  // namespace platform

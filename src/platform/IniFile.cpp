// platform: INI files, read and written one value at a time.
#include "platform/IniFile.h"

#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/Text.h"

namespace platform {

namespace {

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool SameName(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

std::vector<std::string> ReadLines(const std::string& path, bool* exists) {
  std::ifstream in(path, std::ios::binary);
  *exists = static_cast<bool>(in);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
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
  bool exists = false;
  auto lines = ReadLines(path, &exists);
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
  bool exists = false;
  auto lines = ReadLines(path, &exists);
  const std::string sec = Utf8ToSjis(section), k = Utf8ToSjis(key);
  int end = -1;
  int at = FindKey(lines, sec, k, &end);
  // Keep the file's own line ending.
  bool crlf = !lines.empty() && !lines[0].empty() && lines[0].back() == '\r';
  const std::string eol = crlf ? "\r" : "";
  if (at >= 0) {
    std::string& l = lines[static_cast<size_t>(at)];
    l = l.substr(0, l.find('=') + 1) + value + eol;
  } else if (end >= 0) {
    lines.insert(lines.begin() + end, k + "=" + value + eol);
  } else {
    lines.push_back("[" + sec + "]" + eol);
    lines.push_back(k + "=" + value + eol);
  }
  std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const auto& l : lines) out << l << "\n";
    out.flush();
    if (!out) return false;
  }
  int fd = open(tmp.c_str(), O_RDONLY);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

}  // namespace platform

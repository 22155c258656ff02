// platform/files: INI files, read once and written back whole.
#include "platform/files/IniFile.h"

#include <cctype>
#include <cerrno>
#include <climits>

#include "platform/files/Files.h"
#include "platform/files/InputFile.h"
#include "platform/files/Sjis.h"

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

}  // namespace

IniDocument IniDocument::Load(const std::string& path) {
  std::string text;
  // Anything but a file (a FIFO, a folder) reads as an empty document.
  const bool whole = ReadFile(path, kMaxIniBytes, text, Larger::Cut) != FileRead::Cut;
  IniDocument doc = FromText(text);
  doc.whole_ = whole;
  return doc;
}

IniDocument IniDocument::FromText(const std::string& text) {
  IniDocument doc;
  size_t from = 0;
  while (from < text.size()) {
    size_t nl = text.find('\n', from);
    if (nl == std::string::npos) {
      doc.lines_.push_back(text.substr(from));
      doc.lastEndsLine_ = false;
      break;
    }
    doc.lines_.push_back(text.substr(from, nl - from));
    from = nl + 1;
  }
  return doc;
}

int IniDocument::FindKey(const std::string& section, const std::string& key, int* sectionEnd) const {
  bool inSection = false;
  *sectionEnd = -1;
  for (size_t i = 0; i < lines_.size(); ++i) {
    std::string t = Trim(lines_[i]);
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

int IniDocument::FindValue(const std::string& section, const std::string& key, std::string* value) const {
  int end = -1;
  int at = FindKey(Utf8ToSjis(section), Utf8ToSjis(key), &end);
  if (at < 0) return at;
  const std::string& line = lines_[static_cast<size_t>(at)];
  std::string v = Trim(line.substr(line.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) v = v.substr(1, v.size() - 2);
  *value = v;
  return at;
}

std::string IniDocument::Get(const std::string& section, const std::string& key, const std::string& def) const {
  std::string v;
  return FindValue(section, key, &v) >= 0 ? v : def;
}

bool IniDocument::Has(const std::string& section, const std::string& key) const {
  std::string v;
  return FindValue(section, key, &v) >= 0;
}

int IniDocument::GetInt(const std::string& section, const std::string& key, int def) const {
  std::string v;
  if (FindValue(section, key, &v) < 0) return def;
  size_t i = 0;
  bool neg = false;
  if (i < v.size() && v[i] == '-') neg = true, ++i;
  // Too many digits hold at the end of the range rather than wrap to some small number.
  long long n = 0;
  while (i < v.size() && v[i] >= '0' && v[i] <= '9') {
    n = n * 10 + (v[i++] - '0');
    if (n > 1LL + INT_MAX) n = 1LL + INT_MAX;
  }
  if (neg) return static_cast<int>(-n);
  return static_cast<int>(n > INT_MAX ? INT_MAX : n);
}

void IniDocument::Set(const std::string& section, const std::string& key, const std::string& value) {
  const std::string sec = Utf8ToSjis(section), k = Utf8ToSjis(key);
  int end = -1;
  int at = FindKey(sec, k, &end);
  // Keep the file's own line ending.
  bool crlf = !lines_.empty() && !lines_[0].empty() && lines_[0].back() == '\r';
  const std::string eol = crlf ? "\r" : "";
  bool appendedAtEnd = at < 0 && (end < 0 || static_cast<size_t>(end) >= lines_.size());
  if (appendedAtEnd) {
    // A last line without its line break gets one before anything is added after it.
    if (!lastEndsLine_ && !lines_.empty() && !lines_.back().empty() && lines_.back().back() != '\r')
      lines_.back() += eol;
    lastEndsLine_ = true;
  }
  if (at >= 0) {
    std::string& l = lines_[static_cast<size_t>(at)];
    bool cr = !l.empty() && l.back() == '\r';
    l.erase(l.find('=') + 1);  // no '=' (npos + 1 == 0): the whole line
    l += value;
    if (cr) l += '\r';
  } else if (end >= 0) {
    lines_.insert(lines_.begin() + end, k + "=" + value + eol);
  } else {
    lines_.push_back("[" + sec + "]" + eol);
    lines_.push_back(k + "=" + value + eol);
  }
}

std::string IniDocument::Text() const {
  std::string text;
  for (size_t i = 0; i < lines_.size(); ++i) {
    text += lines_[i];
    // The last line keeps its missing line break unless something was added after it.
    if (i + 1 < lines_.size() || lastEndsLine_) text += "\n";
  }
  return text;
}

bool IniDocument::Save(const std::string& path) const {
  if (!whole_) {
    errno = EFBIG;  // a file past the bound is never written back cut short
    return false;
  }
  return WriteFileAtomically(path, Text());
}

std::string IniReadString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& def) {
  return IniDocument::Load(path).Get(section, key, def);
}

int IniReadInt(const std::string& path, const std::string& section, const std::string& key, int def) {
  return IniDocument::Load(path).GetInt(section, key, def);
}

bool IniWriteString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value) {
  IniDocument doc = IniDocument::Load(path);
  doc.Set(section, key, value);
  return doc.Save(path);
}

}  // namespace platform

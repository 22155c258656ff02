// platform/files: private-profile (INI) files. Section and key names are given in UTF-8 and
// stored in Shift-JIS, as the Windows functions did; values stay in Shift-JIS bytes.
// A document is read once, looked up and changed in memory, and written back whole with
// one atomic replace, so a set of values changes together or not at all. Changing a value
// changes only that value; the rest of the file stays byte for byte.
#pragma once
#include <string>
#include <vector>

namespace platform {

// No settings file comes near this; reading stops here, so a huge file cannot stall the
// start, and such a file is never written back (that would cut it short).
constexpr size_t kMaxIniBytes = 1 << 20;

class IniDocument {
 public:
  // The file's text (empty when it is missing, unreadable or no regular file), cut at
  // kMaxIniBytes.
  static IniDocument Load(const std::string& path);
  static IniDocument FromText(const std::string& text);

  // The value's text, or def when the section or key is missing. Surrounding blanks and one
  // pair of surrounding quotes are dropped.
  std::string Get(const std::string& section, const std::string& key, const std::string& def) const;
  bool Has(const std::string& section, const std::string& key) const;
  // The leading decimal number of the value (an optional minus sign, then digits, held at
  // the ends of the int range), 0 when it starts with anything else, def when missing.
  int GetInt(const std::string& section, const std::string& key, int def) const;
  // Sets the value (Shift-JIS bytes), adding the key, and its section, when missing.
  void Set(const std::string& section, const std::string& key, const std::string& value);

  std::string Text() const;
  // False when the document was cut at kMaxIniBytes.
  bool Whole() const { return whole_; }
  // Replaces the file with Text(); false when it cannot be written or the document is not
  // whole.
  bool Save(const std::string& path) const;

 private:
  // Line index of the key, or -1; *sectionEnd is the index after the section's last
  // non-blank line (-1 when the section is missing).
  int FindKey(const std::string& sjisSection, const std::string& sjisKey, int* sectionEnd) const;
  int FindValue(const std::string& section, const std::string& key, std::string* value) const;

  std::vector<std::string> lines_;  // without their "\n" (a "\r" stays on its line)
  bool lastEndsLine_ = true;        // the text ends with a line break (or is empty)
  bool whole_ = true;
};

// One-value conveniences over IniDocument: each reads the file anew.
std::string IniReadString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& def);
int IniReadInt(const std::string& path, const std::string& section, const std::string& key, int def);
// Writes one value; false when the file cannot be written.
bool IniWriteString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value);

}  // namespace platform

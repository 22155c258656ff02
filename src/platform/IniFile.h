// platform: private-profile (INI) files. Section and key names are given in UTF-8 and
// stored in Shift-JIS, as the Windows functions did. Reading one value never changes the
// file; writing one value changes only that value and replaces the file atomically.
#pragma once
#include <string>

namespace platform {

// The value's text, or def when the file, section or key is missing. Surrounding blanks
// and one pair of surrounding quotes are dropped. The text stays in Shift-JIS bytes.
std::string IniReadString(const std::string& path, const std::string& section, const std::string& key,
                          const std::string& def);
// The leading decimal number of the value (an optional minus sign, then digits), 0 when it
// starts with anything else, def when the value is missing.
int IniReadInt(const std::string& path, const std::string& section, const std::string& key, int def);
// Writes one value (Shift-JIS bytes); false when the file cannot be written.
bool IniWriteString(const std::string& path, const std::string& section, const std::string& key,
                    const std::string& value);

}  // namespace platform

// platform/files: Shift-JIS (code page 932) text, the byte form of the settings file and of the
// game's byte-wise text rules.
#pragma once
#include <string>

namespace platform {

// Conversion through glibc iconv; bytes that do not convert become "?".
std::string Utf8ToSjis(const std::string& utf8);
std::string SjisToUtf8(const std::string& sjis);
// True for the first byte of a two-byte Shift-JIS character.
bool IsSjisLeadByte(unsigned char c);

}  // namespace platform

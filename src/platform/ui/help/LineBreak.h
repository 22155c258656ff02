// platform/ui/help: line breaking of Japanese text with latin words in it, for the help viewer and
// the message boxes. Pure text work: the caller says how wide a piece of text is.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

using TextWidthFn = std::function<float(std::string_view utf8)>;

// Splits UTF-8 text into lines no wider than maxWidth; every "\n" ends a line. A line may
// break between any two characters of Japanese text and at the spaces between latin words
// (the spaces at a break are dropped); a latin word is cut only when it is wider than a whole
// line. No line starts with a closing bracket, a stop, a long-vowel mark or a small kana
// (」』）。、！？ー っ ...) and none ends with an opening bracket (「『（ ...): such a character
// goes to the next line together with its neighbour.
std::vector<std::string> BreakLines(std::string_view text, float maxWidth, const TextWidthFn& width);

// The code point of the UTF-8 character at text[pos] and its length in bytes (an invalid
// byte counts as one character of its own).
char32_t DecodeUtf8(std::string_view text, size_t pos, size_t* length);

}  // namespace platform

// shell: the tokens of a typed story line. The Japanese texts are Shift-JIS with their pacing
// codes as one-byte letters ("H" at once, "S" speech pace, "$" pause, ...); a catalogue's
// line (the English game) is UTF-8 and prints its letters, so it writes each code in braces
// ("{H}", "{S}", "{$}", ...).
#pragma once
#include <string>

struct StoryToken {
  char code = 0;     // the pacing code, or 0 for a character to print
  std::string text;  // the character as UTF-8; for a Japanese code, its byte (printed where it is no code)
};

// The token at text[i]; moves i past it. `catalogue`: a UTF-8 line with its codes in braces,
// else a Shift-JIS line whose every one-byte character is a code.
StoryToken NextStoryToken(const std::string& text, size_t& i, bool catalogue);

// shell: the tokens of a typed story line.
#include "shell/StoryCodes.h"

#include "platform/Sjis.h"

StoryToken NextStoryToken(const std::string& text, size_t& i, bool braced) {
  StoryToken t;
  if (braced && i + 2 < text.size() && text[i] == '{' && text[i + 2] == '}') {
    t.code = text[i + 1];
    i += 3;
    return t;
  }
  // Two bytes after a Shift-JIS lead byte (one if the text ends there), else one byte. A
  // stray one-byte character must not swallow the code after it.
  const unsigned char c = static_cast<unsigned char>(text[i]);
  const size_t n = platform::IsSjisLeadByte(c) && i + 1 < text.size() ? 2 : 1;
  t.text = text.substr(i, n);
  if (n == 1 && !braced) t.code = text[i];
  i += n;
  return t;
}

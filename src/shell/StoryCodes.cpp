// shell: the tokens of a typed story line.
#include "shell/StoryCodes.h"

#include "platform/files/Sjis.h"

StoryToken NextStoryToken(const std::string& text, size_t& i, bool catalogue) {
  StoryToken t;
  size_t n = 1;
  if (catalogue) {
    if (i + 2 < text.size() && text[i] == '{' && text[i + 2] == '}') {
      t.code = text[i + 1];
      i += 3;
      return t;
    }
    while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
    t.text = text.substr(i, n);
  } else {
    // Two bytes after a lead byte (one if the text ends there), else one byte. A stray
    // one-byte character must not swallow the code after it.
    if (platform::IsSjisLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) n = 2;
    if (n == 1) t.code = text[i];
    t.text = platform::SjisToUtf8(text.substr(i, n));
  }
  i += n;
  return t;
}

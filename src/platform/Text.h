// platform: text drawing with the two Japanese faces and Shift-JIS conversion.
// "ＭＳ ゴシック" is served by IPAGothic and "ＭＳ Ｐゴシック" by IPAPGothic, found through
// fontconfig. Font sizes are Windows point sizes at 96 DPI: a pixel em of round(s * 96 / 72).
#pragma once
#include <string>

#include "platform/Bitmap.h"

namespace platform {

struct TextSize {
  int w = 0, h = 0;
};

TextSize MeasureText(const std::string& utf8, const Font& font);
// Draws text with its top-left at (x, y); an opaque background fills the text cell first.
void DrawText(Bitmap& target, int x, int y, const std::string& utf8, const Font& font, bool opaqueBackground,
              Color background);
// Pixel em of a Windows point size, or a negative size taken as pixels.
int FontPixels(int pointSize);
// The font file serving a face name, for other parts of the platform (dialogs).
std::string FontFileFor(const std::string& faceName);

// Shift-JIS (code page 932) conversion through iconv; bytes that do not convert become "?".
std::string Utf8ToSjis(const std::string& utf8);
std::string SjisToUtf8(const std::string& sjis);
// True for the first byte of a two-byte Shift-JIS character.
bool IsSjisLeadByte(unsigned char c);

}  // namespace platform

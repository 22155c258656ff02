// platform: text drawing with the two Japanese faces and Shift-JIS conversion.
// "ＭＳ ゴシック" is served by IPAGothic and "ＭＳ Ｐゴシック" by IPAPGothic, found through
// fontconfig. Font sizes are Windows point sizes at 96 DPI: a pixel em of round(s * 96 / 72).
#pragma once
#include <string>

#include "platform/Bitmap.h"
#include "platform/files/Sjis.h"

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

}  // namespace platform

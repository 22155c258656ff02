// The game's bold lettering: the 8x8 letters of font.txt drawn larger with a dark rim
// and a top-to-bottom colour ramp. Used for the display glyphs and for every word
// drawn into the pictures, so all lettering shares one style.
#pragma once

#include <string>

#include "artbook.h"

struct Lettering {
  int scale = 3;
  Rgb top{255, 255, 230}, bottom{255, 176, 48};
  Rgb rim{36, 20, 60};
  int rim_width = 2;
  int advance() const { return 8 * scale; }
};

// Name of the font art for a character, or "" when the font has none.
std::string GlyphArtName(char c);
// One letter with its rim, (8·scale + 2·rim) square; the letter's top-left is at (rim, rim).
Image LetterImage(const ArtBook& book, char c, const Lettering& style);
// Draws text with its top-left letter corner at (x, y); returns the width used.
int DrawText(Image& dst, const ArtBook& book, int x, int y, const std::string& text, const Lettering& style);
int TextWidth(const std::string& text, const Lettering& style);

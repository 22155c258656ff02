// actors: drawing of the battle screen (status panel, gauge, clock, scores, marks) and the
// big display-glyph text of announcements. Everything draws at once onto the given canvas.
#pragma once
#include <string>

#include "platform/Bitmap.h"

void PaintBattleScreen(platform::Canvas& canvas);
void PaintStatusPanel(platform::Canvas& canvas);
void PaintPlayerName(int fighter, const std::string& name, platform::Canvas& canvas);
void PaintScore(int fighter, platform::Canvas& canvas);
void PaintDigitsRight(int rightX, platform::Canvas& canvas, int value);
void PaintFangIcon(int fighter, platform::Canvas& canvas);
void PaintWinMarks(platform::Canvas& canvas);
void PaintSheetCell(int x, int y, int sourceX, int sourceY, platform::Canvas& canvas);
void PaintClock(platform::Canvas& canvas);
// The energy tug of war; sets RoundOver once the difference passes the gauge's end.
void PaintGauge(platform::Canvas& canvas);
// The screen's own picture under a fighter's score: before a lower score is painted where a
// higher one stood (its digits would stay left of the new ones).
void ClearScore(int fighter, platform::Canvas& canvas);

// Display glyphs, 32 x 32 each, drawn through their mask. The text is bytes (Shift-JIS):
// letters, digits and a few signs have glyphs, every other byte leaves a 32-pixel gap and a
// comma only 16 pixels.
void PaintGlyphText(int x, int y, const std::string& text, platform::Canvas& canvas);
// A value of 0 or more, its last digit at rightX and every further digit 32 pixels left.
void PaintGlyphNumber(int rightX, int y, int value, platform::Canvas& canvas);
// Glyph text on the battle screen.
void PaintBattleText(int x, int y, const std::string& text);
// Glyph number of a byte, or -1 for a byte without a glyph.
int GlyphNumber(unsigned char c);

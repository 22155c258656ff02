// actors: the battle screen's panels, the energy gauge and the display-glyph text.
#include "actors/BattlePanel.h"

#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"

#include <algorithm>

#include "actors/Bramkoplayer.h"

namespace {

const platform::Color kScoreYellow = platform::Rgb(255, 255, 132);

void SetScoreFont(platform::Canvas& canvas) {
  canvas.font.name = "ＭＳ ゴシック";
  canvas.font.size = 14;
  canvas.font.bold = true;
  canvas.font.color = kScoreYellow;
  canvas.brush = platform::Brush{platform::kBlack, platform::BrushStyle::Solid, nullptr};
}

// Places the characters of a label from the last to the first, each ending one pixel right
// of where the previous one starts.
void PaintLabelRight(int rightX, int y, const std::string& text, platform::Canvas& canvas) {
  int p = rightX;
  for (size_t i = text.size(); i-- > 0;) {
    const std::string ch(1, text[i]);
    p = p + 1 - canvas.TextWidth(ch);
    canvas.TextOut(p, y, ch);
  }
}

bool BothFighters() { return Fighters[0] && Fighters[1]; }

// What the panel shows of each fighter.
const BramkoPlayer* Player(int i) { return Fighter(i & 1); }
std::string FighterName(int i) { return Fighter(i & 1) ? Fighter(i & 1)->GetName() : ""; }
int FighterScore(int i) { return Player(i) ? Player(i)->score : 0; }
int FighterEnergy(int i) { return Player(i) ? Player(i)->energy : 0; }
int FighterLoadedFang(int i) { return Player(i) ? Player(i)->loadedFang : -1; }
int FighterRoundsWon(int i) { return Player(i) ? Player(i)->roundsWon : 0; }

}  // namespace

void PaintBattleScreen(platform::Canvas& canvas) {
  if (!BothFighters()) return;
  canvas.brush = platform::Brush{platform::kBlack, platform::BrushStyle::Solid, nullptr};
  canvas.FillRect({0, 0, 680, 520});
  canvas.copyMode = platform::CopyMode::Copy;
  canvas.CopyRect({0, 0, 640, 480}, SpriteSheet, {0, 672, 640, 1152});
  PaintStatusPanel(canvas);
}

void PaintStatusPanel(platform::Canvas& canvas) {
  if (!BothFighters()) return;
  if (Arena) Arena->RedrawAllTo(canvas);
  for (int i = 0; i < 2; ++i) PaintPlayerName(i, FighterName(i), canvas);
  for (int i = 0; i < 2; ++i) {
    PaintFangIcon(i, canvas);
    PaintScore(i, canvas);
  }
  PaintGauge(canvas);
  PaintClock(canvas);
  PaintWinMarks(canvas);
  SetScoreFont(canvas);
  PaintLabelRight(243, 20, "SCORE", canvas);
  PaintLabelRight(455, 20, "SCORE", canvas);
}

void PaintPlayerName(int fighter, const std::string& name, platform::Canvas& canvas) {
  canvas.font.name = "ＭＳ ゴシック";
  canvas.font.size = 16;
  canvas.font.bold = true;
  canvas.font.color = platform::kWhite;
  canvas.brush = platform::Brush{platform::kBlack, platform::BrushStyle::Solid, nullptr};
  const int x = 73 + 296 * fighter + (196 - canvas.TextWidth(name)) / 2;
  canvas.TextOut(x, 64, name);
}

void PaintScore(int fighter, platform::Canvas& canvas) {
  SetScoreFont(canvas);
  PaintDigitsRight(243 + 212 * fighter, canvas, FighterScore(fighter) * 10);
}

void PaintDigitsRight(int rightX, platform::Canvas& canvas, int value) {
  // Scores never go below 0; a negative value shows its digits without a sign.
  const long long v = value < 0 ? -static_cast<long long>(value) : value;
  const std::string digit(1, static_cast<char>('0' + v % 10));
  const int left = rightX + 1 - canvas.TextWidth(digit);
  canvas.TextOut(left, 41, digit);
  if (v > 9) {
    PaintDigitsRight(left, canvas, static_cast<int>(v / 10));
  } else {
    // A digit's first column lies under the next digit's box. The first digit's is covered
    // the same way, or the edge of its glyph there stands alone left of the score.
    canvas.FillRect({left, 41, left + 1, 41 + canvas.TextHeight(digit)});
  }
}

void PaintFangIcon(int fighter, platform::Canvas& canvas) {
  int n = FighterLoadedFang(fighter);
  if (n == -1) n = 0;
  n = ((n % 8) + 8) % 8;  // a type out of range still picks one of the eight icons
  const int row = n >= 5 ? 1 : 0, column = n - 5 * row;
  const int x = fighter == 0 ? 8 : 568;
  canvas.copyMode = platform::CopyMode::Copy;
  canvas.CopyRect({x, 24, x + 64, 88}, FangIcons, {64 * column, 64 * row, 64 * column + 64, 64 * row + 64});
}

void PaintWinMarks(platform::Canvas& canvas) {
  for (int i = 0; i < 2; ++i) {
    // Two marks are the most a match can give; more would run into the icons.
    const int won = std::min(FighterRoundsWon(i), 2);
    for (int k = 1; k <= won; ++k) PaintSheetCell(i == 0 ? 48 + 32 * k : 560 - 32 * k, 24, 320, 64, canvas);
  }
}

void PaintSheetCell(int x, int y, int sourceX, int sourceY, platform::Canvas& canvas) {
  canvas.copyMode = platform::CopyMode::Copy;
  canvas.CopyRect({x, y, x + 32, y + 32}, SpriteSheet, {sourceX, sourceY, sourceX + 32, sourceY + 32});
}

void PaintClock(platform::Canvas& canvas) {
  const int clock = RoundClock < 0 ? 0 : RoundClock;
  const int block = clock > 9 ? 0 : 144;  // the second set shows the last ten seconds
  const int digits[2] = {clock / 10 % 10, clock % 10};
  canvas.copyMode = platform::CopyMode::Copy;
  for (int i = 0; i < 2; ++i) {
    const int d = digits[i];
    const int row = block + (d >= 5 ? 72 : 0), column = d >= 5 ? d - 5 : d;
    const int x = 272 + 48 * i;
    canvas.CopyRect({x, 16, x + 48, 88}, ClockDigits, {48 * column, row, 48 * column + 48, row + 72});
  }
}

void PaintGauge(platform::Canvas& canvas) {
  if (RoundOver) return;
  const long long difference = static_cast<long long>(FighterEnergy(0)) - FighterEnergy(1);
  long long a = difference >> 2;  // arithmetic shift: rounds toward minus infinity
  // Exactly +-280 fills the bar; only going past it ends the round.
  if (a < -280) {
    a = -280;
    RoundOver = 1;
  }
  if (a > 280) {
    a = 280;
    RoundOver = 1;
  }
  const int leftWidth = static_cast<int>(280 + a), rightWidth = static_cast<int>(280 - a);
  canvas.brush = platform::Brush{platform::kBlack, platform::BrushStyle::Solid, nullptr};
  for (int k = 0; k < 3; ++k) {
    if (leftWidth > 1) {
      canvas.brush.pattern = &GaugeTiles[k];
      canvas.FillRect({40, 96 + 8 * k, 40 + leftWidth, 104 + 8 * k});
    }
    if (rightWidth > 1) {
      canvas.brush.pattern = &GaugeTiles[3 + k];
      canvas.FillRect({40 + leftWidth, 96 + 8 * k, 40 + leftWidth + rightWidth, 104 + 8 * k});
    }
  }
  canvas.brush.pattern = nullptr;
}

int GlyphNumber(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 'a';
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= '0' && c <= '9') return 28 + (c - '0');
  switch (c) {
    case '!': return 26;
    case '?': return 27;
    case '%': return 38;
    case '.': return 39;
    case '<': return 40;
    case '>': return 41;
    case 0x40: return 42;
    case 0xA5: return 43;  // the half-width middle dot
    case '$': return 44;
    case '-': return 45;
    default: return -1;
  }
}

namespace {

void PaintGlyph(int x, int y, int glyph, platform::Canvas& canvas) {
  if (glyph < 0) return;
  const int sx = 32 * (glyph % 8), sy = 32 * (glyph / 8);
  const platform::Rect dst{x, y, x + 32, y + 32}, src{sx, sy, sx + 32, sy + 32};
  canvas.copyMode = platform::CopyMode::And;
  canvas.CopyRect(dst, GlyphMask, src);
  canvas.copyMode = platform::CopyMode::Or;
  canvas.CopyRect(dst, GlyphSheet, src);
  canvas.copyMode = platform::CopyMode::Copy;
}

}  // namespace

void ClearScore(int fighter, platform::Canvas& canvas) {
  // Wide enough for any score; left of it stand the win marks.
  constexpr int kWidth = 80, kTop = 41, kBottom = 60;
  const int right = 243 + 212 * (fighter & 1) + 1;
  canvas.copyMode = platform::CopyMode::Copy;
  canvas.CopyRect({right - kWidth, kTop, right, kBottom}, SpriteSheet,
                  {right - kWidth, 672 + kTop, right, 672 + kBottom});
}

void PaintGlyphText(int x, int y, const std::string& text, platform::Canvas& canvas) {
  for (unsigned char c : text) {
    if (c == ',') x -= 16;  // a comma is half a space
    PaintGlyph(x, y, GlyphNumber(c), canvas);
    x += 32;
  }
}

void PaintGlyphNumber(int rightX, int y, int value, platform::Canvas& canvas) {
  long long v = value < 0 ? -static_cast<long long>(value) : value;
  int x = rightX;
  do {
    PaintGlyph(x, y, GlyphNumber(static_cast<unsigned char>('0' + v % 10)), canvas);
    v /= 10;
    x -= 32;
  } while (v > 0);
}

void PaintBattleText(int x, int y, const std::string& text) {
  if (BattleCanvas) PaintGlyphText(x, y, text, *BattleCanvas);
}

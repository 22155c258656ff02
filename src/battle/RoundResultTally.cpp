// battle: the tally of a won round and the count-up of its bonus into the winner's score.
#include "battle/RoundResultTally.h"

#include <cstdlib>

#include "actors/Bramkoplayer.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/GameMedia.h"

namespace {

// Right edges of the two fighters' figures.
constexpr int kFigureX[2] = {96, 544};
constexpr int kBonusX = 464, kBonusZeroX = 496;
constexpr int kCountStep = 20, kCountPauseMs = 35;

bool Abandoned(TWaitResult r) { return r == wrQuit; }

TWaitResult LineShown() {
  PlaySound("DrawScore");
  return WaitOrKey(300);
}

int Digits(int value) {
  int n = 1;
  while (value > 9) {
    value /= 10;
    ++n;
  }
  return n;
}

// A chip count below zero is turned positive in the fighter itself and shown with a "-"
// one glyph left of its digits.
void PaintChipCount(int side, int y) {
  BramkoPlayer& f = *Fighter(side);
  const bool negative = f.chipCount < 0;
  if (negative) f.chipCount = -f.chipCount;
  PaintGlyphNumber(kFigureX[side], y, f.chipCount, *BattleCanvas);
  if (negative) PaintBattleText(kFigureX[side] - 32 * Digits(f.chipCount), y, "-");
}

void PaintHitRate(int side, int y) {
  const BramkoPlayer& f = *Fighter(side);
  if (f.itemsTaken == 0) return;
  PaintGlyphNumber(kFigureX[side], y, f.fangHits * 100 / f.itemsTaken, *BattleCanvas);
  PaintBattleText(kFigureX[side] + 32, y, "%");
}

// A bonus figure, shown ten times its value by the "0" glyph after it.
void PaintBonus(int y, int value) {
  PaintGlyphNumber(kBonusX, y, value, *BattleCanvas);
  PaintBattleText(kBonusZeroX, y, "0");
}

}  // namespace

TWaitResult ShowTally(int winner) {
  BramkoPlayer& left = *Fighter(0);
  BramkoPlayer& right = *Fighter(1);

  PaintBattleText(176, 148, "get chips");
  for (int side = 0; side < 2; ++side) PaintChipCount(side, 148);
  if (Abandoned(LineShown())) return wrQuit;

  PaintBattleText(176, 190, "get items");
  for (int side = 0; side < 2; ++side) PaintGlyphNumber(kFigureX[side], 190, Fighter(side)->itemsTaken, *BattleCanvas);
  if (Abandoned(LineShown())) return wrQuit;

  PaintBattleText(176, 232, "hit fangs");
  for (int side = 0; side < 2; ++side) PaintGlyphNumber(kFigureX[side], 232, Fighter(side)->fangHits, *BattleCanvas);
  if (Abandoned(LineShown())) return wrQuit;

  PaintBattleText(192, 274, "hit rate");
  for (int side = 0; side < 2; ++side) PaintHitRate(side, 274);
  if (Abandoned(LineShown())) return wrQuit;

  // Life: the energy lead in a sixteenth of tens, or the full 1000 for a perfect; 500 more
  // for winning at all.
  int life = std::abs((left.energy - right.energy) * 10 / 16);
  if (RoundOver) life = 1000;
  life += 500;
  PaintBattleText(112, 322, "life");
  PaintBonus(322, life);
  if (Abandoned(LineShown())) return wrQuit;

  PaintBattleText(112, 364, "time");
  if (RoundClock != 0)
    PaintBonus(364, RoundClock * 20);
  else
    PaintBattleText(kBonusZeroX, 364, "0");
  int total = life + RoundClock * 20;
  if (Abandoned(LineShown())) return wrQuit;

  PaintBattleText(112, 406, "total");
  PaintBonus(406, total);
  if (Abandoned(LineShown())) return wrQuit;
  if (Abandoned(WaitOrKey(300))) return wrQuit;

  WaitRelease();
  if (AbortPressed()) return wrQuit;

  BramkoPlayer& w = *Fighter(winner);
  PlaySound("RoundScore");
  while (total > kCountStep) {
    w.score += kCountStep;
    PaintScore(winner, *BattleCanvas);
    // Any input only hurries the count; Escape or closing the window abandons it.
    if (Abandoned(WaitOrKey(kCountPauseMs))) return wrQuit;
    total -= kCountStep;
  }
  w.score += total;
  PaintScore(winner, *BattleCanvas);
  return Abandoned(WaitOrKey(1500)) ? wrQuit : wrNone;
}

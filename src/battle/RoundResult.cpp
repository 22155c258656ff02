// battle: the end of a round (why it ended, the winner's jumps, the result line) and the
// verdict of the match.
#include "battle/RoundResult.h"

#include "actors/Bramkoplayer.h"
#include "actors/Fang.h"
#include "actors/Item.h"
#include "actors/Tip.h"
#include "battle/BattleParts.h"
#include "battle/RoundResultTally.h"
#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"
#include "shell/GameMedia.h"

namespace {

// Source columns of a fighter's row.
constexpr int kStandColumn = 0, kHitColumn = 128, kPose1Column = 192, kPose2Column = 224;
// The stand the winner jumps on.
constexpr platform::Rect kStandPicture{352, 64, 384, 96};

// The arc of a jump: offsets from the base, speed -5 growing by 0.25 each step. Runs
// step(d truncated) until the offset is back at 0 or below the base.
template <class Step>
void Arc(double d, double v, Step&& step) {
  do {
    d += v;
    v += 0.25;
    step(static_cast<int>(d));
  } while (d < 0);
}

// Height of a full jump above its base: the arc's apex.
double ApexOffset() {
  double d = 0, v = -5.0;
  do {
    d += v;
    v += 0.25;
  } while (v < 0);
  return d;  // -52.5
}

void ShowArcStep(BramkoPlayer& f, int x, int y, bool keepMusic) {
  f.MoveTo(x, y);
  Arena->Flush();
  if (keepMusic) KeepMusicLooping();
  BusyWait(3);
}

// The winner's jumps, on a stand low enough for the top of the arc to stay on the arena.
void VictoryAnimation(BramkoPlayer& winner, BramkoPlayer& loser) {
  const int x = winner.x, y = winner.y;
  PlaySound("FangHit");
  SetFrameColumn(loser, kHitColumn);
  loser.Refresh();
  Arena->Flush();
  BusyWait(1000);

  const double apex = ApexOffset();
  const bool lowered = y + apex < 0;
  const int base = lowered ? static_cast<int>(-apex) : y;
  LCharcter* stand = new LCharcter(Arena, &SpriteSheet, &SpriteMask, kStandPicture);
  stand->MoveTo(x, base);
  if (lowered) Arc(apex, 0.0, [&](int d) { ShowArcStep(winner, x, base + d, true); });
  JumpForJoy(winner, x, base, true);
  SetFrameColumn(winner, kStandColumn);
  winner.Refresh();
  stand->Release();
}

}  // namespace

void SetFrameColumn(BramkoPlayer& fighter, int left) {
  fighter.source.left = left;
  fighter.source.right = left + 32;
}

void JumpForJoy(BramkoPlayer& fighter, int x, int base, bool keepMusic) {
  for (int jump = 0; jump < 3; ++jump) {
    SetFrameColumn(fighter, kPose1Column);
    fighter.Refresh();
    PlaySound("Jump");
    Arena->Flush();
    SetFrameColumn(fighter, kPose2Column);
    fighter.Refresh();
    BusyWait(3);
    Arc(0.0, -5.0, [&](int d) { ShowArcStep(fighter, x, base + d, keepMusic); });
    BusyWait(50);
  }
}

TWaitResult EndRound() {
  Arena->RedrawAll();
  PaintBattleText(192, 232, RoundOver == 1 ? "perfect!" : "time up!");
  WaitRelease();
  if (WaitOrKey(500) == wrQuit) return wrQuit;
  ClearAllItems();
  ClearAllFangs();
  ClearAllChips();
  Arena->RedrawAll();

  BramkoPlayer& left = *Fighter(0);
  BramkoPlayer& right = *Fighter(1);
  BramkoPlayer* winner = left.energy > right.energy ? &left : right.energy > left.energy ? &right : nullptr;
  if (winner) VictoryAnimation(*winner, winner == &left ? right : left);
  BusyWait(150);
  if (!winner) {
    PaintBattleText(176, 232, "draw game");
    return wrNone;
  }

  const bool leftWon = winner == &left;
  if (MatchMode == mmStory)
    PaintBattleText(192, 232, leftWon ? "you won!" : "you lost");
  else
    PaintBattleText(112, 232, leftWon ? "player 1 won!" : "player 2 won!");
  ++winner->roundsWon;
  PaintWinMarks(*BattleCanvas);
  if (WaitOrKey(900) == wrQuit) return wrQuit;
  Arena->RedrawAll();
  return ShowTally(winner == &left ? 0 : 1);
}

TWaitResult MatchVerdict(int roundIndex) {
  BramkoPlayer& left = *Fighter(0);
  BramkoPlayer& right = *Fighter(1);
  if (roundIndex != 2 && left.roundsWon != 2 && right.roundsWon != 2) return wrContinue;
  Arena->RedrawAll();
  int winner = 0;
  if (left.roundsWon == right.roundsWon) {
    PaintBattleText(128, 240, "no contest!");
  } else {
    winner = left.roundsWon > right.roundsWon ? 0 : 1;
    PaintBattleText(184, 176, "w,i,n,n,e,r");
    PaintBattleText(192, 240, winner == 0 ? "player 1" : "player 2");
  }
  BramkoPlayer& w = *Fighter(winner);
  if (w.roundsWon == 2 && roundIndex == 1) {
    PaintBattleText(176, 320, "straight!");
    w.score += 1500;
    PaintScore(winner, *BattleCanvas);
    PlaySound("DrawScore");
  }
  return WaitOrKey(1000) == wrQuit ? wrQuit : wrNone;
}

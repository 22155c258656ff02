// The battle's state as a value: a state saved early in a round and restored 22 seconds
// later is that battle again, and the screen shows it as it was shown, with no digit of the
// later, higher scores left on the panel.
#include <gtest/gtest.h>

#include "BattleHarness.h"
#include "actors/Comparas.h"
#include "battle/BattleSnapshot.h"
#include "field/Fieldxchip.h"
#include "platform/Window.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "actors/BattlePanel.h"

namespace {

using namespace battle_test;

// Where a score's digits stand: the box ClearScore gives back to the panel's picture.
platform::Rect ScoreBox(int side) {
  const int right = 244 + 212 * side;
  return {right - 80, 41, right, 60};
}

bool Inside(const platform::Rect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

TEST(BattleSnapshotTest, RestoringAnEarlierFrameShowsThatBattleAgain) {
  MatchRun run;
  run.right = Opponents().At(3);
  run.script = RandomPlayScript(11, false);
  BattleSnapshot early, late, again;
  platform::Bitmap earlyScreen, restoredScreen, freshScreen;
  bool saved = false, restored = false;
  run.onLever = [&] {
    if (!GameScreenActive || restored || Fighter(0)->roundsWon + Fighter(1)->roundsWon != 0) return;
    if (!saved && RoundClock == RoundSeconds - 3) {
      Arena->Flush();  // the screen whole, sprites made after the frame's step included
      SaveBattle(early);
      earlyScreen = BattleCanvas->Target();
      saved = true;
    } else if (saved && RoundClock == RoundSeconds - 25) {
      SaveBattle(late);
      RestoreBattle(early);
      ShowRestoredBattle(late);
      Arena->Flush();
      SaveBattle(again);
      restoredScreen = BattleCanvas->Target();
      freshScreen = platform::Bitmap(platform::kGameWidth, platform::kGameHeight);
      PaintBattleScreen(freshScreen.GetCanvas());
      restored = true;
    }
  };
  Play(run);
  ASSERT_TRUE(restored);
  // The later battle was another: the computer had scored, sprites had come and gone.
  const BattlePartSums e = PartChecksums(early), l = PartChecksums(late), a = PartChecksums(again);
  ASSERT_GT(late.fighters[1].fighter.score, early.fighters[1].fighter.score);
  for (int part : {bpClock, bpFighter0, bpFighter1}) ASSERT_NE(e[part], l[part]) << BattlePartName(part);
  for (int part = 0; part < kBattleParts; ++part) EXPECT_EQ(a[part], e[part]) << BattlePartName(part);

  // Outside the score boxes the screen is the early one; in a box whose score went down, it
  // is the panel freshly painted.
  int wrong = 0, firstX = -1, firstY = -1;
  for (int y = 0; y < platform::kGameHeight; ++y) {
    for (int x = 0; x < platform::kGameWidth; ++x) {
      bool expected;
      int side = Inside(ScoreBox(0), x, y) ? 0 : Inside(ScoreBox(1), x, y) ? 1 : -1;
      if (side < 0)
        expected = restoredScreen.Pixel(x, y) == earlyScreen.Pixel(x, y);
      else if (late.fighters[side].fighter.score > early.fighters[side].fighter.score)
        expected = restoredScreen.Pixel(x, y) == freshScreen.Pixel(x, y);
      else
        continue;
      if (!expected && wrong++ == 0) firstX = x, firstY = y;
    }
  }
  EXPECT_EQ(wrong, 0) << "first at " << firstX << ", " << firstY;
}

}  // namespace

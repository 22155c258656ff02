// The computer fighter on a real arena: record, firing roll, the special characters.
#include "actors/ActorKit.h"
#include "actors/Comparas.h"
#include "actors/Complayer.h"

namespace {

class ComPlayerTest : public ActorTest {
 protected:
  void SetUp() override {
    ActorTest::SetUp();
    ResetComPlayerRunState();
    fireUrgency = 0;
    RoundClock = 60;
  }
  // The computer of table record n on the right, a fighter that stands still on the left.
  ComPlayer* Computer(int record, int x = 416, int y = 160) {
    const OpponentRecord& r = Opponents()[record];
    const int c = r.characterId;
    auto* f = new ComPlayer(arena_, &SpriteSheet, &SpriteMask, {0, 32 * c + 32, 32, 32 * c + 64});
    f->ApplyRecord(r);
    if (!Fighters[0]) PlaceTest(0, 144, 160);
    Place(f, 1, x, y);
    f->ResetRound();
    return f;
  }
  // Steps until the computer has taken its next action.
  static void NextAction(ComPlayer* f) {
    while (f->Step() != 0) {
    }
  }
};

TEST_F(ComPlayerTest, TakesEverythingFromItsRecord) {
  ComPlayer* f = Computer(13);
  EXPECT_EQ(f->GetName(), "筋肉大王\u3000");
  EXPECT_EQ(f->characterId, 13);
  EXPECT_EQ(f->fangPower, 480);
  EXPECT_EQ(f->chipValue, 48);
  EXPECT_EQ(f->period, 4);
  EXPECT_EQ(f->fangSet, 1);
  EXPECT_EQ(f->maskOffsetY, 32 - 14 * 32);
  BramkoChar* c = f;
  ReleaseSprite(c);
  ComPlayer* g = Computer(22, 464, 64);
  EXPECT_EQ(g->characterId, 19);
  EXPECT_EQ(g->fireWait, 999);
  EXPECT_EQ(g->chipLimit, 50);
  EXPECT_EQ(g->source.top, 640);
}

TEST_F(ComPlayerTest, SnakeCharmerLetsADelayedFangGoAtOnce) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    SeedRandom(seed);
    ComPlayer* f = Computer(16);
    f->loadedFang = 9;
    NextAction(f);
    EXPECT_EQ(f->loadedFang, -1) << seed;
    EXPECT_EQ(FangsInFlight(), 1) << seed;
    EXPECT_EQ(f->fireWait, 1);
    ClearAllFangs();
    // A normal fang is held back with the slow divisor.
    f->loadedFang = 2;
    NextAction(f);
    EXPECT_EQ(f->fireWait, 50);
    ClearAllFangs();
    BramkoChar* c = f;
    ReleaseSprite(c);
    Fighters[1] = nullptr;
  }
}

TEST_F(ComPlayerTest, AnIncomingItemMakesASlowShooterFireAndHurry) {
  ComPlayer* f = Computer(6, 416, 160);  // fireWait 50
  f->loadedFang = 4;
  // An item two cells up-left, flying down-right at the computer.
  Item* item = new Item(arena_, &SpriteSheet, &SpriteMask, kItemPicture);
  item->SetProgram(FangProgramTable[0]);
  item->x = 384;
  item->y = 128;
  item->lastDx = 1;
  item->lastDy = 1;
  NextAction(f);
  EXPECT_EQ(FangsInFlight(), 1);
  EXPECT_EQ(fireUrgency, 10);
  // The hurry of a plain shooter is used up on its next shot.
  ClearAllItems();
  f->loadedFang = 3;
  NextAction(f);
  EXPECT_EQ(FangsInFlight(), 2);
  EXPECT_EQ(fireUrgency, 0);
}

TEST_F(ComPlayerTest, DoraQTransformsOnItsTimetable) {
  ComPlayer* f = Computer(14);
  const int ownTop = 15 * 32;
  RoundClock = 45;
  NextAction(f);
  EXPECT_EQ(f->transformStage, 0);
  RoundClock = 44;
  NextAction(f);
  EXPECT_EQ(f->transformStage, 1);
  EXPECT_EQ(CurrentSound, "hensin");
  EXPECT_EQ(f->fireWait, 999);
  EXPECT_EQ(f->period, 0);
  EXPECT_EQ(f->fangSet, 1);
  // Every frame one row further down the sheet, back to its own before row 576.
  std::vector<int> tops;
  for (int i = 0; i < 5; ++i) {
    f->Step();
    tops.push_back(f->source.top);
    EXPECT_EQ(f->source.top + f->maskOffsetY, 32);  // same silhouette throughout
    EXPECT_EQ(f->source.bottom - f->source.top, 32);
  }
  EXPECT_EQ(tops, (std::vector<int>{ownTop + 32, ownTop + 64, ownTop, ownTop + 32, ownTop + 64}));
  RoundClock = 19;
  NextAction(f);
  EXPECT_EQ(f->transformStage, 2);
  EXPECT_EQ(CurrentSound, "hensin2");
  EXPECT_EQ(f->source.top, ownTop);
  EXPECT_EQ(f->reactPercent, 128 + 6);
  EXPECT_EQ(f->period, 2);
  f->Step();
  EXPECT_EQ(f->source.top, ownTop);  // no more flicker
  // A new round starts over as itself.
  f->ResetRound();
  EXPECT_EQ(f->transformStage, 0);
  EXPECT_EQ(f->fireWait, 7);
  EXPECT_EQ(f->period, 4);
  EXPECT_EQ(f->reactPercent, 128 + 5);
  EXPECT_EQ(f->source.top, ownTop);
}

TEST_F(ComPlayerTest, InvisibleOneShowsOnlyWhileFlashing) {
  ComPlayer* f = Computer(15);
  EXPECT_EQ(f->visible, 0);
  f->flashCountdown = kHitFlashActions;
  for (int i = 0; i < kHitFlashActions; ++i) {
    NextAction(f);
    EXPECT_EQ(f->visible, i < kHitFlashActions - 1 ? 1 : 0) << i;
  }
  f->visible = 1;
  f->ResetRound();
  EXPECT_EQ(f->visible, 0);
}

TEST_F(ComPlayerTest, SwitcherFlipsPatternsAndKeepsThemForTheRun) {
  ComPlayer* f = Computer(20);  // ドラＰ, character 18
  EXPECT_EQ(f->fireWait, 1);
  int actions = 0;
  while (SwitchState().pattern == 0 && actions < 100) {
    NextAction(f);
    ++actions;
  }
  // The roll only can succeed once the counter is past 20.
  EXPECT_GT(actions, 20);
  EXPECT_EQ(SwitchState().pattern, 1);
  EXPECT_EQ(SwitchState().counter, 0);
  EXPECT_EQ(f->fireWait, 50);
  EXPECT_EQ(f->chipLimit, 99);
  // A new match puts back the record's numbers but not the pattern; every computer's
  // action counts.
  f->ApplyRecord(Opponents()[20]);
  EXPECT_EQ(f->fireWait, 1);
  EXPECT_EQ(SwitchState().pattern, 1);
  BramkoChar* c = f;
  ReleaseSprite(c);
  Fighters[1] = nullptr;
  ComPlayer* other = Computer(0);
  for (int i = 0; i < 30; ++i) NextAction(other);
  EXPECT_EQ(SwitchState().counter, 30);
  EXPECT_EQ(SwitchState().pattern, 1);
}

// A busy round without the round loop's hit tests: items, chips and fangs everywhere, and
// the computer always takes single steps inside its own half.
TEST_F(ComPlayerTest, StaysInItsHalfInSingleSteps) {
  for (int record : {3, 9, 14, 16, 22}) {
    SCOPED_TRACE(record);
    SeedRandom(77 + record);
    ComPlayer* f = Computer(record);
    RoundClock = 60;
    int clockFrames = 0, shots = 0;
    for (int frame = 0; frame < 1500; ++frame) {
      int x0 = f->x, y0 = f->y;
      SpawnItem();
      if (frame % 5 == 0) SpawnChip();
      if (frame % 40 == 0) {
        f->loadedFang = frame % 7 + 1;
      }
      bool loaded = f->loadedFang != -1;
      arena_->StepAll();
      CheckAllChips();
      CheckAllItems();
      CheckAllFangs();
      shots += loaded && f->loadedFang == -1;
      if (++clockFrames == 61 && RoundClock > 0) {
        clockFrames = 0;
        --RoundClock;
      }
      int mx = std::abs(f->x - x0), my = std::abs(f->y - y0);
      ASSERT_TRUE((mx == 0 && (my == 0 || my == 16)) || (my == 0 && mx == 16)) << frame;
      ASSERT_GE(f->x, 304);
      ASSERT_LE(f->x, 560);
      ASSERT_GE(f->y, 0);
      ASSERT_LE(f->y, 288);
      ASSERT_EQ(f->dx * f->dy, 0);
    }
    EXPECT_GT(shots, 10);
    ClearAllFangs();
    ClearAllItems();
    ClearAllChips();
    BramkoChar* c = f;
    ReleaseSprite(c);
    Fighters[1] = nullptr;
  }
}

}  // namespace

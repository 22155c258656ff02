// Firing, the hit test over the fang list and what a hit does to both fighters.
#include "ActorKit.h"

namespace {

using FangTest = ActorTest;

TEST_F(FangTest, FiringTakesTheShootersRowAimsAtTheOpponentAndUsesTheLoad) {
  TestFighter* hero = PlaceTest(0, 144, 64, 0);
  TestFighter* com = PlaceTest(1, 416, 160, 32 * 6);
  com->loadedFang = 5;
  Fang* f = FireFang(*com);
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->source, (platform::Rect{64, 192, 96, 224}));
  EXPECT_EQ(f->maskOffsetY, 32 - 192);
  EXPECT_EQ(f->targetIndex, 0);
  EXPECT_EQ(f->lastDx, -1);
  EXPECT_EQ(f->lastDy, -1);
  EXPECT_EQ(f->GetPosition(), (LPoint{384, 160}));
  EXPECT_EQ(f->program.data(), FangProgramTable[5].data());
  EXPECT_EQ(f->pc, 0);
  EXPECT_EQ(f->period, 1);
  EXPECT_EQ(com->loadedFang, -1);
  EXPECT_EQ(newEventFlag, 1);
  EXPECT_EQ(FangsInFlight(), 1);
  EXPECT_EQ(FangAt(0), f);

  // The hero's row keeps the right-facing mask; on the same y the first dy is 0.
  hero->MoveTo(144, 160);
  hero->loadedFang = 2;
  Fang* g = FireFang(*hero);
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->source, (platform::Rect{64, 0, 96, 32}));
  EXPECT_EQ(g->maskOffsetY, 0);
  EXPECT_EQ(g->lastDx, 1);
  EXPECT_EQ(g->lastDy, 0);
  EXPECT_EQ(g->GetPosition(), (LPoint{176, 160}));
  EXPECT_EQ(FangAt(1), g);  // firing order

  // Nothing loaded: nothing fired.
  newEventFlag = 0;
  EXPECT_EQ(FireFang(*hero), nullptr);
  EXPECT_EQ(FangsInFlight(), 2);
  EXPECT_EQ(newEventFlag, 0);
}

TEST_F(FangTest, EveryFangIsTestedOnceInOrderAndReleasingOneSkipsNone) {
  TestFighter* target = PlaceTest(0, 144, 160);
  TestFighter* shooter = PlaceTest(1, 416, 160);
  // Strict bounds: 32 away on either axis misses, 31 hits. Hits sit next to each other
  // in the list, in the middle and at the end.
  struct Spot {
    int x, y;
    bool hits;
  } spots[] = {{176, 160, false}, {175, 160, true},  {113, 160, true}, {112, 160, false},
               {144, 192, false}, {144, 128, false}, {144, 129, true}, {144, 191, true}};
  std::vector<Fang*> misses;
  for (const auto& s : spots) {
    Fang* f = MakeFang(2, 0, s.x, s.y, -1, 0);
    if (!s.hits) misses.push_back(f);
  }
  CheckAllFangs();
  EXPECT_EQ(shooter->fangHits, 4);
  EXPECT_EQ(shooter->score, 200);
  EXPECT_EQ(target->energy, -640);
  EXPECT_EQ(target->flashCountdown, 9);
  ASSERT_EQ(FangsInFlight(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(FangAt(i), misses[static_cast<size_t>(i)]);
  EXPECT_EQ(arena_->GetSpriteCount(), 2 + 4);

  // A fang flies at its target only: one lying on its own shooter is harmless.
  MakeFang(2, 1, 144, 160, 1, 0);
  CheckAllFangs();
  EXPECT_EQ(FangsInFlight(), 5);
  EXPECT_EQ(target->fangHits, 0);
}

TEST_F(FangTest, TwoFangsInOneFrameBothCountAndSoundByShooter) {
  TestFighter* target = PlaceTest(1, 416, 160);
  TestFighter* shooter = PlaceTest(0, 144, 160);
  target->fangPower = 480;  // the target's own power plays no part
  shooter->fangPower = 201;
  MakeFang(3, 1, 416, 160, 1, 0);
  MakeFang(6, 1, 420, 170, 1, 0);
  CheckAllFangs();
  EXPECT_EQ(target->energy, -402);
  EXPECT_EQ(shooter->fangHits, 2);
  EXPECT_EQ(shooter->score, 100);
  EXPECT_EQ(FangsInFlight(), 0);
  EXPECT_EQ(CurrentSound, "FangHit");

  shooter->characterId = 13;
  MakeFang(3, 1, 416, 160, 1, 0);
  CheckAllFangs();
  EXPECT_EQ(CurrentSound, "Gan");
}

TEST_F(FangTest, TheGaugeEndsTheRoundAtTheEighthHitNotTheSeventh) {
  TestFighter* target = PlaceTest(1, 416, 160);
  PlaceTest(0, 144, 160);
  for (int hit = 1; hit <= 8; ++hit) {
    MakeFang(2, 1, 416, 160, 1, 0);
    CheckAllFangs();
    EXPECT_EQ(target->energy, -160 * hit);
    EXPECT_EQ(RoundOver, hit == 8 ? 1 : 0) << hit;
  }
}

TEST_F(FangTest, ClearingReleasesEveryFangFirstToLast) {
  PlaceTest(0, 144, 160);
  PlaceTest(1, 416, 160);
  for (int i = 0; i < 6; ++i) MakeFang(1 + i, i & 1, 288, 16 * i, 1, 0);
  EXPECT_EQ(arena_->GetSpriteCount(), 8);
  ClearAllFangs();
  EXPECT_EQ(FangsInFlight(), 0);
  EXPECT_EQ(arena_->GetSpriteCount(), 2);
  ClearAllFangs();  // an empty list clears to nothing
  EXPECT_EQ(FangsInFlight(), 0);
}

}  // namespace

// The flight programs run action by action from chosen positions, and WaitDivisor.
#include "ActorKit.h"

namespace {

using FlightTest = ActorTest;

std::vector<LPoint> Line(std::initializer_list<std::pair<int, int>> points) {
  std::vector<LPoint> out;
  for (auto [x, y] : points) out.push_back({x, y});
  return out;
}

TEST_F(FlightTest, ItemPathBouncesOffEveryWallForEver) {
  PlaceTest(0, 144, 160);
  Fang* f = MakeFang(0, 0, 528, 272, 1, 1);
  std::vector<LPoint> path;
  EXPECT_EQ(Fly(f, 3, &path), 0);
  EXPECT_EQ(path[0].x, 544);
  EXPECT_EQ(path[0].y, 288);
  EXPECT_EQ(path[1].x, 560);  // y bounced off the bottom
  EXPECT_EQ(path[1].y, 272);
  EXPECT_EQ(path[2].x, 544);  // x bounced off the right wall
  EXPECT_EQ(path[2].y, 256);
  path.clear();
  EXPECT_EQ(Fly(f, 2000, &path), 0);
  int turns = 0;
  for (size_t i = 0; i < path.size(); ++i) {
    EXPECT_TRUE(path[i].x >= 0 && path[i].x <= 560 && path[i].y >= 0 && path[i].y <= 288);
    if (i >= 2 && (path[i].x - path[i - 1].x) != (path[i - 1].x - path[i - 2].x)) ++turns;
  }
  EXPECT_GT(turns, 50);
  EXPECT_EQ(f->hBounces, -1);
  EXPECT_EQ(f->vBounces, -1);
}

TEST_F(FlightTest, TurnsTowardTheTargetWhenLinedUpWithItsColumn) {
  // Type 1 from the right fighter's firing point at a target four rows up.
  PlaceTest(0, 144, 64);
  Fang* f = MakeFang(1, 0, 384, 160, -1, -1);
  std::vector<LPoint> path;
  EXPECT_EQ(Fly(f, 40, &path), 26);
  ASSERT_EQ(path.size(), 25u);
  for (int i = 0; i < 15; ++i) {
    EXPECT_EQ(path[i].x, 368 - 16 * i);
    EXPECT_EQ(path[i].y, 160);
  }
  for (int i = 15; i < 25; ++i) {
    EXPECT_EQ(path[i].x, 144);
    EXPECT_EQ(path[i].y, 144 - 16 * (i - 15));  // straight on up to the wall, then gone
  }

  // On the target's row the column test fails: straight through to the wall.
  Fighters[0]->MoveTo(144, 160);
  f = MakeFang(1, 0, 384, 160, -1, 0);
  EXPECT_EQ(Fly(f, 40), 25);

  // The column, one or two columns beyond it in the direction of flight; three is too far.
  struct Case {
    int x, lastDx;
    bool turns;
  } cases[] = {{144, -1, true}, {128, -1, true}, {112, -1, true}, {96, -1, false}, {160, 1, true},
               {176, 1, true},  {192, 1, false}, {144, 0, true},  {160, 0, false}, {128, 0, false}};
  Fighters[0]->MoveTo(144, 64);
  for (const auto& c : cases) {
    f = MakeFang(1, 0, c.x, 160, c.lastDx, 0);
    path.clear();
    Fly(f, 1, &path);
    EXPECT_EQ(path[0].y == 144 && path[0].x == c.x, c.turns) << c.x << " " << c.lastDx;
    if (c.lastDx == 0 && !c.turns) {
      // Last dx 0 and not on the column: it stands still, never reaching it.
      Fly(f, 10, &path);
      EXPECT_EQ(path.back().x, c.x);
      EXPECT_EQ(path.back().y, 160);
    }
    ClearAllFangs();
  }
}

TEST_F(FlightTest, StraightHorizontalIsDestroyedAtTheWall) {
  PlaceTest(0, 144, 64);
  std::vector<LPoint> path;
  EXPECT_EQ(Fly(MakeFang(2, 0, 48, 160, -1, -1), 10, &path), 4);
  EXPECT_EQ(path, Line({{32, 160}, {16, 160}, {0, 160}}));
  path.clear();
  EXPECT_EQ(Fly(MakeFang(2, 0, 528, 160, 1, 1), 10, &path), 3);
  EXPECT_EQ(path, Line({{544, 160}, {560, 160}}));
  EXPECT_EQ(FangsInFlight(), 0);
}

TEST_F(FlightTest, SevenBouncesOnEachAxisThenGone) {
  PlaceTest(0, 144, 64);
  Fang* f = MakeFang(3, 0, 0, 0, -1, -1);
  // Walls on both axes at once at the start; rows repeat every 18 actions, columns every 35.
  EXPECT_EQ(Fly(f, 126), 0);
  EXPECT_EQ(f->vBounces, 0);
  EXPECT_EQ(f->hBounces, 3);
  EXPECT_EQ(f->GetPosition().y, 288);
  EXPECT_EQ(Fly(f, 1), 1);  // the eighth touch of the top or bottom
}

TEST_F(FlightTest, DiagonalToTheTargetsRowThenHorizontal) {
  PlaceTest(0, 144, 64);
  Fang* f = MakeFang(4, 0, 384, 160, -1, -1);
  std::vector<LPoint> path;
  EXPECT_EQ(Fly(f, 40, &path), 25);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(path[i].y, 144 - 16 * i);
  for (int i = 6; i < 24; ++i) {
    EXPECT_EQ(path[i].y, 64);
    EXPECT_EQ(path[i].x, 272 - 16 * (i - 6));
  }
  // The row test takes the row and up to two rows beyond it in the direction of flight, not
  // when the target stands at the same x.
  struct Case {
    int y, lastDy, x;
    bool straight;
  } cases[] = {{64, -1, 288, true}, {48, -1, 288, true}, {32, -1, 288, true},  {16, -1, 288, false},
               {80, 1, 288, true},  {96, 1, 288, true},  {112, 1, 288, false}, {64, 0, 144, false}};
  constexpr int kInStraightLoop = 9;  // the program pointer once the row test has passed
  for (const auto& c : cases) {
    Fang* g = MakeFang(4, 0, c.x, c.y, -1, c.lastDy);
    ASSERT_EQ(Fly(g, 1), 0);
    EXPECT_EQ(g->pc == kInStraightLoop, c.straight) << c.y << " " << c.lastDy;
    ClearAllFangs();
  }
}

TEST_F(FlightTest, ColumnThenRowThenTowardTheTarget) {
  PlaceTest(0, 144, 64);
  Fang* f = MakeFang(5, 0, 384, 160, -1, -1);
  std::vector<LPoint> path;
  EXPECT_EQ(Fly(f, 16, &path), 0);
  EXPECT_EQ(path[14].x, 144);
  EXPECT_EQ(path[15].x, 144);
  EXPECT_EQ(path[15].y, 144);
  Fighters[0]->MoveTo(96, 64);  // the target steps aside while the fang climbs
  path.clear();
  EXPECT_EQ(Fly(f, 40, &path), 15);
  EXPECT_EQ(path[4].x, 144);
  EXPECT_EQ(path[4].y, 64);
  EXPECT_EQ(path[5].x, 128);  // toward the target's new x
  EXPECT_EQ(path[5].y, 64);
  EXPECT_EQ(path[13].x, 0);
}

TEST_F(FlightTest, DiagonalToTheRowThenColumnThenVertical) {
  PlaceTest(0, 144, 64);
  Fang* f = MakeFang(6, 0, 384, 160, -1, -1);
  std::vector<LPoint> path;
  EXPECT_EQ(Fly(f, 7, &path), 0);
  EXPECT_EQ(path[5].y, 64);
  EXPECT_EQ(path[6].y, 64);
  EXPECT_EQ(path[6].x, 272);
  Fighters[0]->MoveTo(144, 224);
  path.clear();
  EXPECT_EQ(Fly(f, 40, &path), 23);
  EXPECT_EQ(path[7].x, 144);  // lined up with the column at its 15th action
  EXPECT_EQ(path[7].y, 64);
  EXPECT_EQ(path[8].x, 144);
  EXPECT_EQ(path[8].y, 80);
  EXPECT_EQ(path[21].y, 288);
}

TEST_F(FlightTest, OneVerticalBounceUntilLinedUpThenVertical) {
  PlaceTest(0, 144, 64);
  Fang* f = MakeFang(7, 0, 384, 32, -1, -1);
  std::vector<LPoint> path;
  EXPECT_EQ(Fly(f, 40, &path), 29);
  EXPECT_EQ(path[1].y, 0);
  EXPECT_EQ(path[2].y, 16);  // the one bounce
  EXPECT_EQ(path[14].x, 144);
  EXPECT_EQ(path[14].y, 208);
  EXPECT_EQ(path[15].x, 144);
  EXPECT_EQ(path[15].y, 192);
  EXPECT_EQ(path[27].y, 0);

  // Never lined up: the second touch of a horizontal wall ends it.
  Fighters[0]->MoveTo(528, 64);
  EXPECT_EQ(Fly(MakeFang(7, 0, 384, 32, -1, -1), 40), 21);
}

// Program offset where the delayed programs' pause sits, and the first byte after it.
constexpr int kRunAt = 3, kPauseAt = 6, kAfterPause = 8;

TEST_F(FlightTest, DelayedFangsRunPauseThenFlyAsTheirNormalType) {
  PlaceTest(0, 48, 64);
  for (int type = 8; type <= 11; ++type) {
    for (uint32_t seed : {1u, 7u, 99u}) {
      SeedRandom(seed);
      Fang* f = MakeFang(type, 0, 288, 160, -1, 0);
      LPoint before = f->GetPosition();
      int actions = 0, pauseActions = 0;
      while (f->pc <= kPauseAt && actions < 5000) {
        const int pcBefore = f->pc;
        ASSERT_EQ(f->Move(), 0);
        ++actions;
        const LPoint now = f->GetPosition();
        if (pcBefore <= kRunAt) {
          EXPECT_EQ(now.y, before.y);  // the run is horizontal
        }
        if (pcBefore == kPauseAt) {
          ++pauseActions;
          EXPECT_EQ(now.x, before.x);  // a pause stands still
          EXPECT_EQ(now.y, before.y);
        }
        before = now;
      }
      ASSERT_EQ(f->pc, kAfterPause) << type;
      EXPECT_GE(pauseActions, 1);
      EXPECT_EQ(f->lastDx, BramkoChar::Sign(48 - f->x));  // the pause turned it toward the target
      EXPECT_EQ(f->lastDy, BramkoChar::Sign(64 - f->y));

      // From here it flies exactly as the normal type after its bounce set-up.
      Fang* twin = MakeFang(type - 7, 0, f->x, f->y, f->lastDx, f->lastDy);
      twin->pc = 3;
      twin->hBounces = f->hBounces;
      twin->vBounces = f->vBounces;
      std::vector<LPoint> a, b;
      const int endA = Fly(f, 300, &a), endB = Fly(twin, 300, &b);
      EXPECT_EQ(endA, endB) << type;
      EXPECT_EQ(a, b) << type;
      ClearAllFangs();
    }
  }
}

TEST_F(FlightTest, RandomRunsLastTwelveActionsOnAverage) {
  PlaceTest(0, 48, 64);
  SeedRandom(2024);
  long total = 0;
  const int runs = 3000;
  for (int i = 0; i < runs; ++i) {
    Fang* f = MakeFang(9, 0, 288, 160, -1, 0);
    int n = 0;
    do {
      f->RunProgram();  // direction only: it stays at 288
      ++n;
    } while (f->pc == kRunAt);
    total += n;
    ClearAllFangs();
  }
  const double mean = static_cast<double>(total) / runs;
  EXPECT_GT(mean, 11.0);
  EXPECT_LT(mean, 13.0);
}

TEST_F(FlightTest, ARunAgainstAWallWaitsThereUnlessItEndsThere) {
  PlaceTest(0, 48, 64);
  // Seeds whose first draw continues the run, and one whose first draw ends it.
  uint32_t goesOn = 0, ends = 0;
  for (uint32_t s = 1; (goesOn == 0 || ends == 0) && s < 10000; ++s) {
    SeedRandom(s);
    (RandomDraw() % 12 != 0 ? goesOn : ends) = s;
  }
  ASSERT_NE(goesOn, 0u);
  ASSERT_NE(ends, 0u);

  SeedRandom(goesOn);
  Fang* f = MakeFang(9, 0, 0, 160, -1, 0);
  std::vector<LPoint> path;
  EXPECT_EQ(Fly(f, 1, &path), 0);
  EXPECT_EQ(path[0].x, 0);
  EXPECT_EQ(f->lastDx, 0);  // stood still at the wall
  EXPECT_EQ(f->pc, kRunAt);
  ClearAllFangs();

  SeedRandom(ends);
  EXPECT_EQ(Fly(MakeFang(9, 0, 0, 160, -1, 0), 1), 1);  // the last step of the run hits the wall
  EXPECT_EQ(FangsInFlight(), 0);

  // With bounces left (type 10) the run bounces off the wall instead.
  SeedRandom(goesOn);
  f = MakeFang(10, 0, 0, 160, -1, 0);
  path.clear();
  EXPECT_EQ(Fly(f, 1, &path), 0);
  EXPECT_EQ(path[0].x, 16);
  EXPECT_EQ(f->hBounces, 6);
}

TEST_F(FlightTest, KeepOrSideOperandPicksTheTargetsSideWhenLastDxIsZero) {
  for (int target : {0, 1}) {
    PlaceTest(target, 144 + 272 * target, 160);
    for (int lastDx : {0, 1, -1}) {
      Fang* f = MakeFang(11, target, 288, 160, lastDx, 0);
      f->pc = kAfterPause;  // on the target's row: the row test passes
      std::vector<LPoint> path;
      Fly(f, 1, &path);
      const int expected = lastDx != 0 ? lastDx : (target == 0 ? -1 : 1);
      EXPECT_EQ(path[0].x, 288 + 16 * expected) << target << " " << lastDx;
      EXPECT_EQ(path[0].y, 160);
      ClearAllFangs();
    }
  }
}

TEST(WaitDivisorTable, HandComputedValues) {
  struct Case {
    int a, b, base, kind, n, w;
  } cases[] = {
      // kinds 1 and 5: near rows give short waits, the own row halves them
      {3, 0, 100, 1, 0, 1},
      {-3, 0, 100, 1, 0, 1},
      {7, 2, 100, 1, 0, 4},
      {12, 6, 100, 1, 0, 6},
      {20, 3, 100, 1, 0, 100},
      {3, 7, 100, 1, 0, 100},
      {12, 0, 100, 5, 0, 3},
      {7, 2, 100, 1, 1, 2},
      {7, 2, 100, 5, 1, 1},
      {20, 3, 100, 1, 1, 50},
      // kind 2: the base grows by 4 per row of distance
      {5, 2, 100, 2, 0, 4},
      {20, 2, 100, 2, 0, 108},
      {5, 5, 100, 2, 0, 120},
      {2, 0, 100, 2, 0, 1},
      {10, -3, 100, 2, 0, 6},
      {20, 2, 100, 2, 1, 27},
      // kind 3: the diagonals
      {9, 0, 100, 3, 0, 3},
      {0, 9, 100, 3, 0, 3},
      {4, 3, 100, 3, 0, 3},
      {2, 3, 100, 3, 0, 3},
      {10, 3, 100, 3, 0, 105},
      {10, 3, 100, 3, 1, 26},
      // kind 4: a little more across than along
      {5, 0, 100, 4, 0, 1},
      {8, 3, 100, 4, 0, 3},
      {14, 10, 100, 4, 0, 6},
      {20, 15, 100, 4, 0, 20},
      {10, 2, 100, 4, 0, 100},
      {3, 5, 100, 4, 0, 100},
      {-8, -3, 100, 4, 0, 3},
      // kind 6: two bands
      {10, 2, 100, 6, 0, 3},
      {7, 2, 100, 6, 0, 100},
      {16, 4, 100, 6, 0, 16},
      {17, 4, 100, 6, 0, 100},
      {5, 2, 100, 6, 0, 1},
      // kind 7 and the rest
      {3, 3, 100, 7, 0, 7},
      {3, 3, 100, 7, 1, 1},
      {3, 3, 50, 8, 0, 50},
      {3, 3, 50, 0, 1, 12},
      {3, 3, 50, 9, 2, 3},
      // below 1 becomes 1; the shift count wraps at 32
      {3, 3, 0, 8, 0, 1},
      {3, 3, 1, 8, 3, 1},
      {10, 3, 100, 3, 16, 105},
      {10, 3, 100, 3, 17, 26},
      {20, 3, 100, 1, 32, 100},
      {20, 3, 100, 1, 33, 50},
  };
  for (const auto& c : cases)
    EXPECT_EQ(WaitDivisor(c.a, c.b, c.base, c.kind, c.n), c.w)
        << "a " << c.a << " b " << c.b << " base " << c.base << " kind " << c.kind << " n " << c.n;
}

TEST_F(FlightTest, WaitDivisorCountsTheFangsInFlight) {
  PlaceTest(0, 144, 64);
  EXPECT_EQ(WaitDivisor(20, 3, 100, 1), 100);
  MakeFang(2, 0, 288, 160, -1, 0);
  EXPECT_EQ(WaitDivisor(20, 3, 100, 1), 50);
  EXPECT_EQ(WaitDivisor(10, 3, 100, 3), 26);
  MakeFang(2, 0, 304, 160, -1, 0);
  EXPECT_EQ(WaitDivisor(20, 3, 100, 1), 25);
  EXPECT_EQ(WaitDivisor(10, 3, 100, 3), 6);
}

}  // namespace

// The computer's movement plan and its aim, on hand-built situations.
#include <gtest/gtest.h>

#include "actors/Commove.h"
#include "actors/CommoveAim.h"
#include "shell/Random.h"

namespace {

PlanFighter At(int col, int row, int loaded = -1) {
  PlanFighter f;
  f.x = col * 16;
  f.y = row * 16;
  f.loadedFang = loaded;
  f.framesSinceItem = 1000;
  return f;
}

// The computer on the right at (col, row), the human at the centre of the left half.
PlanView RightComputer(int col, int row) {
  PlanView v;
  v.playerIndex = 1;
  v.self = At(col, row);
  v.opponent = At(9, 10);
  v.tuning = {7, 10, 0, 0};
  return v;
}

PlanItem Item(int col, int row, int dx, int dy) { return {col * 16, row * 16, dx, dy}; }
PlanFang Fang(int target, int col, int row, int dx, int dy) { return {target, col * 16, row * 16, dx, dy, 0, 0}; }

TEST(MovePlan, ChasesAnItemOnlyWhenItCanBeCaughtInUnderTheLimit) {
  SeedRandom(1);
  PlanView v = RightComputer(26, 10);
  // Crosses row 10 at column 28 after 8 cells (16 frames); two steps of 3 frames to get there.
  v.items.push_back(Item(20, 2, 1, 1));
  int cost = 0, dx = 0, dy = 0;
  v.tuning.interceptLimit = 17;
  ASSERT_TRUE(ChooseItem(v, &cost, &dx, &dy));
  EXPECT_EQ(cost, 16);
  EXPECT_EQ(dx, 1);
  EXPECT_EQ(dy, 0);
  v.tuning.interceptLimit = 16;
  EXPECT_FALSE(ChooseItem(v, &cost, &dx, &dy));

  // Through the whole plan: with the news of the item the computer would otherwise stand
  // still (nobody armed, so the sideways shift keeps dx 0).
  for (int limit : {16, 17}) {
    v.tuning.interceptLimit = limit;
    PlanState s;
    int flag = 1;
    PlanMove(v, s, flag);
    EXPECT_EQ(s.dx, limit == 17 ? 1 : 0) << limit;
    EXPECT_EQ(s.dy, 0);
    EXPECT_EQ(s.rememberedDx, s.dx);
  }
}

TEST(MovePlan, PredictsTheItemsBounceBeforeTheIntercept) {
  PlanView v = RightComputer(26, 16);
  v.tuning.interceptLimit = 40;
  // Flying away from our column: it bounces off the bottom row and the right wall, then
  // comes back up-left through our column at row 8 (6 frames of flight plus 9 cells).
  v.items.push_back(Item(30, 14, 1, 1));
  int cost = 0, dx = 0, dy = 0;
  ASSERT_TRUE(ChooseItem(v, &cost, &dx, &dy));
  EXPECT_EQ(cost, 6 + 24);  // we need 8 steps of 3 frames to climb to row 8
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, -1);
  v.tuning.interceptLimit = 30;
  EXPECT_FALSE(ChooseItem(v, &cost, &dx, &dy));
  // An item that only moves along a row is never chased.
  v.items = {Item(20, 16, 1, 0)};
  EXPECT_FALSE(ChooseItem(v, &cost, &dx, &dy));
}

TEST(MovePlan, DodgesADiagonalFangAwayFromTheRowWhereItWillPass) {
  PlanView v = RightComputer(26, 10);
  v.tuning.reactPercent = 100;
  int flag = 0;
  // Reaches our column on row 12: step up.
  v.fangs = {Fang(1, 20, 6, 1, 1)};
  PlanState s;
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dx, 0);
  EXPECT_EQ(s.dy, -1);

  // Bouncing off the bottom wall it passes our column on row 15, above us on row 16.
  v.self = At(26, 16);
  v.fangs = {Fang(1, 19, 14, 1, 1)};
  s = {};
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dy, 1);

  // On the bottom row the way down is closed: step aside from the column where it will
  // cross our row instead (it reaches row 18 in column 27).
  v.self = At(26, 18);
  v.fangs = {Fang(1, 21, 12, 1, 1)};
  s = {};
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dx, -1);
  EXPECT_EQ(s.dy, 0);

  // Without the reaction roll the fang is no threat: no dodge.
  v.tuning.reactPercent = 0;
  v.self = At(26, 10);
  v.fangs = {Fang(1, 20, 6, 1, 1)};
  s = {};
  s.rememberedDx = 0;
  s.rememberedDy = 1;
  flag = 1;  // the sideways shift keeps dx: nobody armed
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dx, 0);
  EXPECT_EQ(s.dy, 0);
}

TEST(MovePlan, ShiftsSidewaysAfterNewsByWhoIsArmed) {
  struct Case {
    bool selfArmed, oppArmed;
    int side;
    int wantDx;
  };
  // Toward the centre when only the computer can shoot, to its wall when only the human can.
  const Case cases[] = {{true, false, 1, -1}, {false, true, 1, 1}, {true, true, 1, 0},
                        {false, false, 1, 0}, {true, false, 0, 1}, {false, true, 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.selfArmed << c.oppArmed << c.side);
    PlanView v = RightComputer(26, 10);
    v.playerIndex = c.side;
    if (c.side == 0) {
      v.self = At(9, 10);
      v.opponent = At(26, 3);
    } else {
      v.opponent.y = 3 * 16;
    }
    v.self.loadedFang = c.selfArmed ? 3 : -1;
    v.opponent.loadedFang = c.oppArmed ? 3 : -1;
    PlanState s;
    s.rememberedDy = 1;
    int flag = 1;
    PlanMove(v, s, flag);
    EXPECT_EQ(flag, 2);
    EXPECT_EQ(s.dx, c.wantDx);
    EXPECT_EQ(s.dy, 0);
  }
  // A computer with bit 7 ignores the news and leaves the flag for the others.
  PlanView v = RightComputer(26, 10);
  v.tuning.reactPercent = 128 + 6;
  v.self.loadedFang = 3;
  int changed = 0;
  for (uint32_t seed = 0; seed < 50; ++seed) {
    SeedRandom(seed);
    PlanState s;
    s.rememberedDy = 1;
    int flag = 1;
    PlanMove(v, s, flag);
    EXPECT_NE(flag, 2);
    changed += s.dy != 1;
  }
  EXPECT_GT(changed, 0);  // it still picks new directions now and then
  EXPECT_LT(changed, 25);
}

TEST(MovePlan, OnAQuietFieldKeepsGoingMostOfTheTime) {
  SeedRandom(99);
  PlanView v = RightComputer(26, 10);
  // Sideways: a new direction one action in three, which is the old one 5 times in 24.
  // Vertically: one in six, the old one 7 times in 24.
  const struct {
    int dx, dy;
    double want;
  } cases[] = {{1, 0, 2.0 / 3 + 5.0 / 72}, {0, 1, 5.0 / 6 + 7.0 / 144}};
  for (const auto& c : cases) {
    int same = 0;
    const int n = 6000;
    for (int k = 0; k < n; ++k) {
      PlanState s;
      s.rememberedDx = c.dx;
      s.rememberedDy = c.dy;
      int flag = 0;
      PlanMove(v, s, flag);
      same += s.dx == c.dx && s.dy == c.dy;
    }
    EXPECT_NEAR(static_cast<double>(same) / n, c.want, 0.025) << c.dx << "," << c.dy;
  }
  // Standing still is never kept.
  for (int k = 0; k < 500; ++k) {
    PlanState s;
    int flag = 2;
    PlanMove(v, s, flag);
    ASSERT_TRUE(s.dx != 0 || s.dy != 0);
    ASSERT_EQ(flag, 0);
  }
}

TEST(MovePlan, FinalSafetyKeepsTheComputerInsideItsHalf) {
  int flag = 1;
  // At the top, wanting to go on toward the centre with a fang coming up at it: the blocked
  // step becomes a dodge down, against the fang's vertical direction.
  PlanView v = RightComputer(19, 0);
  v.fangs = {Fang(1, 15, 3, 1, -1)};
  PlanState s;
  s.rememberedDx = -1;
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dx, 0);
  EXPECT_EQ(s.dy, 1);
  // The same at the bottom with the fang coming down.
  v = RightComputer(19, 18);
  v.fangs = {Fang(1, 15, 15, 1, 1)};
  s = {};
  s.rememberedDx = -1;
  flag = 1;
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dx, 0);
  EXPECT_EQ(s.dy, -1);

  // Whatever flies about, a computer on the top or bottom row never plans a step out.
  for (uint32_t seed = 0; seed < 3000; ++seed) {
    SeedRandom(seed);
    auto r = [](int n) { return RandomDraw() % n; };
    int side = r(2);
    PlanView w = RightComputer(19 * side + r(17), r(2) ? 0 : 18);
    w.playerIndex = side;
    w.opponent = At(19 * (1 - side) + r(17), r(19), r(3) - 1);
    w.self.loadedFang = r(9) - 1;
    w.self.period = r(5);
    w.tuning = {r(2) ? 999 : 7, r(40), r(256), r(100)};
    for (int k = r(4); k > 0; --k) w.fangs.push_back(Fang(r(2), r(36), r(19), r(3) - 1, r(3) - 1));
    for (int k = r(4); k > 0; --k) w.items.push_back(Item(r(36), r(19), r(2) * 2 - 1, r(2) * 2 - 1));
    for (int k = r(4); k > 0; --k) w.chips.push_back({r(2), r(37) * 16, r(20) * 16, r(2) * 2 - 1});
    PlanState p;
    p.rememberedDx = r(3) - 1;
    p.rememberedDy = r(3) - 1;
    int f = r(3);
    PlanMove(w, p, f);
    int col = w.self.col() + p.dx, row = w.self.row() + p.dy;
    ASSERT_GE(row, 0) << seed;
    ASSERT_LE(row, 18) << seed;
    ASSERT_GE(col, 19 * side) << seed;
    ASSERT_LE(col, 19 * side + 16) << seed;
  }
}

TEST(MovePlan, ChipSeekingPrefersOwnChipsNearby) {
  PlanView v = RightComputer(26, 10);
  v.tuning.chipLimit = 99;
  // The opponent's chip right beside us is no use; our own two rows down is.
  v.chips = {{0, 27 * 16, 10 * 16, -1}, {1, 30 * 16, 12 * 16, -1}};
  PlanState s;
  int flag = 0;
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dx, 0);
  EXPECT_EQ(s.dy, 1);
  // On our row (or the one below, which still touches it): walk to it.
  v.chips = {{1, 30 * 16, 11 * 16, -1}};
  s = {};
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dx, 1);
  EXPECT_EQ(s.dy, 0);
  // Too expensive for a picky computer.
  v.tuning.chipLimit = 4;
  v.chips = {{1, 32 * 16, 15 * 16, -1}};
  s = {};
  s.rememberedDy = -1;
  flag = 1;
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dy, 0);
  EXPECT_EQ(s.dx, 0);
}

TEST(AttackPlan, LinesUpBeforeShooting) {
  PlanView v = RightComputer(26, 10);
  v.tuning = {999, 35, 0, 0};
  int flag = 0;
  // A row shooter climbs to the opponent's row.
  v.self.loadedFang = 2;
  v.opponent = At(9, 6);
  PlanState s;
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dy, -1);
  EXPECT_EQ(s.dx, 0);
  // A diagonal shooter far out in columns walks in until the distances fit...
  v.self.loadedFang = 3;
  v.opponent = At(9, 8);
  s = {};
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dx, -1);
  // ...and, close in columns but far in rows, closes the rows.
  v.self = At(19, 1, 3);
  v.opponent = At(14, 15);
  s = {};
  PlanMove(v, s, flag);
  EXPECT_EQ(s.dx, 0);
  EXPECT_EQ(s.dy, 1);
}

TEST(TacticalWait, DivisorFollowsTheShot) {
  PlanView v = RightComputer(26, 10);
  // Nothing to aim at: the divisor shrinks only with fangs in the air.
  v.self.loadedFang = 2;
  v.opponent = At(9, 2);
  EXPECT_EQ(TacticalWait(v, 0, 0), 999);
  EXPECT_EQ(TacticalWait(v, 1, 0), 999 >> 2);
  v.self.loadedFang = 1;
  EXPECT_EQ(TacticalWait(v, 0, 0), 999);
  // A row shot at a standing opponent on the row: now.
  v.opponent = At(17, 10);
  v.self.loadedFang = 1;
  EXPECT_EQ(TacticalWait(v, 0, 0), 1);
  // A freshly taken item, an item flying at the opponent.
  v.opponent = At(10, 10);
  v.opponent.dy = 1;  // walking away keeps c for a row shot only off the row
  int base = TacticalWait(v, 0, 0);
  v.self.framesSinceItem = 2;
  EXPECT_EQ(TacticalWait(v, 0, 0), base >> 2);
  v.opponent.framesSinceItem = 4;
  EXPECT_EQ(TacticalWait(v, 0, 0), base >> 3);
  v.self.framesSinceItem = v.opponent.framesSinceItem = 1000;
  v.items = {Item(7, 7, 1, 1)};
  EXPECT_EQ(TacticalWait(v, 0, 0), std::min(base >> 1, 4));
  v.items.clear();
  // A flashing opponent is a sitting duck; one dodging far out is not worth a shot.
  v.opponent.flashCountdown = 5;
  EXPECT_EQ(TacticalWait(v, 0, 0), 1);
  v.opponent.flashCountdown = 0;
  v.opponent.dodgeCountdown = 12;
  v.opponent.dodgeSavedX = 10 * 16;
  v.opponent.x = -96;
  EXPECT_EQ(TacticalWait(v, 0, 0), 999);
  v.opponent.dodgeCountdown = 1;
  EXPECT_EQ(TacticalWait(v, 0, 0), 1);
}

TEST(TacticalWait, VerticalMovesCountByWhereTheOpponentStands) {
  // A type-4 fang on the diagonal (4 rows, 4 columns).
  PlanView v = RightComputer(20, 10);
  v.self.loadedFang = 4;
  // Below us, walking up into the fang's way: the plain diagonal fits, shoot now.
  v.opponent = At(16, 14);
  v.opponent.dy = -1;
  EXPECT_FALSE(MovesVerticallyAway(v.self, v.opponent));
  EXPECT_EQ(TacticalWait(v, 0, 0), 1);
  // Above us, walking up and away: the diagonal would miss it; wait.
  v.opponent = At(16, 6);
  v.opponent.dy = -1;
  EXPECT_TRUE(MovesVerticallyAway(v.self, v.opponent));
  EXPECT_EQ(TacticalWait(v, 0, 0), 999);
  // ...but 7 columns out (1.5 to 1.9 times the rows) the wide lead fits.
  v.opponent = At(13, 6);
  v.opponent.dy = -1;
  EXPECT_EQ(TacticalWait(v, 0, 0), 4);
  // Below and walking down (away) counts the same way.
  v.opponent = At(13, 14);
  v.opponent.dy = 1;
  EXPECT_EQ(TacticalWait(v, 0, 0), 4);
}

}  // namespace

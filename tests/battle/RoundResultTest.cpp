// Round results, the tally's bonus and the match verdict, on versus matches whose rounds
// the lever ends with chosen energies before their first frame (so nothing else scores).
#include <gtest/gtest.h>

#include "BattleHarness.h"

namespace {

using namespace battle_test;

// A perfect round's bonus: the fixed life part and the full clock of 60 seconds.
constexpr int kPerfectRound = 1000 + 500 + 60 * 20;
constexpr int kStraight = 1500;

MatchRun Versus(std::vector<RoundPlan> plan) {
  MatchRun run;
  run.plan = std::move(plan);
  Play(run);
  return run;
}

TEST(RoundResultTest, PerfectLifeBonusIsFixedWhateverTheLead) {
  // Leads of just over the gauge's end and of far more give the same bonus.
  MatchRun run = Versus({LeftPerfect(1124), LeftPerfect(9000)});
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(run.report.fighters[0].score, 2 * kPerfectRound + kStraight);
  EXPECT_EQ(run.report.fighters[1].score, 0);
  EXPECT_TRUE(Seen(run, "perfect!"));
  EXPECT_FALSE(Seen(run, "time up!"));
  EXPECT_TRUE(run.windowGivenBack);
}

TEST(RoundResultTest, StraightWinEndsAfterTwoRoundsWithItsBonus) {
  MatchRun run = Versus({RightPerfect(), RightPerfect()});
  EXPECT_EQ(run.result, 0);
  EXPECT_EQ(run.report.fighters[1].roundsWon, 2);
  EXPECT_EQ(run.report.fighters[1].score, 2 * kPerfectRound + kStraight);
  for (const char* t : {"player 2 won!", "w,i,n,n,e,r", "player 2", "straight!", "round 2"})
    EXPECT_TRUE(Seen(run, t)) << t;
  for (const char* t : {"final round", "player 1 won!", "player 1", "no contest!"}) EXPECT_FALSE(Seen(run, t)) << t;
}

TEST(RoundResultTest, TimeUpBonusTruncatesTheLeadAndTwoOneHasNoStraight) {
  // Leads 100 -> 62 (+500), 101 for the right -> 63 (truncated toward zero, not 64), 33 -> 20.
  MatchRun run = Versus({LeftByTime(100), RightByTime(101), LeftByTime(33)});
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(run.report.fighters[0].roundsWon, 2);
  EXPECT_EQ(run.report.fighters[1].roundsWon, 1);
  EXPECT_EQ(run.report.fighters[0].score, 562 + 520);
  EXPECT_EQ(run.report.fighters[1].score, 563);
  for (const char* t :
       {"time up!", "player 1 won!", "player 2 won!", "final round", "w,i,n,n,e,r", "player 1", "total"})
    EXPECT_TRUE(Seen(run, t)) << t;
  EXPECT_FALSE(Seen(run, "straight!"));
  EXPECT_FALSE(Seen(run, "perfect!"));
}

TEST(RoundResultTest, DrawsCountNoRoundsAndEndInNoContest) {
  MatchRun run = Versus({DrawByTime(), DrawByTime(), DrawByTime()});
  EXPECT_EQ(run.result, 0);
  for (const auto& f : run.report.fighters) {
    EXPECT_EQ(f.roundsWon, 0);
    EXPECT_EQ(f.score, 0);
  }
  for (const char* t : {"time up!", "draw game", "final round", "no contest!"}) EXPECT_TRUE(Seen(run, t)) << t;
  // A draw has no tally and no winner.
  for (const char* t : {"total", "w,i,n,n,e,r", "player 1 won!", "player 2 won!"}) EXPECT_FALSE(Seen(run, t)) << t;
}

TEST(RoundResultTest, OneWinAndTwoDrawsNamesPlayerOneButIsNoVictory) {
  MatchRun run = Versus({LeftByTime(16), DrawByTime(), DrawByTime()});
  EXPECT_EQ(run.result, 1);
  EXPECT_EQ(run.report.fighters[0].score, 510);
  EXPECT_TRUE(Seen(run, "w,i,n,n,e,r"));
  EXPECT_TRUE(Seen(run, "player 1"));
  EXPECT_FALSE(Seen(run, "no contest!"));
  EXPECT_FALSE(Seen(run, "straight!"));
}

TEST(RoundResultTest, OneAllWithADrawnFinalIsNoContest) {
  MatchRun run = Versus({LeftByTime(), RightByTime(), DrawByTime()});
  EXPECT_EQ(run.result, 1);
  EXPECT_TRUE(Seen(run, "no contest!"));
  EXPECT_FALSE(Seen(run, "w,i,n,n,e,r"));
}

}  // namespace

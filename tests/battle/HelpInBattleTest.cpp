// The help in a battle: F1 in a round freezes it (no frame steps, the clock stands) and the
// round goes on exactly where it was; F1 also opens the help in the pause and on the round
// results, and the Escape that closes the help is not taken as the battle's.
#include <gtest/gtest.h>

#include <tuple>

#include "BattleHarness.h"
#include "platform/headless/HeadlessControl.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"

namespace {

using namespace battle_test;
using platform::headless::HelpVisits;

constexpr int kF1 = 0x70, kEscape = 0x1B;

// Short rounds (12 clock seconds, about 11 s) keep the runs quick; round 1's frames begin
// about 3 s into the match.
void ShortRounds(MatchRun& run) {
  run.before = [] { RoundSeconds = 12; };
}

bool Same(const FighterReport& a, const FighterReport& b) {
  return a.energy == b.energy && a.score == b.score && a.roundsWon == b.roundsWon && a.chipCount == b.chipCount &&
         a.itemsTaken == b.itemsTaken && a.fangHits == b.fangHits;
}

TEST(HelpInBattle, TheRoundStandsStillUnderTheHelpAndGoesOnWhereItWas) {
  MatchRun plain;
  ShortRounds(plain);
  Play(plain);

  MatchRun helped;
  ShortRounds(helped);
  helped.script = "5000 tap F1\n8000 tap ESC\n";
  int clockBefore = -1, clockUnderHelp = -1;
  helped.onLever = [&] {
    if (Now() < 5000) clockBefore = RoundClock;
    if (Now() > 7900 && Now() < 8000) clockUnderHelp = RoundClock;
  };
  Play(helped);

  ASSERT_EQ(HelpVisits().size(), 1u);
  const auto& help = HelpVisits()[0];
  EXPECT_EQ(help.keyword, "戦闘画面");
  EXPECT_GE(help.openedMs, 5000);
  EXPECT_EQ(help.closedMs, 8000);
  EXPECT_GT(clockBefore, 0);
  EXPECT_LT(clockBefore, RoundSeconds);
  EXPECT_EQ(clockUnderHelp, clockBefore) << "the clock ran under the help";
  // The same match, later by the time the help was open: no frame was lost or added.
  EXPECT_EQ(helped.result, plain.result);
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(Same(helped.report.fighters[i], plain.report.fighters[i])) << i;
  EXPECT_NEAR(static_cast<double>(helped.matchEndedAt - plain.matchEndedAt),
              static_cast<double>(help.closedMs - help.openedMs), 2 * 15);
}

TEST(HelpInBattle, F1OpensTheHelpInThePauseAndOnTheRoundResults) {
  MatchRun run;
  ShortRounds(run);
  // Pause, help over the pause, Escape closes only the help, Space resumes.
  run.script = "5000 tap ESC\n5500 tap F1\n6000 tap ESC\n6500 tap SPACE\n";
  int64_t roundOneOverAt = -1;
  run.onLever = [&] {
    if (roundOneOverAt < 0 && GameScreenActive && RoundClock == 0) {
      // Round 1 has run out: F1 on its results, Escape to close the help a second later.
      roundOneOverAt = Now();
      for (const auto& [at, kind, vk] :
           {std::tuple{100, "down", kF1}, {160, "up", kF1}, {1000, "down", kEscape}, {1060, "up", kEscape}})
        platform::headless::Inject({Now() + at, kind, vk, ""});
    }
  };
  Play(run);

  ASSERT_EQ(HelpVisits().size(), 2u);
  EXPECT_EQ(HelpVisits()[0].keyword, "戦闘画面");
  EXPECT_EQ(HelpVisits()[0].openedMs, 5500);
  EXPECT_EQ(HelpVisits()[0].closedMs, 6000);
  ASSERT_GT(roundOneOverAt, 6500) << "the Escape that closed the help left the battle";
  EXPECT_EQ(HelpVisits()[1].keyword, "戦闘画面");
  EXPECT_EQ(HelpVisits()[1].openedMs, roundOneOverAt + 100);
  EXPECT_TRUE(Seen(run, "round 2")) << "the Escape that closed the help on the results left the battle";
}

}  // namespace

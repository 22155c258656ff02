// Leaving a match early: Escape then cancel in the pause (any other key resumes), F4,
// switching away, Escape in the round's end, and the window closing in the round, the
// pause, the tally or the victory jumps. The match ends at its next wait, the window is
// given back and the run ends cleanly.
#include <gtest/gtest.h>

#include "BattleHarness.h"
#include "actors/Bramkoplayer.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "shell/Bramkoworld.h"

namespace {

using namespace battle_test;

// Well inside round 1 (its frames start about 3 s into the match and run for 55 s).
constexpr int64_t kInRound = 5000;
// What a match still does after it was abandoned: the wait and the dissolve between rounds.
constexpr int64_t kWindDownMs = 700;

MatchRun Abandoned(const std::string& script, std::function<void()> onLever = nullptr) {
  MatchRun run;
  run.script = script;
  run.onLever = std::move(onLever);
  Play(run);
  return run;
}

void ExpectEndedAfter(const MatchRun& run, int64_t at) {
  EXPECT_GE(run.matchEndedAt, at);
  EXPECT_LE(run.matchEndedAt, at + kWindDownMs);
  EXPECT_EQ(run.result, 0);
  EXPECT_TRUE(run.windowGivenBack);
  EXPECT_FALSE(Seen(run, "time up!"));
  EXPECT_FALSE(Seen(run, "perfect!"));
}

TEST(AbandonTest, EscapeThenCancelInThePauseEndsTheMatch) {
  bool pausedShown = false;
  MatchRun run = Abandoned("5000 tap ESC\n6000 tap ESC\n", [&] {
    if (Now() >= 5500 && Now() < 6000)
      pausedShown = platform::ImageVisible() && platform::CursorVisible() && GameScreenActive;
  });
  EXPECT_TRUE(pausedShown);
  ExpectEndedAfter(run, 6000);

  // The player's own cancel key (Z) abandons as well.
  ExpectEndedAfter(Abandoned("5000 tap ESC\n6000 tap Z\n"), 6000);
}

TEST(AbandonTest, AnyOtherKeyResumesTheRound) {
  bool resumed = false;
  MatchRun run = Abandoned("5000 tap ESC\n6000 tap SPACE\n9000 tap F4\n", [&] {
    if (Now() >= 7000 && Now() < 9000) resumed = !platform::ImageVisible() && !platform::CursorVisible();
  });
  EXPECT_TRUE(resumed);
  ExpectEndedAfter(run, 9000);
}

TEST(AbandonTest, FourthFunctionKeyOrSwitchingAwayEndsTheMatch) {
  ExpectEndedAfter(Abandoned("5000 tap F4\n"), 5000);
  ExpectEndedAfter(Abandoned("5000 focus off\n5100 focus on\n"), 5000);
}

TEST(AbandonTest, ClosingTheWindowInTheRoundOrThePause) {
  for (const char* script : {"5000 close\n", "5000 tap ESC\n5500 close\n"}) {
    SCOPED_TRACE(script);
    MatchRun run = Abandoned(script);
    EXPECT_EQ(run.result, 0);
    EXPECT_LE(run.runEndedAt, (script[5] == 'c' ? 5000 : 5500) + kWindDownMs);
    EXPECT_TRUE(run.windowGivenBack);
  }
}

// Round 1 won by time; the window closes (or Escape comes) once `when` holds.
MatchRun ClosedWhen(const std::function<bool(const MatchRun&)>& when, bool escape, int64_t& closedAt) {
  MatchRun run;
  run.plan = {LeftByTime()};
  closedAt = -1;
  run.onLever = [&] {
    if (closedAt >= 0 || !when(run)) return;
    closedAt = Now();
    if (escape)
      platform::headless::Inject({Now(), "down", 0x1B, ""});
    else
      platform::CloseWindow();
  };
  Play(run);
  return run;
}

TEST(AbandonTest, ClosingInTheTallyOrTheVictoryJumps) {
  int64_t closedAt = -1;
  auto inTally = [](const MatchRun& r) { return Seen(r, "get chips"); };
  auto jumping = [](const MatchRun&) { return Fighter(0) && Fighter(0)->source.left == 224; };
  for (bool escape : {false, true}) {
    SCOPED_TRACE(escape ? "escape" : "close");
    for (const auto& when :
         {std::function<bool(const MatchRun&)>(inTally), std::function<bool(const MatchRun&)>(jumping)}) {
      MatchRun run = ClosedWhen(when, escape, closedAt);
      ASSERT_GE(closedAt, 0);
      // The jumps finish (about 0.7 s), then the next wait ends the match.
      EXPECT_LE(run.matchEndedAt, closedAt + 1500);
      EXPECT_EQ(run.result, 1);  // the won round counts before the tally
      EXPECT_FALSE(Seen(run, "round 2"));
      EXPECT_TRUE(run.windowGivenBack);
      if (!escape) {
        EXPECT_LE(run.runEndedAt, closedAt + 1500);
      }
    }
  }
}

}  // namespace

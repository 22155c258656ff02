// The round's frame loop: 61 frames to a clock second, each spun out to the frame period of
// the game speed.
#include <gtest/gtest.h>

#include <vector>

#include "BattleHarness.h"
#include "field/Fieldxchip.h"
#include "field/Lchar.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"

namespace {

using namespace battle_test;

std::vector<int64_t> g_frames;  // virtual time of every arena step

// Frame times of the first round of a match of two-second rounds at the given period.
std::vector<int64_t> FirstRoundFrames(int periodMs) {
  g_frames.clear();
  MatchRun run;
  LCharcter* counter = nullptr;
  run.before = [periodMs, &counter] {
    RoundSeconds = 2;
    FramePeriodMs = periodMs;
    // An invisible sprite that notes each step of the arena.
    counter = new LCharcter(Arena, nullptr, nullptr, {0, 0, 0, 0});
    counter->stepCallback = [](LCharcter*) { g_frames.push_back(Now()); };
  };
  run.after = [&counter] { ReleaseSprite(counter); };
  Play(run);
  std::vector<int64_t> first;
  for (int64_t t : g_frames) {
    if (!first.empty() && t - first.back() > 500) break;  // the next round
    first.push_back(t);
  }
  return first;
}

TEST(FrameLoopTest, ClockSecondIsSixtyOneFramesOfTheFramePeriod) {
  for (int period : {15, 25}) {
    SCOPED_TRACE(period);
    const std::vector<int64_t> frames = FirstRoundFrames(period);
    ASSERT_EQ(frames.size(), 2u * 61u);
    for (size_t i = 1; i < frames.size(); ++i) ASSERT_EQ(frames[i] - frames[i - 1], period) << i;
  }
}

}  // namespace

// An arena map far larger than the screen: it loads whole, the battle on it plays as on a
// shipped arena (the fighters keep to the screen's columns), and it costs about as much,
// since only the cells the screen shows are ever scanned and drawn.
#include <gtest/gtest.h>

#include <ctime>
#include <fstream>

#include "BattleHarness.h"
#include "field/Fieldxchip.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "support/Headless.h"

namespace {

using namespace battle_test;

struct ArenaRun {
  MatchReport report;
  int arenaWidth = 0, arenaHeight = 0;
  double cpuSeconds = 0;
  int64_t endedAt = 0;
};

ArenaRun PlayOn(const std::string& dir) {
  ArenaRun a;
  MatchRun run;
  run.dir = dir;
  run.seed = 11;
  run.script = "3000 down 84\n3400 up 84\n3500 down 88\n3560 up 88\n";  // a step and a shot
  run.before = [] { RoundSeconds = 5; };
  run.after = [&a] {
    a.arenaWidth = Arena->GetWidth();
    a.arenaHeight = Arena->GetHeight();
    RoundSeconds = 60;
  };
  const std::clock_t c0 = std::clock();
  Play(run);
  a.cpuSeconds = static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
  a.report = run.report;
  a.endedAt = run.matchEndedAt;
  return a;
}

}  // namespace

TEST(ArenaSize, AHugeMapLoadsAndItsBattleCostsAboutWhatAShippedOneDoes) {
  const ArenaRun shipped = PlayOn(FolderWithMaps("arena-shipped"));

  // 512 x 512 chips: 8192 pixels square, 1024 x 1024 dirty cells behind a 640 x 480 screen.
  const std::string dir = testing_support::FreshDir("arena-huge");
  {
    std::ofstream map(dir + "/map1.txt", std::ios::binary);
    for (int r = 0; r < 512; ++r) {
      for (int c = 0; c < 512; ++c) map << (c + r) % 4 << (c < 511 ? "," : "\r\n");
    }
  }
  const ArenaRun huge = PlayOn(dir);
  EXPECT_EQ(huge.arenaWidth, 512 * 16);
  EXPECT_EQ(huge.arenaHeight, 512 * 16);
  EXPECT_EQ(huge.report.result, shipped.report.result);
  EXPECT_EQ(huge.endedAt, shipped.endedAt);
  for (int side = 0; side < 2; ++side) {
    EXPECT_EQ(huge.report.fighters[side].score, shipped.report.fighters[side].score);
    EXPECT_EQ(huge.report.fighters[side].roundsWon, shipped.report.fighters[side].roundsWon);
  }
  // Scanning every cell each frame made this about fifteen times the shipped arena's cost.
  EXPECT_LT(huge.cpuSeconds, 2.5 * shipped.cpuSeconds)
      << "huge " << huge.cpuSeconds << " s, shipped " << shipped.cpuSeconds << " s of CPU";
}

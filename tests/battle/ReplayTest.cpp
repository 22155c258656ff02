// Recorded replays: a seed and a script of key presses must always give the same match.
// When a deliberate change of the game's rules changes them, run this suite with
// BRAMKO_RECORD_REPLAYS=1 to print the new outcomes, check them, and paste them below.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "BattleHarness.h"
#include "actors/Comparas.h"
#include "field/MapState.h"
#include "shell/Bramkoworld.h"

namespace {

using namespace battle_test;

struct Outcome {
  int result;
  int64_t endedAt;
  FighterReport f[2];
};

std::string Describe(const Outcome& o) {
  std::ostringstream s;
  s << "{" << o.result << ", " << o.endedAt;
  for (const auto& f : o.f)
    s << ", {" << f.energy << ", " << f.score << ", " << f.roundsWon << ", " << f.chipCount << ", " << f.itemsTaken
      << ", " << f.fangHits << "}";
  s << "}";
  return s.str();
}

Outcome Replay(uint32_t seed, const OpponentRecord* opponent) {
  MatchRun run;
  run.seed = seed;
  run.right = opponent;
  run.script = RandomPlayScript(seed, opponent == nullptr);
  run.before = [] { CurrentMapId = midMainMenu; };  // no progress, no save file
  // Without media files: how long a tune takes to start must not move the replay.
  run.dir = FolderWithMaps("replay");
  Play(run);
  return {run.result, run.matchEndedAt, {run.report.fighters[0], run.report.fighters[1]}};
}

void Check(const char* name, const Outcome& got, const Outcome& want) {
  if (std::getenv("BRAMKO_RECORD_REPLAYS")) std::printf("%s: %s\n", name, Describe(got).c_str());
  EXPECT_EQ(got.result, want.result) << name;
  EXPECT_EQ(got.endedAt, want.endedAt) << name;
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(got.f[i] == want.f[i]) << name << " fighter " << i << ": " << Describe(got);
}

TEST(ReplayTest, VersusMatchesOfRandomPlay) {
  Check("versus 11", Replay(11, nullptr), {0, 122029, {{-816, 545, 0, 1, 6, 2}, {-304, 4245, 2, 1, 9, 5}}});
  Check("versus 12", Replay(12, nullptr), {2, 120877, {{-544, 3610, 2, 4, 9, 4}, {-704, 530, 0, 4, 6, 3}}});
}

TEST(ReplayTest, StoryMatchesAgainstTheComputer) {
  Check("story 21 vs tako", Replay(21, Opponents().At(0)),
        {0, 120688, {{-768, 655, 0, 2, 6, 3}, {-464, 4425, 2, 1, 10, 5}}});
  Check("story 22 vs scorpion", Replay(22, Opponents().At(3)),
        {0, 109277, {{-1408, 385, 0, 2, 6, 1}, {-160, 6310, 2, 0, 12, 9}}});
  Check("story 23 vs doraq", Replay(23, Opponents().At(14)),
        {0, 62689, {{-976, 50, 0, 1, 0, 0}, {160, 7045, 2, 10, 9, 6}}});
}

}  // namespace

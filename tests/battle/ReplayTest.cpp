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
  Check("versus 11", Replay(11, nullptr), {2, 122029, {{32, 3870, 2, 2, 9, 4}, {-576, 530, 0, 4, 6, 0}}});
  Check("versus 12", Replay(12, nullptr), {2, 180779, {{-448, 3190, 2, 8, 13, 8}, {-1248, 1615, 1, 2, 7, 2}}});
}

TEST(ReplayTest, StoryMatchesAgainstTheComputer) {
  Check("story 21 vs tako", Replay(21, Opponents().At(0)),
        {1, 180563, {{-832, 2040, 1, 2, 8, 2}, {-336, 3385, 2, 1, 8, 5}}});
  Check("story 22 vs scorpion", Replay(22, Opponents().At(3)),
        {0, 93752, {{-1216, 380, 0, 4, 1, 0}, {16, 5810, 2, 1, 8, 8}}});
  Check("story 23 vs doraq", Replay(23, Opponents().At(14)),
        {0, 69544, {{-944, 130, 0, 1, 1, 0}, {304, 6950, 2, 19, 6, 6}}});
}

}  // namespace

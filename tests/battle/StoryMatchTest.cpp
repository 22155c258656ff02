// Story matches against the computer: the result lines, the boss music, the progress of
// the journey and the tournament with the save file, and the DoraQ victory scene.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "BattleHarness.h"
#include "actors/Comparas.h"
#include "app/GameApp.h"
#include "battle/MatchReport.h"
#include "field/MapState.h"
#include "platform/headless/HeadlessControl.h"
#include "actors/BattleState.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"

namespace {

using namespace battle_test;

constexpr int kTakoRecord = 0, kYuiRecord = 8, kDoraQRecord = 14;

struct StoryRun : MatchRun {
  std::set<std::string> tunes;  // music heard while the fighters stand
  int progressAfter = -100;
  std::vector<unsigned char> saveFile;
};

// A story match fought from waypoint `at` of map `map` whose progress is `progress`.
StoryRun Fight(int record, int map, int progress, int at, std::vector<RoundPlan> plan) {
  StoryRun run;
  run.plan = std::move(plan);
  run.right = Opponents().At(record);
  run.dir = FolderWithMaps("story");
  run.before = [&] {
    CurrentMapId = map;
    MapProgress[map] = progress;
    CurrentWaypoint = at;
  };
  run.onLever = [&] {
    if (Fighters[0] && Fighters[1] && !CurrentMusic.empty()) run.tunes.insert(CurrentMusic);
  };
  Play(run);
  run.progressAfter = MapProgress[map];
  std::ifstream in(run.dir + "/BRAMKO.DAT", std::ios::binary);
  run.saveFile.assign(std::istreambuf_iterator<char>(in), {});
  return run;
}

int SavedProgress(const std::vector<unsigned char>& file, int map) {
  const size_t at = 4u * static_cast<size_t>(map);
  if (file.size() < at + 4) return -100;
  return static_cast<int>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
                          static_cast<unsigned>(file[at + 3]) << 24);
}

TEST(StoryMatchTest, ResultLinesSpeakToThePlayer) {
  StoryRun run = Fight(kTakoRecord, midJourney, -1, 0, {LeftByTime(), RightPerfect(), LeftPerfect()});
  EXPECT_EQ(run.result, 2);
  for (const char* t : {"you won!", "you lost", "final round", "w,i,n,n,e,r", "player 1"})
    EXPECT_TRUE(Seen(run, t)) << t;
  for (const char* t : {"player 1 won!", "player 2 won!", "straight!"}) EXPECT_FALSE(Seen(run, t)) << t;
  EXPECT_EQ(run.tunes, std::set<std::string>{"fight"});
  EXPECT_TRUE(run.windowGivenBack);
  EXPECT_EQ(run.arenaSpritesAfter, 0);
}

TEST(StoryMatchTest, JourneyOpensTheBranchAfterTheFifthCheckpoint) {
  // Progress 3 at its frontier (waypoint 5): a straight win makes it 6, and saves.
  StoryRun run = Fight(kTakoRecord, midJourney, 3, 5, {LeftPerfect(), LeftByTime()});
  EXPECT_EQ(run.result, 2);
  EXPECT_EQ(run.progressAfter, 6);
  ASSERT_EQ(run.saveFile.size(), 19u);
  EXPECT_EQ(SavedProgress(run.saveFile, midJourney), 6);
}

TEST(StoryMatchTest, JourneyCountsOnlyStraightWinsAtTheFrontier) {
  {
    SCOPED_TRACE("2-1 at the frontier");
    StoryRun run = Fight(kTakoRecord, midJourney, 1, 3, {LeftPerfect(), RightByTime(), LeftPerfect()});
    EXPECT_EQ(run.result, 2);
    EXPECT_EQ(run.progressAfter, 1);
    EXPECT_TRUE(run.saveFile.empty());
  }
  {
    SCOPED_TRACE("2-0 behind the frontier");
    StoryRun run = Fight(kTakoRecord, midJourney, 1, 2, {LeftPerfect(), LeftPerfect()});
    EXPECT_EQ(run.progressAfter, 1);
    EXPECT_TRUE(run.saveFile.empty());
  }
  {
    SCOPED_TRACE("2-0 at the frontier");
    StoryRun run = Fight(kTakoRecord, midJourney, 1, 3, {LeftPerfect(), LeftPerfect()});
    EXPECT_EQ(run.progressAfter, 2);
    EXPECT_EQ(SavedProgress(run.saveFile, midJourney), 2);
  }
}

TEST(StoryMatchTest, TournamentCountsAnyVictoryAtTheFrontier) {
  StoryRun won = Fight(kYuiRecord, midTournament, 0, 2, {LeftPerfect(), RightByTime(), LeftByTime()});
  EXPECT_EQ(won.progressAfter, 1);
  EXPECT_EQ(SavedProgress(won.saveFile, midTournament), 1);
  EXPECT_EQ(won.tunes, std::set<std::string>{"doraq"});  // a boss fights to its own tune
  StoryRun lost = Fight(kYuiRecord, midTournament, 0, 2, {LeftPerfect(), RightByTime(), RightByTime()});
  EXPECT_EQ(lost.result, 1);
  EXPECT_EQ(lost.progressAfter, 0);
  EXPECT_TRUE(lost.saveFile.empty());
}

TEST(StoryMatchTest, DoraQVictorySceneOnlyAfterBeatingDoraQ) {
  StoryRun beaten = Fight(kDoraQRecord, midDoraQ, 0, 2, {LeftPerfect(), RightPerfect(), LeftPerfect()});
  EXPECT_EQ(beaten.result, 2);
  EXPECT_TRUE(beaten.tunes.count("doraq"));
  EXPECT_TRUE(beaten.tunes.count("event"));  // the scene's tune
  EXPECT_EQ(beaten.arenaSpritesAfter, 0);    // the beaten boss leaves with the scene
  EXPECT_TRUE(beaten.windowGivenBack);
  EXPECT_FALSE(MusicKeeperOff);

  StoryRun notBeaten = Fight(kDoraQRecord, midDoraQ, 0, 2, {LeftPerfect(), RightPerfect(), RightPerfect()});
  EXPECT_FALSE(notBeaten.tunes.count("event"));
  StoryRun otherBoss = Fight(kYuiRecord, midTournament, 0, 2, {LeftPerfect(), LeftPerfect()});
  EXPECT_FALSE(otherBoss.tunes.count("event"));
}

TEST(StoryMatchTest, SimulatorPlaysARecordToTheEndWithoutSaving) {
  // What "bramko-sim --match 3 --map 2" runs: the idle player against SCORPION.
  GameOptions o;
  o.start.kind = platform::BackendKind::Headless;
  o.start.untilMs = 600000;
  o.singleInstance = false;
  o.dir = FolderWithMaps("sim");
  o.haveSeed = true;
  o.seed = 3;
  o.matchRecord = 3;
  o.matchMap = midTournament;
  ASSERT_EQ(RunGame(o), 0);
  ASSERT_TRUE(LastMatch.valid);
  EXPECT_EQ(LastMatch.result, LastMatch.fighters[0].roundsWon);
  const int rounds = LastMatch.fighters[0].roundsWon + LastMatch.fighters[1].roundsWon;
  EXPECT_GE(rounds, 1);
  EXPECT_LE(rounds, 3);
  EXPECT_LT(platform::headless::Now(), 250000);  // ended by the match, not by the deadline
  EXPECT_EQ(MapProgress[midTournament], 0);
  EXPECT_FALSE(std::ifstream(o.dir + "/BRAMKO.DAT").good());
}

}  // namespace

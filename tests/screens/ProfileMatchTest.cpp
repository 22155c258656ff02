// The fight a profile screen starts: against its own record, and where each outcome leads
// (back to the map with the field music, the tournament ending after the final with the
// extras opened for good, the DoraQ ending after the DoraQ boss).
#include <gtest/gtest.h>

#include <filesystem>

#include "ScreensKit.h"
#include "battle/MatchReport.h"
#include "platform/files/IniFile.h"
#include "screens/Omake.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"
#include "shell/Unit1.h"

namespace screens_test {
namespace {

// What the fight and its aftermath left behind.
struct Fight {
  int rightId = -1;
  std::string rightName;
  int rounds = 0;  // rounds decided by the lever
  // Once the player is back on a map (the return step runs again).
  int64_t backAt = -1;
  std::string music, help, scene;
  FieldMap* map = nullptr;
  int waypoint = -1;
  // Endings called, with what stood then.
  int endings = 0, doraqEndings = 0;
  FieldMap* doraqMap = nullptr;
  std::string helpAtEnding;
  bool extrasAtEnding = false;
  int iniAtEnding = -1;
  std::string lastMessage;
};

Fight* g_fight = nullptr;

int ReturnStep() {
  if (g_fight->backAt < 0) {
    g_fight->backAt = Now();
    g_fight->music = CurrentMusic;
    g_fight->help = HelpKeyword;
    g_fight->scene = SceneName;
  }
  return 0;
}

void FakeEnding() {
  ++g_fight->endings;
  g_fight->helpAtEnding = HelpKeyword;
  g_fight->extrasAtEnding = ExtrasUnlocked;
  g_fight->iniAtEnding = platform::IniReadInt(SettingsFilePath(), "その他", "おまけ", -1);
  const auto& messages = platform::headless::Messages();
  g_fight->lastMessage = messages.empty() ? "" : messages.back();
}

void FakeDoraQEnding(FieldMap* map) {
  ++g_fight->doraqEndings;
  g_fight->doraqMap = map;
  g_fight->helpAtEnding = HelpKeyword;
}

// Decides every round as it is about to start: the player wins it or loses it on time.
void DecideRounds(Fight& f, bool playerWins) {
  BramkoPlayer* left = Fighter(0);
  BramkoPlayer* right = Fighter(1);
  if (!GameScreenActive || !left || !right || RoundOver != 0 || RoundClock != RoundSeconds) return;
  f.rightId = right->characterId;
  f.rightName = right->GetName();
  ++f.rounds;
  left->energy = playerWins ? 100 : 0;
  right->energy = playerWins ? 0 : 100;
  RoundClock = 0;
}

// The profile of record, shown from map (no map scene behind it); select at 3000 fights.
Fight FightFrom(int map, const OpponentRecord& record, bool playerWins, ScreenRun run = {}) {
  Fight f;
  g_fight = &f;
  run.script += "3000 tap X\n";
  run.untilMs = 90000;
  run.lever = [&] { DecideRounds(f, playerWins); };
  auto before = run.inside;
  run.inside = [&, before] {
    StartTournamentEnding = FakeEnding;
    DoraQEndingRunner = FakeDoraQEnding;
    LastMatch = MatchReport{};
    if (before) before();
    CurrentMapId = map;
    ShowProfile(ReturnStep, record);
  };
  RunScreens(run);
  g_fight = nullptr;
  return f;
}

TEST(ProfileMatchTest, FinalWonOpensTheExtrasForGoodAndStartsTheEnding) {
  const OpponentRecord& yui = Record("ユイ");
  ASSERT_EQ(yui.characterId, 8);
  enum Case { kFirstTime, kAgain, kUnwritable };
  for (Case k : {kFirstTime, kAgain, kUnwritable}) {
    SCOPED_TRACE(k);
    ScreenRun run;
    run.dir = FolderWithMaps("final");
    if (k == kAgain) platform::IniWriteString(run.dir + "BRAMKO.INI", "その他", "おまけ", "0");
    // A folder where the file should be: the flag cannot be written; the ending still comes.
    if (k == kUnwritable) std::filesystem::create_directory(run.dir + "BRAMKO.INI");
    run.inside = [&] { ExtrasUnlocked = k == kAgain; };
    Fight f = FightFrom(midTournament, yui, true, run);
    EXPECT_EQ(f.rightId, 8);
    EXPECT_EQ(f.rightName, "ユイ");
    EXPECT_EQ(LastMatch.result, 2);
    EXPECT_EQ(f.endings, 1);
    EXPECT_TRUE(f.extrasAtEnding);
    EXPECT_EQ(f.helpAtEnding, "");
    EXPECT_EQ(f.backAt, -1) << "went back to the map as well";
    if (k == kUnwritable)
      EXPECT_EQ(f.lastMessage.rfind("Bramko2 for Windows: " + run.dir + "BRAMKO.INI に書き込めません", 0), 0u)
          << f.lastMessage;
    else
      EXPECT_EQ(f.iniAtEnding, 1);
  }
}

TEST(ProfileMatchTest, FinalLostLeavesTheExtrasShutAndGoesBackWithTheFieldMusic) {
  ScreenRun run;
  run.inside = [] { ExtrasUnlocked = false; };
  Fight f = FightFrom(midTournament, Record("ユイ"), false, run);
  EXPECT_EQ(f.rightId, 8);
  EXPECT_EQ(LastMatch.result, 0);
  EXPECT_EQ(f.endings, 0);
  EXPECT_FALSE(ExtrasUnlocked);
  EXPECT_FALSE(std::filesystem::exists(run.dir + "BRAMKO.INI"));
  EXPECT_GT(f.backAt, 3000);
  EXPECT_EQ(f.music, "field");
  EXPECT_EQ(f.help, "フィールドマップ");
}

TEST(ProfileMatchTest, DoraQBeatenStartsItsEndingOnTheMapBehind) {
  FieldMap* map = nullptr;
  ScreenRun run;
  run.inside = [&] { map = new Omake(*ScreenCanvas); };
  Fight f = FightFrom(midDoraQ, Record("ドラＱ"), true, run);
  EXPECT_EQ(f.rightId, 14);
  EXPECT_EQ(f.doraqEndings, 1);
  EXPECT_EQ(f.doraqMap, map);
  EXPECT_EQ(f.helpAtEnding, "");
  EXPECT_EQ(f.endings, 0);
  EXPECT_EQ(f.backAt, -1);
}

TEST(ProfileMatchTest, ExtrasFightsWonOrLostComeBackToTheSameMenu) {
  for (bool win : {false, true}) {
    SCOPED_TRACE(win ? "won" : "lost");
    Fight f;
    g_fight = &f;
    FieldMap* menu = nullptr;
    ScreenRun run;
    run.untilMs = 90000;
    // Second entry (ドラＧ), its profile, the fight.
    run.script = "500 tap G\n1000 tap X\n4000 tap X\n";
    run.lever = [&] {
      DecideRounds(f, win);
      if (f.backAt < 0 && LastMatch.valid && SceneStep == FieldMapStep) {
        f.backAt = Now();
        f.music = CurrentMusic;
        f.help = HelpKeyword;
        f.scene = SceneName;
        f.map = CurrentMapScene;
        f.waypoint = CurrentWaypoint;
      }
    };
    run.inside = [&] {
      StartTournamentEnding = FakeEnding;
      LastMatch = MatchReport{};
      ExtrasUnlocked = true;
      menu = new Omake(*ScreenCanvas);
    };
    RunScreens(run);
    g_fight = nullptr;
    EXPECT_EQ(f.rightName, "ドラＧ");
    EXPECT_EQ(f.rightId, 10);
    EXPECT_EQ(LastMatch.result, win ? 2 : 0);
    EXPECT_GT(f.backAt, 4000);
    EXPECT_EQ(f.map, menu);
    EXPECT_EQ(f.scene, "Omake");
    EXPECT_EQ(f.waypoint, 1);
    EXPECT_EQ(f.music, "field");
    EXPECT_EQ(f.help, "フィールドマップ");
    EXPECT_EQ(f.endings, 0);
    EXPECT_EQ(MapProgress[midExtras], 5);
  }
}

}  // namespace
}  // namespace screens_test

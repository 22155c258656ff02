// The versus menu: choosing per player, decided players, power levels kept for the run,
// what the match is given, and leaving for the main menu.
#include <gtest/gtest.h>

#include "support/MenuTestKit.h"
#include "field/MapState.h"
#include "shell/GameMedia.h"

namespace {

struct MatchStart {
  int64_t ms;
  unsigned char decided[2];
  int power[2], set[2];
};
std::vector<MatchStart> g_matches;

int FakeMatch() {
  MatchStart m{platform::headless::Now(), {CurrentVersus->decided[0], CurrentVersus->decided[1]}, {}, {}};
  for (int f = 0; f < 2; ++f) {
    m.power[f] = FangPowerByMode[f][mmVersus];
    m.set[f] = FangSetByMode[f][mmVersus];
  }
  g_matches.push_back(m);
  return 0;
}

// A key held for 120 ms: while one player idles the step waits 40 ms for each, so the
// other player's keys are read only about every 80 ms and a shorter tap can slip through.
std::string Press(const std::string& key, int at) {
  return std::to_string(at) + " down " + key + "\n" + std::to_string(at + 120) + " up " + key + "\n";
}

struct VersusEnd {
  int cursor[2] = {-1, -1};
  int decided[2] = {-1, -1};
  int level[2] = {-1, -1};
};

// Runs the versus screen from the start of the game (the title skipped) with a script.
VersusEnd RunVersus(const std::string& script, int64_t untilMs, const std::function<void()>& before = nullptr) {
  g_matches.clear();
  VersusEnd end;
  testing_support::RunHeadlessGame(script, untilMs, 1, [&] {
    LoadKeyLists("", true);
    VersusMatchRunner = FakeMatch;
    if (before) before();
    new VSMode(*ScreenCanvas);
  });
  for (int p = 0; p < 2; ++p) {
    end.level[p] = VersusPowerLevel[p];
    if (!CurrentVersus) continue;
    end.cursor[p] = CurrentVersus->cursorIndex[p];
    end.decided[p] = CurrentVersus->decided[p];
  }
  delete CurrentVersus;
  delete CurrentMapScene;
  return end;
}

TEST(VersusTest, ADecidedPlayerIsFixedWhileTheOtherStillChooses) {
  // Player 1 takes "type b" and decides, then tries to change; player 2 goes on choosing.
  VersusEnd end = RunVersus(Press("G", 1000) + Press("H", 1300) + Press("X", 1600) + Press("H", 2000) +
                                Press("G", 2300) + Press("T", 2600) + Press("RIGHT", 2000) + Press("RIGHT", 2300) +
                                Press("DOWN", 2600) + Press("DOWN", 2900),
                            3500);
  EXPECT_TRUE(g_matches.empty());
  EXPECT_EQ(end.decided[0], 1);
  EXPECT_EQ(end.decided[1], 0);
  EXPECT_EQ(end.cursor[0], 1);
  EXPECT_EQ(end.level[0], 1);
  EXPECT_EQ(end.cursor[1], 2);
  EXPECT_EQ(end.level[1], 2);
}

TEST(VersusTest, TheMatchGetsEachPlayersSetAndPowerThenBothChooseAgain) {
  // Levels run from 0 to 7 and no further: fang powers 160 and 370.
  std::string script = Press("F", 1000) + Press("F", 1300) + Press("G", 1600) + Press("G", 1900);
  for (int i = 0; i < 9; ++i) script += Press("RIGHT", 1000 + 250 * i);
  script += Press("DOWN", 3500) + Press("ENTER", 4000) + Press("X", 4500);
  VersusEnd end = RunVersus(script, 5500);
  ASSERT_EQ(g_matches.size(), 1u);
  const MatchStart& m = g_matches[0];
  EXPECT_GE(m.ms, 4500);
  EXPECT_EQ(m.power[0], 160);
  EXPECT_EQ(m.power[1], 370);
  EXPECT_EQ(m.set[0], 2);
  EXPECT_EQ(m.set[1], 1);
  // After the match: both choosing again on "type a", levels kept.
  EXPECT_EQ(end.decided[0], 0);
  EXPECT_EQ(end.decided[1], 0);
  EXPECT_EQ(end.cursor[0], 0);
  EXPECT_EQ(end.cursor[1], 0);
  EXPECT_EQ(end.level[0], 0);
  EXPECT_EQ(end.level[1], 7);
  EXPECT_EQ(SceneName, "VSMode");
  EXPECT_EQ(HelpKeyword, "対戦画面");
}

TEST(VersusTest, BothDecidingInOneStepStartsTheMatchOnPlayerTwosTurn) {
  VersusEnd end = RunVersus("1000 down X\n1000 down ENTER\n1100 up X\n1100 up ENTER\n", 2000);
  ASSERT_EQ(g_matches.size(), 1u);
  EXPECT_EQ(g_matches[0].decided[0], 1);
  EXPECT_EQ(g_matches[0].decided[1], 1);
  EXPECT_EQ(end.decided[1], 0);  // the held select did not decide player 2 again
}

TEST(VersusTest, PlayerTwoChoosesAgainInTheStepWhosePlayerOneDecisionStartedTheMatch) {
  // Player 2 decides first; player 1's select starts the match while player 2 holds down.
  VersusEnd end = RunVersus(Press("ENTER", 1000) + "1500 down DOWN\n" + Press("X", 1510) + "1700 up DOWN\n", 2500);
  ASSERT_EQ(g_matches.size(), 1u);
  EXPECT_EQ(end.cursor[1], 1);
  EXPECT_EQ(end.decided[1], 0);
}

TEST(VersusTest, ExitOrCancelOfEitherPlayerLeavesForTheMainMenu) {
  // Player 1 has decided; player 2 walks to "exit" and selects it.
  RunVersus(Press("X", 1000) + Press("DOWN", 1300) + Press("DOWN", 1600) + Press("DOWN", 1900) + Press("ENTER", 2200),
            3000);
  EXPECT_EQ(SceneName, "MainMenu");
  EXPECT_TRUE(g_matches.empty());
  RunVersus(Press("Z", 1000), 2000);  // player 1's cancel
  EXPECT_EQ(SceneName, "MainMenu");
}

TEST(VersusTest, NoKeyReachesTheMenuWhileTheHelpIsOpen) {
  // Under the help player 1 raises the power twice and holds it once more as Escape closes
  // the help; the menu sees none of it. The press after the help counts.
  const std::string script = "1000 tap F1\n" + Press("H", 1300) + Press("H", 1600) + "1900 down H\n2000 tap ESC\n" +
                             "2300 up H\n" + Press("H", 2600);
  VersusEnd end = RunVersus(script, 3200);
  EXPECT_EQ(end.level[0], 1);
  EXPECT_EQ(end.cursor[0], 0);
  ASSERT_EQ(platform::headless::HelpVisits().size(), 1u);
  EXPECT_EQ(platform::headless::HelpVisits()[0].closedMs, 2000);
}

TEST(VersusTest, PowerLevelsLastForTheWholeRun) {
  // Raise both, leave through the main menu and come back: the gauges are where they were.
  std::string script = Press("H", 1000) + Press("H", 1300) + Press("RIGHT", 1000) + Press("Z", 1600) +
                       Press("X", 2500) + Press("X", 3500) + Press("ENTER", 3500);
  RunVersus(script, 4500, [] { MainMenuLastItem = 2; });
  ASSERT_EQ(g_matches.size(), 1u);
  EXPECT_EQ(g_matches[0].power[0], 220);
  EXPECT_EQ(g_matches[0].power[1], 190);
}

}  // namespace

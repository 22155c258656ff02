// Whole versus matches: through the simulator from the title back to the versus menu, and
// in-process with the fang power and chip value each fighter is given.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "support/MenuTestKit.h"
#include "actors/Bramkoplayer.h"
#include "battle/Battle.h"
#include "battle/MatchReport.h"
#include "shell/Game.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

TEST(VersusMatchTest, SimulatorPlaysAWholeMatchAndEndsBackOnTheVersusMenu) {
  const std::string dir = testing_support::FreshDir("versus-sim") + "/";
  // Title, two steps down to versus, select; both players take "type a" and stand still.
  std::ofstream(dir + "script.txt") << "1000 tap ENTER\n"
                                       "2000 down G\n2100 up G\n2400 down G\n2500 up G\n3000 down X\n3100 up X\n"
                                       "4000 down X\n4000 down ENTER\n4150 up X\n4150 up ENTER\n";
  const std::string command = std::string(BRAMKO_BINARY_DIR) + "/bramko-sim --seed 1 --script " + dir +
                              "script.txt --until 200000 > " + dir + "report.json 2> " + dir + "log.txt";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(dir + "log.txt");
  const std::string report = ReadFile(dir + "report.json");
  EXPECT_NE(report.find("\"scene\": \"VSMode\""), std::string::npos) << report;
  // Two rounds won by one side: the match ran to its verdict, not cut off by the end of the run.
  const auto match = report.find("\"lastMatch\"");
  ASSERT_NE(match, std::string::npos) << report;
  const std::string played = report.substr(match);
  const auto wins = [&](int fighter) {
    size_t at = 0;
    for (int i = 0; i <= fighter; ++i) at = played.find("\"roundsWon\": ", at) + 13;
    return std::atoi(played.c_str() + at);
  };
  EXPECT_EQ(std::max(wins(0), wins(1)), 2) << played;
}

// What each fighter carried into the match, seen at the match's first message pump.
int g_power[2], g_chip[2], g_set[2];
void (*g_gamePump)() = nullptr;
void WatchingPump() {
  for (int f = 0; f < 2; ++f) {
    if (!Fighters[f]) continue;
    const auto* p = static_cast<const BramkoPlayer*>(Fighters[f]);
    g_power[f] = p->fangPower;
    g_chip[f] = p->chipValue;
    g_set[f] = p->fangSet;
  }
  if (g_gamePump) g_gamePump();
}

std::string Hold(const std::string& key, int at) {
  return std::to_string(at) + " down " + key + "\n" + std::to_string(at + 120) + " up " + key + "\n";
}

TEST(VersusMatchTest, LowestAndHighestPowerGiveFangPowerAndChipValue) {
  for (int f = 0; f < 2; ++f) g_power[f] = g_chip[f] = g_set[f] = -1;
  // Player 2 raises the gauge to 7 and takes "type c"; player 1 stays at 0 with "type a".
  std::string script;
  for (int i = 0; i < 7; ++i) script += Hold("RIGHT", 1000 + 250 * i);
  script += Hold("DOWN", 3000) + Hold("DOWN", 3300) + Hold("ENTER", 3600) + Hold("X", 4000);
  int matchEndedAt = -1;
  static int* ended = nullptr;
  ended = &matchEndedAt;
  testing_support::RunHeadlessGame(script, 200000, 1, [] {
    LoadKeyLists("", true);
    g_gamePump = PumpHook;
    PumpHook = WatchingPump;
    VersusMatchRunner = [] {
      const int r = RunVersusMatch();
      *ended = static_cast<int>(platform::headless::Now());
      return r;
    };
    new VSMode(*ScreenCanvas);
  });
  const bool backOnMenu = CurrentVersus && !CurrentVersus->decided[0] && !CurrentVersus->decided[1];
  delete CurrentVersus;
  EXPECT_EQ(g_power[0], 160);
  EXPECT_EQ(g_chip[0], 16);
  EXPECT_EQ(g_set[0], 0);
  EXPECT_EQ(g_power[1], 370);
  EXPECT_EQ(g_chip[1], 26);
  EXPECT_EQ(g_set[1], 2);
  EXPECT_GT(matchEndedAt, 4000);
  EXPECT_LT(matchEndedAt, 200000);
  EXPECT_TRUE(backOnMenu);
  EXPECT_TRUE(LastMatch.valid);
}

}  // namespace

namespace {

// F4 means nothing on the versus menu and F1 opens the help there; neither may act once the
// match has begun (they used to end it at once, or open the help again over it).
TEST(VersusMatchTest, KeysTappedOnTheMenuDoNotActInTheMatchThatFollows) {
  const std::string script = "1000 tap F1\n2000 tap ESC\n2500 tap F4\n" + Hold("X", 3000) + Hold("ENTER", 3000);
  static MatchReport played;
  static int64_t startedAt;
  played = MatchReport{};
  startedAt = -1;
  testing_support::RunHeadlessGame(script, 250000, 1, [] {
    LoadKeyLists("", true);
    VersusMatchRunner = [] {
      startedAt = platform::headless::Now();
      const int r = RunVersusMatch();
      played = LastMatch;
      return r;
    };
    new VSMode(*ScreenCanvas);
  });
  delete CurrentVersus;
  ASSERT_GT(startedAt, 3000);
  ASSERT_TRUE(played.valid);
  EXPECT_EQ(std::max(played.fighters[0].roundsWon, played.fighters[1].roundsWon), 2) << "the match was cut short";
  const auto& visits = platform::headless::HelpVisits();
  ASSERT_EQ(visits.size(), 1u) << "the help opened again by itself";
  EXPECT_EQ(visits[0].keyword, "対戦画面");
  EXPECT_EQ(visits[0].openedMs, 1000);
  EXPECT_EQ(visits[0].closedMs, 2000);
}

}  // namespace

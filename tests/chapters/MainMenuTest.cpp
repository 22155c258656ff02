// The main menu: its items by the extras flag, ending the program, the item it reopens on,
// the settings item, and continuing from the progress file.
#include <gtest/gtest.h>

#include <fstream>

#include "support/MenuTestKit.h"
#include "field/MapState.h"
#include "shell/GameMedia.h"
#include "field/Savefile.h"

namespace {

TEST(MainMenuTest, EscapeEndsTheProgramWithStatusZero) {
  MenuRun run = RunFromTitle(Taps("ESC", 2000), 60000);
  EXPECT_EQ(run.status, 0);
  EXPECT_GE(run.endedAt, 2000);
  EXPECT_LT(run.endedAt, 2100);
}

TEST(MainMenuTest, TheLastItemEndsTheProgramWithOrWithoutExtras) {
  // Five items: the fifth ends it.
  MenuRun five = RunFromTitle(Taps("G", 1000, 4) + Taps("X", 2500), 60000);
  EXPECT_EQ(five.status, 0);
  EXPECT_LT(five.endedAt, 2600);

  // Six items: the fifth opens the extras (here a stand-in that comes straight back), the
  // sixth ends it.
  static int64_t extrasAt;
  extrasAt = -1;
  MenuRun six = RunFromTitle(Taps("G", 1000, 4) + Taps("X", 2500) + Taps("G", 3000) + Taps("X", 3500), 60000, [] {
    ExtrasUnlocked = true;
    ExtrasMenuConstructor = [](platform::Canvas&) {
      extrasAt = platform::headless::Now();
      StartMainMenu();
    };
  });
  EXPECT_GE(extrasAt, 2500);
  EXPECT_LT(extrasAt, 3000);
  EXPECT_EQ(MainMenuLastItem, 5);
  EXPECT_EQ(six.status, 0);
  EXPECT_GE(six.endedAt, 3500);
  EXPECT_LT(six.endedAt, 3600);
}

TEST(MainMenuTest, ReopensOnTheItemChosenLast) {
  // Versus (item 2), then back with player 1's cancel: a new menu with the hero on item 2.
  MenuRun run = RunFromTitle(Taps("G", 1000, 2) + Taps("X", 2000) + Taps("Z", 3000), 4000);
  EXPECT_EQ(SceneName, "MainMenu");
  EXPECT_EQ(CurrentWaypoint, 2);
  EXPECT_EQ(CurrentMusic, "select");
}

TEST(MainMenuTest, SettingsItemLeavesTheMenuRunningWhereItWas) {
  MenuRun run = RunFromTitle(Taps("G", 1000, 3) + Taps("X", 2200) + Taps("T", 2600), 3500);
  EXPECT_EQ(SceneName, "MainMenu");
  EXPECT_EQ(MainMenuLastItem, 3);
  EXPECT_EQ(CurrentWaypoint, 2);  // and the hero still walks
}

void WriteProgressFile(const std::string& dir, std::initializer_list<unsigned char> bytes) {
  std::ofstream f(dir + "BRAMKO.DAT", std::ios::binary);
  for (unsigned char b : bytes) f.put(static_cast<char>(b));
}

int64_t g_journeyAt = -1;
platform::Canvas* g_journeyOn = nullptr;

TEST(MainMenuTest, ContinueLoadsTheProgressFileThenStartsTheJourney) {
  g_journeyAt = -1;
  std::string musicAtStart;
  int progress[4] = {};
  bool menuGone = false;
  RunFromTitle(Taps("G", 1000) + Taps("X", 1500), 3000, [] {
    WriteProgressFile(platform::ExecutableDir(), {9, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 1, 0});
    JourneyConstructor = [](platform::Canvas& c) {
      g_journeyAt = platform::headless::Now();
      g_journeyOn = &c;
    };
  });
  musicAtStart = CurrentMusic;
  menuGone = CurrentMapScene == nullptr;
  for (int i = 0; i < 4; ++i) progress[i] = MapProgress[i];
  EXPECT_GE(g_journeyAt, 1500);
  EXPECT_EQ(g_journeyOn, ScreenCanvas);
  EXPECT_EQ(musicAtStart, "field");
  EXPECT_TRUE(menuGone);
  EXPECT_EQ(progress[0], 3);  // the menu's own entry is never read
  EXPECT_EQ(progress[1], 3);
  EXPECT_EQ(progress[2], 2);
  EXPECT_EQ(progress[3], 1);
  EXPECT_EQ(JourneyIntroSeen, 1);
  EXPECT_EQ(VenueArrivalSeen, 1);
}

TEST(MainMenuTest, StartAndContinueWithoutSaveFileKeepTheProgressInMemory) {
  for (int item : {0, 1}) {
    SCOPED_TRACE(item);
    int journey = 0;
    RunFromTitle(Taps("G", 1000, item) + Taps("X", 1800), 3000, [] {
      MapProgress[midJourney] = 2;
      JourneyConstructor = [](platform::Canvas&) {};
    });
    journey = MapProgress[midJourney];
    EXPECT_EQ(journey, 2);
    EXPECT_EQ(MainMenuLastItem, item);
  }
}

TEST(MainMenuTest, SaveInTheMenuBarWritesTheProgressFile) {
  std::string path;
  MenuRun run = RunFromTitle("1000 menu ファイル(&F)/保存\n", 1500, [&] {
    MapProgress[midTournament] = 4;
    DoraQOpeningSeen = 1;
    path = SaveFilePath();
  });
  std::ifstream f(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), 19u);
  EXPECT_EQ(bytes[8], 4);
  EXPECT_EQ(bytes[18], 1);
}

}  // namespace

// World start-up, the scene clock and the title screen, on the headless backend.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/Display.h"
#include "platform/Dialogs.h"
#include "platform/Pictures.h"
#include "platform/Text.h"
#include "platform/Window.h"
#include "platform/headless/HeadlessControl.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/Random.h"
#include "support/Headless.h"

TEST(Random, FollowsTheGeneratorOfTheOriginalRuntime) {
  // The Borland C runtime's rand() after srand(1) gives these: the game's draws must match.
  SeedRandom(1);
  const int expected[] = {346, 130, 10982, 1090, 11656, 7117, 17595, 6415, 22948, 31126};
  for (int e : expected) EXPECT_EQ(RandomDraw(), e);
  SeedRandom(0xFFFFFFFFu);
  for (int i = 0; i < 1000; ++i) {
    int d = RandomDraw();
    ASSERT_GE(d, 0);
    ASSERT_LE(d, 32767);
  }
}

namespace {
int g_steps = 0;
int CountingStep() { return ++g_steps, 0; }
int ClosingStep() { return ++g_steps >= 3 ? -1 : 0; }
}  // namespace

TEST(SceneClock, ANullStepStopsTheTimerAndANewStepRestartsItAtTheLastInterval) {
  uint32_t firstTickAfterRestart = 0;
  int stepsWhileStopped = -1;
  int status = testing_support::RunHeadlessGame("", 5000, 1, [&] {
    g_steps = 0;
    SetSceneStep(nullptr);
    EXPECT_FALSE(platform::TimerEnabled());
    platform::SetTimerInterval(20);
    BusyWaitPumping(200);
    stepsWhileStopped = g_steps;
    SetSceneStep(CountingStep);
    EXPECT_TRUE(platform::TimerEnabled());
    firstTickAfterRestart = TickCount() + 20;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(stepsWhileStopped, 0);
  // From the restart to the close at 5000 ms, one step every 20 ms.
  int expected = static_cast<int>((5000 - firstTickAfterRestart) / 20) + 1;
  EXPECT_NEAR(g_steps, expected, 1);
}

TEST(SceneClock, AStepReturningMinusOneClosesTheWindow) {
  int status = testing_support::RunHeadlessGame("", 60000, 1, [] {
    g_steps = 0;
    SetSceneStep(ClosingStep);
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(g_steps, 3);
  EXPECT_TRUE(QuitRequested);
  EXPECT_LT(platform::headless::Now(), 1000);
}

namespace {
int g_menus = 0;
void FakeMainMenu(platform::Canvas&) {
  ++g_menus;
  SceneName = "MainMenu";
}
}  // namespace

TEST(Title, IsShownAtStartAndAKeyHandsOverToTheMainMenu) {
  g_menus = 0;
  std::string sceneAtStart;
  bool titleDrawn = false;
  int status = testing_support::RunHeadlessGame("300 tap SPACE\n", 1500, 1, [&] {
    sceneAtStart = SceneName;
    platform::Bitmap title;
    platform::LoadPicture("C2_TITLE", title);
    titleDrawn = platform::ImageCanvasBitmap().Pixel(320, 200) == title.Pixel(320, 200) &&
                 platform::ImageCanvasBitmap().Pixel(5, 470) == title.Pixel(5, 470);
    MainMenuConstructor = FakeMainMenu;
  });
  MainMenuConstructor = nullptr;
  EXPECT_EQ(status, 0);
  EXPECT_EQ(sceneAtStart, "Title");
  EXPECT_TRUE(titleDrawn);
  EXPECT_EQ(g_menus, 1);
  EXPECT_EQ(SceneName, "MainMenu");
  EXPECT_EQ(SceneStep, nullptr);
}

TEST(Title, StaysUntilSomethingIsPressed) {
  g_menus = 0;
  int status = testing_support::RunHeadlessGame("", 3000, 1, [] { MainMenuConstructor = FakeMainMenu; });
  MainMenuConstructor = nullptr;
  EXPECT_EQ(status, 0);
  EXPECT_EQ(g_menus, 0);
  EXPECT_EQ(SceneName, "Title");
}

TEST(World, InitWorldTwiceLoadsNothingTwice) {
  testing_support::RunHeadlessGame("", 100, 1, [] {
    ASSERT_TRUE(WorldReady);
    SpriteSheet.GetCanvas().SetPixel(0, 0, platform::Rgb(1, 2, 3));
    auto messages = platform::headless::Messages().size();
    InitWorld(*BattleCanvas, *ScreenCanvas);
    EXPECT_EQ(SpriteSheet.Pixel(0, 0), platform::Rgb(1, 2, 3)) << "the sprite sheet was loaded again";
    EXPECT_EQ(platform::headless::Messages().size(), messages) << "media were opened again";
    EXPECT_EQ(ClockDigits.Width(), 240);
    EXPECT_EQ(ClockDigits.Height(), 288);
    EXPECT_EQ(FangIcons.Width(), 320);
    EXPECT_EQ(FangIcons.Height(), 128);
  });
}

TEST(World, ClosingTheWindowEndsANestedWaitAtOnce) {
  int64_t endedAt = -1;
  testing_support::RunHeadlessGame("700 close\n", 60000, 1, [&] {
    SetSceneStep(nullptr);
    // A cut-scene style wait far longer than the run: the close must end it.
    while (!QuitRequested) WaitOrKey(100000);
    endedAt = platform::headless::Now();
  });
  EXPECT_GE(endedAt, 700);
  EXPECT_LE(endedAt, 702);
}

TEST(MainWindow, ARequestedResolutionChangeOpensTheWindowFullscreenWithoutAMessage) {
  std::string dir = testing_support::FreshDir("resolution");
  {
    std::ofstream ini(dir + "/BRAMKO.INI", std::ios::binary);
    ini << platform::Utf8ToSjis("[その他]\r\n解像度の変更=1\r\n");
  }
  GameOptions o;
  o.start.kind = platform::BackendKind::Headless;
  o.start.untilMs = 100;
  o.singleInstance = false;
  o.dir = dir;
  int count = -1;
  o.afterCreate = [&] {
    count = 0;
    for (const auto& m : platform::headless::Messages()) count += m.find("解像度変更失敗") != std::string::npos;
    EXPECT_TRUE(platform::CurrentDisplayPrefs().fullscreen);
    EXPECT_EQ(platform::WindowCanvasBitmap().Width(), 640);
    EXPECT_EQ(platform::WindowCanvasBitmap().Height(), 480);
  };
  EXPECT_EQ(RunGame(o), 0);
  EXPECT_EQ(count, 0);
}

TEST(World, ADamagedResetTuneHoldsTheStartAtMostALittleAndAClosingEndsItAtOnce) {
  // The slowest tempo at one tick per quarter, then 2^28 ticks before the end of the track.
  const std::string endless(
      "MThd\0\0\0\6\0\0\0\1\0\1MTrk\0\0\0\x12"
      "\0\xFF\x51\3\xFF\xFF\xFF\0\x90\x3C\x64\x8F\xFF\xFF\x7F\xFF\x2F\0",
      40);
  std::string dir = testing_support::FreshDir("endless-reset");
  std::ofstream(dir + "/Gmreset.mid", std::ios::binary) << endless;
  auto startUp = [&](const std::string& script) {
    GameOptions o;
    o.start.kind = platform::BackendKind::Headless;
    o.start.scriptText = script;
    o.start.untilMs = 60000;
    o.singleInstance = false;
    o.dir = dir;
    int64_t titleAt = -1;
    o.afterCreate = [&] { titleAt = platform::headless::Now(); };
    EXPECT_EQ(RunGame(o), 0);
    return titleAt;
  };
  const int64_t waited = startUp("");  // the tune claims ten seconds: the start waits three
  EXPECT_GE(waited, 3000);
  EXPECT_LE(waited, 3100);
  // Closing the window during the wait ends it, and the game ends without writing a file.
  EXPECT_LE(startUp("500 close\n"), 520);
  EXPECT_FALSE(std::filesystem::exists(dir + "/BRAMKO.INI"));
  EXPECT_FALSE(std::filesystem::exists(dir + "/BRAMKO.DAT"));
}

TEST(MainWindow, F1OpensHelpAtTheSceneKeywordOrAtTheContents) {
  std::string first, second;
  // The help stays open until Escape closes it.
  testing_support::RunHeadlessGame("1000 tap F1\n1100 tap ESC\n1300 tap F1\n", 1500, 1, [&] {
    SetSceneStep(nullptr);
    BusyWaitPumping(1150 - TickCount());
    first = platform::LastHelpRequest();
    HelpKeyword = "戦闘画面";
    BusyWaitPumping(200);
    second = platform::LastHelpRequest();
  });
  EXPECT_EQ(first, "BRAMKO.HLP#");
  EXPECT_EQ(second, "BRAMKO.HLP#戦闘画面");
}

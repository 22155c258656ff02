// Walking on a waypoint map with scripted keys: the walk limit, key repeat, the order in
// which one reading's directions are tried, Escape and the great jump.
// Default keys: player 1 T/G/F/H up/down/left/right, X select; player 2 the arrows, Enter.
#include <gtest/gtest.h>

#include "MapTestKit.h"
#include "platform/Window.h"

namespace {

std::vector<int> Waypoints() {
  std::vector<int> w;
  for (const Landing& l : g_landings) w.push_back(l.waypoint);
  return w;
}

std::string Taps(const char* key, int from, int count, int every) {
  std::string s;
  for (int i = 0; i < count; ++i) s += std::to_string(from + i * every) + " tap " + key + "\n";
  return s;
}

TEST(WalkingTest, FreshJourneyReachesOnlyTheStartAndTheFirstCheckpoint) {
  // Up and left lead on to checkpoint 2, which is closed; right goes back to the start.
  std::string script = Taps("T", 1000, 4, 300) + Taps("F", 2500, 2, 300) + Taps("H", 3200, 1, 300);
  RunOnMap(script, 4000, [] { new TestMap(*ScreenCanvas, midJourney, kJourney); });
  EXPECT_EQ(Waypoints(), (std::vector<int>{0, 1, 0}));
}

TEST(WalkingTest, ClearingTheFifthCheckpointOpensBranchAndVenueTogether) {
  int afterWin = 0;
  RunOnMap(Taps("T", 1000, 4, 300), 3000, [&] {
    MapProgress[midJourney] = 3;
    new TestMap(*ScreenCanvas, midJourney, kJourney, 5);
    ApplyMatchProgress(2, 0);  // a straight win at checkpoint 5, the frontier
    afterWin = MapProgress[midJourney];
  });
  EXPECT_EQ(afterWin, 6);
  EXPECT_EQ(Waypoints(), (std::vector<int>{5, 6, 7}));
}

TEST(WalkingTest, HeldKeyRepeatsEvery200msAndTapsMoveAtOnce) {
  std::vector<LPoint> column;
  for (int i = 0; i < 12; ++i) column.push_back({100, 20 + 30 * i});
  std::string script = "1000 down G\n1950 up G\n" + Taps("G", 3000, 4, 150);
  RunOnMap(script, 4000, [&] {
    MapProgress[midExtras] = 20;  // every waypoint reachable
    new TestMap(*ScreenCanvas, midExtras, column);
  });
  std::vector<int64_t> held, tapped;
  for (size_t i = 1; i < g_landings.size(); ++i) (g_landings[i].ms < 2500 ? held : tapped).push_back(g_landings[i].ms);
  ASSERT_EQ(held.size(), 5u);  // about 1000, 1220, 1440, 1660, 1880
  // An idle step spends 41 ms in its second reading, then waits for the next 20 ms tick,
  // so a fresh press is seen within 61 ms.
  EXPECT_LE(held[0] - 1000, 61);
  for (size_t i = 1; i < held.size(); ++i) {
    EXPECT_GT(held[i] - held[i - 1], 200);
    EXPECT_LE(held[i] - held[i - 1], 240);
  }
  // Taps 150 ms apart, closer than the repeat: each one moves when it is seen.
  ASSERT_EQ(tapped.size(), 4u);
  for (size_t i = 0; i < tapped.size(); ++i) {
    EXPECT_GE(tapped[i], 3000 + 150 * static_cast<int64_t>(i));
    EXPECT_LE(tapped[i], 3000 + 150 * static_cast<int64_t>(i) + 60);
  }
  EXPECT_EQ(CurrentWaypoint, 9);
}

TEST(WalkingTest, DirectionsOfOneReadingAreTriedUpDownLeftRightThenSelect) {
  // Waypoint 1 has nothing above it: 0 lies lower left, 2 lower right.
  const std::vector<LPoint> vee = {{100, 250}, {200, 200}, {300, 300}};
  // Player 1 holds up while player 2 adds one more input in the same reading.
  auto both = [](int at, const char* p2) {
    return std::to_string(at) + " down T\n" + std::to_string(at) + " down " + p2 + "\n" + std::to_string(at + 100) +
           " up T\n" + std::to_string(at + 100) + " up " + p2 + "\n";
  };
  std::string script = both(1000, "LEFT") + "1500 tap H\n" +   // up fails, left goes to 0; back to 1
                       both(2000, "RIGHT") + "2500 tap F\n" +  // up fails, right goes to 2; back to 1
                       both(3000, "DOWN") + "3500 tap H\n" +   // down: both neighbours lie lower, 0 first
                       both(4000, "ENTER") +                   // nothing moves: select
                       "4500 down G\n4500 down ENTER\n4600 up G\n4600 up ENTER\n";  // a move beats select
  RunOnMap(script, 5000, [&] {
    MapProgress[midExtras] = 5;
    new TestMap(*ScreenCanvas, midExtras, vee, 1);
  });
  EXPECT_EQ(Waypoints(), (std::vector<int>{1, 0, 1, 2, 1, 0, 1, 0}));
  ASSERT_EQ(g_selects.size(), 1u);
  EXPECT_GE(g_selects[0], 4000);
  EXPECT_LT(g_selects[0], 4100);
}

TEST(WalkingTest, EscapeOnAStoryMapReturnsToTheMainMenu) {
  // Escape is still held when the menu opens; the menu must not take it as its own.
  int status = RunOnMap("1000 down ESC\n1150 up ESC\n", 2000, [] { new TestMap(*ScreenCanvas, midJourney, kJourney); });
  EXPECT_EQ(status, 0);
  EXPECT_GE(platform::headless::Now(), 2000);  // the program is still running
  EXPECT_EQ(SceneName, "MainMenu");
  EXPECT_EQ(CurrentMapId, midMainMenu);
}

int64_t g_landedAt = -1;
platform::Canvas* g_landedOn = nullptr;

TEST(WalkingTest, RightAtTheJourneyBranchPointIsTheGreatJump) {
  g_landedAt = -1;
  int jumpedTo = 0;
  bool imageShownAfter = false;
  RunOnMap("1000 tap H\n", 6000, [&] {
    DoraQLastWaypoint = 4;
    DoraQStageConstructor = [](platform::Canvas& c) {
      g_landedAt = platform::headless::Now();
      g_landedOn = &c;
    };
    MapProgress[midJourney] = 6;
    new TestMap(*ScreenCanvas, midJourney, kJourney, 6);
  });
  jumpedTo = DoraQLastWaypoint;
  imageShownAfter = platform::ImageVisible();
  // 250 + 500 ms standing, the flight, 400 ms, the dissolve and 500 ms.
  EXPECT_GE(g_landedAt, 1000 + 250 + 500 + 400 + 500);
  EXPECT_LT(g_landedAt, 5000);
  EXPECT_EQ(g_landedOn, ScreenCanvas);
  EXPECT_EQ(jumpedTo, 1);
  EXPECT_TRUE(imageShownAfter);
  EXPECT_EQ(CurrentMapScene, nullptr);  // the journey map is gone
}

TEST(WalkingTest, RightWithNoNeighbourElsewhereDoesNothing) {
  // Waypoint 6 of another map, and the journey's frontier at checkpoint 5.
  RunOnMap("1000 tap H\n", 3000, [] {
    DoraQStageConstructor = [](platform::Canvas&) { g_landedAt = 1; };
    MapProgress[midTournament] = 5;
    new TestMap(*ScreenCanvas, midTournament, kJourney, 6);
  });
  EXPECT_EQ(SceneName, "FieldMap");
  EXPECT_EQ(CurrentWaypoint, 6);
  g_landedAt = -1;
  RunOnMap("1000 tap H\n", 3000, [] {
    DoraQStageConstructor = [](platform::Canvas&) { g_landedAt = 1; };
    MapProgress[midJourney] = 3;
    new TestMap(*ScreenCanvas, midJourney, kJourney, 5);
  });
  EXPECT_EQ(g_landedAt, -1);
  EXPECT_EQ(SceneName, "FieldMap");
  EXPECT_EQ(Waypoints(), (std::vector<int>{5}));
}

}  // namespace

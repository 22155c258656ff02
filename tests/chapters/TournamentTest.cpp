// The tournament: the walk limit of a fresh board, the four opponents from left to right,
// progress only for wins at the frontier, and the won final leading into the ending.
#include <gtest/gtest.h>

#include "ChapterKit.h"
#include "field/Fieldmap.h"
#include "platform/Window.h"
#include "screens/Krending.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"

namespace {

using namespace chapters_test;

TEST(TournamentTest, FourMatchesInOrderAndTheWonFinalEndsTheChapter) {
  ChapterRun run;
  std::vector<int> progress;  // MapProgress[2] each time the board is back after a match
  int fresh = -1;             // where two steps right take the hero on a fresh board
  bool endingStarted = false;
  run.before = [] {
    JourneyIntroSeen = 1;
    VenueArrivalSeen = 1;
    MapProgress[midJourney] = 6;
  };
  run.rounds = {Lost(), Lost(),         // match 1 lost
                Won(),  Lost(), Won(),  // match 1 won 2-1: any win counts here
                Won(),  Won(),          // match 1 again, behind the frontier now
                Won(),  Won(),          // match 2
                Won(),  Won(),          // semi-final
                Won(),  Won()};         // final
  auto tap = [&](int key, bool afterMatch = false) {
    run.cues.push_back({[] { return OnMap("KRStage2") && Since(300); },
                        [&, key, afterMatch] {
                          if (afterMatch) progress.push_back(MapProgress[midTournament]);
                          Tap(key);
                        }});
  };
  auto fight = [&] {
    tap(kSelect);
    run.cues.push_back({OnProfile, [] { Tap(kSelect); }});
  };
  run.cues.push_back({[] { return SceneName == "Title" && Since(200); }, [] { Tap(kSelect); }});
  run.cues.push_back({[] { return OnMap("MainMenu") && Since(300); }, [] { Tap(kSelect); }});
  for (int i = 0; i < 7; ++i) run.cues.push_back({[] { return OnMap("KRStage1") && Since(300); }, [] { Tap(kUp); }});
  tap(kRight);
  tap(kRight);
  run.cues.push_back({[] { return OnMap("KRStage2") && Since(300); }, [&] { fresh = CurrentWaypoint; }});
  fight();
  tap(kSelect, true);  // lost: fight again
  run.cues.push_back({OnProfile, [] { Tap(kSelect); }});
  tap(kSelect, true);  // won: once more, behind the frontier
  run.cues.push_back({OnProfile, [] { Tap(kSelect); }});
  for (int match = 2; match <= 4; ++match) {
    tap(kRight, true);
    fight();
  }
  run.cues.push_back({[] { return SceneName == "KREnding"; },
                      [&] {
                        endingStarted = CurrentEnding != nullptr;
                        Tap(kCancel);
                      }});
  run.cues.push_back({[] { return OnMap("MainMenu"); }, [] { platform::CloseWindow(); }});
  run.untilMs = 600000;
  Play(run);

  EXPECT_EQ(fresh, 2);
  EXPECT_EQ(run.opponents, (std::vector<int>{5, 5, 5, 3, 7, 8}));
  // After: the lost match, the first win, the win behind the frontier, matches 2 and 3.
  EXPECT_EQ(progress, (std::vector<int>{0, 1, 1, 2, 3}));
  EXPECT_TRUE(endingStarted);
  EXPECT_TRUE(ExtrasUnlocked);
  EXPECT_EQ(SceneName, "MainMenu");
}

}  // namespace

// The tournament journey: the introduction of the first visit only, the straight-win rule
// at the checkpoints, the arrival at the venue with the reporter, and the cancel button
// during the start signal.
#include <gtest/gtest.h>

#include <fstream>

#include "ChapterKit.h"
#include "field/Fieldmap.h"
#include "platform/Pictures.h"
#include "platform/Window.h"
#include "shell/Bramkoworld.h"
#include "shell/Game.h"
#include "shell/GameMedia.h"
#include "shell/Typewriters.h"

namespace {

using namespace chapters_test;

// From the title to the main menu's first item: the journey.
void StartJourney(ChapterRun& run) {
  run.cues.push_back({[] { return SceneName == "Title" && Since(200); }, [] { Tap(kSelect); }});
  run.cues.push_back({[] { return OnMap("MainMenu") && Since(300); }, [] { Tap(kSelect); }});
}

// A tap on the journey or tournament map once the last move has settled.
void MapTap(ChapterRun& run, const char* scene, int key, std::function<void()> first = nullptr) {
  run.cues.push_back({[scene] { return OnMap(scene) && Since(300); },
                      [key, first] {
                        if (first) first();
                        Tap(key);
                      }});
}

void Close(ChapterRun& run, std::function<bool()> when) {
  run.cues.push_back({std::move(when), [] { platform::CloseWindow(); }});
}

TEST(JourneyTest, TheIntroductionPlaysOnTheFirstVisitOnly) {
  ChapterRun run;
  int rulesLinesShown = 0;
  int64_t titleAt = -1, firstMapAt = -1, secondStartAt = -1, secondMapAt = -1;
  size_t musicBeforeSecond = 0;
  unsigned char seenAfterFirst = 0;
  StartJourney(run);
  // The rules page waits for a key: look at its nine lines, then turn it.
  run.cues.push_back({[] { return SceneName == "KRStage1" && CurrentMusic == "bramko" && Since(2500); },
                      [&] {
                        platform::Bitmap page;
                        platform::LoadPicture("C2CANVAS", page);
                        for (int k = 0; k < 9; ++k)
                          rulesLinesShown += DiffersFrom(page, {72, 52 + 34 * k, 300, 64 + 34 * k});
                        ShotIfAsked("journey_rules");
                        Tap(kSelect);
                      }});
  run.cues.push_back({[] { return CurrentMusic == "event"; }, [&] { titleAt = Now(); }});
  run.cues.push_back({[] { return CurrentMusic == "event" && Since(1000); }, [] { ShotIfAsked("journey_title"); }});
  run.cues.push_back({[] { return OnMap("KRStage1"); },
                      [&] {
                        firstMapAt = Now();
                        seenAfterFirst = JourneyIntroSeen;
                        Tap(VK_ESCAPE_KEY);
                      }});
  run.cues.push_back({[] { return OnMap("MainMenu") && Since(300); },
                      [&] {
                        secondStartAt = Now();
                        musicBeforeSecond = run.music.size();
                        Tap(kSelect);
                      }});
  run.cues.push_back({[] { return OnMap("KRStage1"); }, [&] { secondMapAt = Now(); }});
  MapTap(run, "KRStage1", kSelect);  // the start leads back to the menu
  Close(run, [] { return OnMap("MainMenu"); });
  run.untilMs = 40000;
  Play(run);

  EXPECT_EQ(rulesLinesShown, 9);
  EXPECT_EQ(seenAfterFirst, 1);
  ASSERT_GT(titleAt, 0);
  // Nothing pressed: the chapter title stays its four seconds, the key of the rules page
  // does not cut it short.
  EXPECT_GE(firstMapAt - titleAt, 4000);
  EXPECT_LT(firstMapAt - titleAt, 4600);
  // The second visit goes straight to the map to the field tune.
  ASSERT_GT(secondMapAt, 0);
  EXPECT_LT(secondMapAt - secondStartAt, 1000);
  for (size_t i = musicBeforeSecond; i < run.music.size(); ++i) {
    EXPECT_NE(run.music[i], "event");
    EXPECT_NE(run.music[i], "bramko");
  }
  EXPECT_EQ(SceneName, "MainMenu");
  EXPECT_EQ(JourneyLastWaypoint, 0);
}

int SavedJourneyProgress(const std::string& dir) {
  std::ifstream f(dir + "BRAMKO.DAT", std::ios::binary);
  unsigned char b[8] = {};
  if (!f.read(reinterpret_cast<char*>(b), 8)) return -99;
  return static_cast<int>(b[4] | b[5] << 8 | b[6] << 16 | static_cast<unsigned>(b[7]) << 24);
}

TEST(JourneyTest, OnlyAStraightWinOpensTheNextCheckpoint) {
  ChapterRun run;
  int progressAfterNarrowWin = -9, waypointAfterNarrowWin = -9, progressAfterStraightWin = -9,
      waypointAfterStraightWin = -9, savedAfterNarrowWin = -9;
  run.before = [] { JourneyIntroSeen = 1; };
  run.rounds = {Won(), Lost(), Won(), Won(), Won()};
  StartJourney(run);
  MapTap(run, "KRStage1", kUp);
  MapTap(run, "KRStage1", kSelect);
  run.cues.push_back({OnProfile, [] { Tap(kSelect); }});
  // 2-1: the keeper lets nobody through on that.
  MapTap(run, "KRStage1", kUp, [&] {
    progressAfterNarrowWin = MapProgress[midJourney];
    savedAfterNarrowWin = SavedJourneyProgress(run.dir);
  });
  MapTap(run, "KRStage1", kSelect, [&] { waypointAfterNarrowWin = CurrentWaypoint; });
  run.cues.push_back({OnProfile, [] { Tap(kSelect); }});
  MapTap(run, "KRStage1", kUp, [&] { progressAfterStraightWin = MapProgress[midJourney]; });
  Close(run, [&] {
    if (!OnMap("KRStage1") || !Since(300)) return false;
    waypointAfterStraightWin = CurrentWaypoint;
    return true;
  });
  run.untilMs = 200000;
  Play(run);

  EXPECT_EQ(run.opponents, (std::vector<int>{0, 0}));
  EXPECT_EQ(progressAfterNarrowWin, -1);
  EXPECT_EQ(savedAfterNarrowWin, -99);  // nothing to save: no file yet
  EXPECT_EQ(waypointAfterNarrowWin, 1);
  EXPECT_EQ(progressAfterStraightWin, 0);
  EXPECT_EQ(SavedJourneyProgress(run.dir), 0);
  EXPECT_EQ(waypointAfterStraightWin, 2);
}

// The venue from the start with every checkpoint cleared: seven steps up.
void WalkToTheVenue(ChapterRun& run) {
  run.before = [] {
    JourneyIntroSeen = 1;
    MapProgress[midJourney] = 6;
  };
  StartJourney(run);
  for (int i = 0; i < 7; ++i) MapTap(run, "KRStage1", kUp);
}

TEST(JourneyTest, TheVenueShowsTheArrivalOnceThenTheTournamentOpensAtItsEntry) {
  ChapterRun run;
  bool arrivalBox = false, faceShown = false, signal = false;
  int tournamentWaypoint = -1, tournamentLast = -1, journeyWaypoint = -1;
  int64_t secondVenueAt = -1, secondTournamentAt = -1;
  WalkToTheVenue(run);
  run.every = [&] {
    if (SceneName != "KRStage1") return;
    const platform::Bitmap& screen = platform::VisibleCanvas();
    if (CurrentMusic == "fanfare" && screen.Pixel(42, 263) == platform::kWhite && screen.Pixel(43, 264) == 0 &&
        !arrivalBox) {
      arrivalBox = true;
      ShotIfAsked("journey_arrival");
    }
    if (FacePicture.Width() == 256 && !faceShown) {
      faceShown = true;
      ShotIfAsked("journey_reporter");
    }
    if (CurrentSound == "bu" && !signal) {
      signal = true;
      ShotIfAsked("journey_signal");
    }
  };
  run.cues.push_back({[] { return OnMap("KRStage2"); },
                      [&] {
                        tournamentWaypoint = CurrentWaypoint;
                        tournamentLast = TournamentLastWaypoint;
                        ShotIfAsked("tournament_map");
                      }});
  MapTap(run, "KRStage2", kLeft);  // onto the gate
  MapTap(run, "KRStage1", kUp, [&] {
    journeyWaypoint = CurrentWaypoint;
    secondVenueAt = Now();
  });
  Close(run, [&] {
    if (!OnMap("KRStage2")) return false;
    secondTournamentAt = Now();
    return true;
  });
  run.untilMs = 120000;
  Play(run);

  EXPECT_TRUE(arrivalBox);
  EXPECT_TRUE(faceShown);
  EXPECT_TRUE(signal);
  EXPECT_EQ(VenueArrivalSeen, 1);
  EXPECT_EQ(tournamentWaypoint, 1);
  EXPECT_EQ(tournamentLast, 1);
  EXPECT_EQ(journeyWaypoint, 6);                        // back from the gate at the branch point
  EXPECT_LT(secondTournamentAt - secondVenueAt, 1000);  // no second arrival
  EXPECT_EQ(std::count(run.music.begin(), run.music.end(), "fanfare"), 1);
  const auto reporter = std::find(run.music.begin(), run.music.end(), "reporter");
  ASSERT_NE(reporter, run.music.end());
  EXPECT_NE(std::find(reporter, run.music.end(), "field"), run.music.end());
  EXPECT_EQ(FacePicture.Width(), 0);  // freed with the journey map
}

TEST(JourneyTest, CancelDuringTheStartSignalEndsTheArrivalWithTheReporterStillPlaying) {
  ChapterRun run;
  int64_t cancelledAt = -1, tournamentAt = -1;
  std::string music;
  WalkToTheVenue(run);
  run.cues.push_back({[] { return SceneName == "KRStage1" && CurrentSound == "bu"; },
                      [&] {
                        cancelledAt = Now();
                        Tap(kCancel);
                      }});
  Close(run, [&] {
    if (!OnMap("KRStage2")) return false;
    tournamentAt = Now();
    music = CurrentMusic;
    return true;
  });
  run.untilMs = 120000;
  Play(run);

  ASSERT_GT(tournamentAt, 0);
  EXPECT_LT(tournamentAt - cancelledAt, 400);
  EXPECT_EQ(music, "reporter");
  EXPECT_EQ(TournamentLastWaypoint, 1);
}

}  // namespace

// The DoraQ chapter's opening: its pictures in order with their waits, the sounds and tunes,
// cancel and Escape, and that it plays on the first visit only.
#include <gtest/gtest.h>

#include "DoraqKit.h"
#include "chapters/Doraqstage.h"
#include "chapters/Mainmenu.h"
#include "field/Fieldmap.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"

using namespace doraq_test;

namespace {

const char* const kOpeningPictures =
    "AOPB@0 AOPB field AOP2 field AOP3 AOP4 AOP11 AOP10 AOP6 AOP7 AOP8 AOP6 AOP9 AOP12 CHAP_A field";

// Time from the first showing of a to the first showing of b after it.
int64_t Gap(const std::vector<Mark>& frames, const std::string& a, const std::string& b, int from = 0) {
  const int i = Find(frames, a, from);
  const int j = i < 0 ? -1 : Find(frames, b, i + 1);
  return j < 0 ? -1 : frames[j].ms - frames[i].ms;
}

void Land() {
  DoraQLastWaypoint = 1;
  ConstructDoraQStage(*ScreenCanvas);
}

}  // namespace

TEST(OpeningTest, PlaysItsPicturesInOrderWithTheirWaitsAndEndsOnTheMap) {
  Watch w;
  w.closeOn = "DoraQStage+step";
  int seenFlag = -1;
  bool keeperOffAtTitle = false, keeperOffAfter = true;
  int64_t marksDoneAt = -1;
  w.each = [&] {
    if (seenFlag < 0) seenFlag = DoraQOpeningSeen;  // set as the opening starts
    if (!w.frames.empty() && w.frames.back().what == "CHAP_A") keeperOffAtTitle = MusicKeeperOff;
    if (marksDoneAt < 0 && Find(w.frames, "AOP8") >= 0) {
      const int mark = TextWidth("…");
      bool all = true;
      for (int k = 0; k < 6 && all; ++k) all = ShowsText(112 + k * mark, 296, "…");
      if (all) marksDoneAt = Now();
    }
  };
  RunGameWith("", 60000, w, [&] {
    Land();
    keeperOffAfter = MusicKeeperOff;
  });
  EXPECT_EQ(Join(Sequence(w.frames)), kOpeningPictures);
  EXPECT_EQ(seenFlag, 1);
  EXPECT_EQ(DoraQOpeningSeen, 1);

  // Pure pauses between pictures (the dissolves take no time on the virtual clock); the probe
  // looks every 5 ms, so each mark may be up to 4 ms late.
  auto near = [](int64_t got, int64_t want) { return got >= want - 5 && got <= want + 12; };
  // The fall: the island redrawn whole at the first place, 16 more places 10 ms apart, the
  // hero gone at the last one; 10 ms and 500 later the frame melts back into the map.
  const int firstIsland = Find(w.frames, "AOPB"), firstMap = Find(w.frames, "field");
  ASSERT_GT(firstMap, firstIsland);
  const Mark& landed = w.frames[firstMap - 1];
  EXPECT_EQ(landed.what, "AOPB");
  EXPECT_PRED2(near, landed.ms - w.frames[firstIsland].ms, 160);
  EXPECT_PRED2(near, w.frames[firstMap].ms - landed.ms, 510);
  // Step 3 waits for the keys to be let go (at least 50 quiet ms) before the fall.
  EXPECT_GE(Gap(w.frames, "AOPB@0", "AOPB"), 50);
  EXPECT_PRED2(near, Gap(w.frames, "AOP2", "field"), 1500);
  const int secondMap = Find(w.frames, "field", Find(w.frames, "AOP2"));
  EXPECT_PRED2(near, Gap(w.frames, "field", "AOP3", secondMap), 1500);
  EXPECT_PRED2(near, Gap(w.frames, "AOP10", "AOP6"), 1000);
  // Step 19: 500, six marks 100 apart, 1000; then the angry captain.
  const int secondCaptain = Find(w.frames, "AOP6", Find(w.frames, "AOP8"));
  EXPECT_PRED2(near, Gap(w.frames, "AOP6", "AOP9", secondCaptain), 500 + 600 + 1000);
  EXPECT_PRED2(near, Gap(w.frames, "AOP9", "AOP12"), 1000);
  EXPECT_PRED2(near, Gap(w.frames, "CHAP_A", "field"), 4000);
  // DoraQ's laugh is typed after a pause of 500 behind his picture.
  EXPECT_GT(Gap(w.frames, "AOP11", "AOP10"), 1000 + 500 + 1000);
  EXPECT_GT(marksDoneAt, 0);

  EXPECT_EQ(Join(Sequence(w.music)), "bramko event field");
  EXPECT_EQ(Join(Sequence(w.sounds)), "fall crush");
  // The fall is cut off 500 ms after the hero lands, before the crash.
  const int fall = Find(w.sounds, "fall");
  ASSERT_GE(fall, 0);
  EXPECT_EQ(w.sounds[fall + 1].what, "");
  EXPECT_PRED2(near, w.sounds[fall + 1].ms - landed.ms, 510);
  EXPECT_TRUE(keeperOffAtTitle);
  EXPECT_FALSE(keeperOffAfter);
  ASSERT_FALSE(w.scenes.empty());
  EXPECT_EQ(w.scenes.back().what, "DoraQStage+step");
  EXPECT_EQ(CurrentWaypoint, 1);
  // The map is the island again, not the masked one.
  EXPECT_TRUE(ShowsPicture("DoraQSTAGE", 20, 20, 20, 20, 120, 100));
}

TEST(OpeningTest, CancelAtAnyPauseOrLineJumpsToTheMapWithTheFieldMusic) {
  // Cancel pressed while the given picture is up: during the fall, in a plain pause, while a
  // line is typed, in the chapter title.
  struct Case {
    const char* when;
    int64_t after;
    const char* lastPicture;
  };
  const Case cases[] = {{"AOPB@0", 100, "AOPB"}, {"AOP2", 200, "AOP2"}, {"AOP4", 300, "AOP4"},
                        {"CHAP_A", 500, "CHAP_A"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    Watch w;
    w.closeOn = "DoraQStage+step";
    int64_t pressed = -1;
    w.each = [&] {
      if (pressed < 0 && !w.frames.empty() && w.frames.back().what == c.when) {
        pressed = Now() + c.after;
        Tap(kCancel, c.after);
      }
    };
    RunGameWith("", 60000, w, Land);
    ASSERT_GT(pressed, 0);
    std::vector<std::string> shown = Sequence(w.frames);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[shown.size() - 2], c.lastPicture);
    EXPECT_EQ(shown.back(), "field");
    const int onMap = Find(w.scenes, "DoraQStage+step");
    ASSERT_GE(onMap, 0);
    // Without the wait for the release, the map would be back within a few ms.
    EXPECT_LE(w.scenes[onMap].ms - pressed, 150);
    EXPECT_EQ(w.music.back().what, "field");
    EXPECT_FALSE(MusicKeeperOff);
    EXPECT_EQ(DoraQOpeningSeen, 1);
    EXPECT_TRUE(ShowsPicture("DoraQSTAGE", 20, 20, 20, 20, 120, 100));
    // Cut off in the middle of the fall, the fall sound is left to run out.
    if (std::string(c.when) == "AOPB@0") {
      EXPECT_EQ(w.sounds.back().what, "fall");
    }
  }
}

TEST(OpeningTest, EscapeOnlyCutsThePauseShort) {
  // Escape in the first second of black ends that pause only: the island comes at once, the
  // fall after the key has been let go, and the whole opening follows.
  Watch w;
  w.closeOn = "DoraQStage+step";
  RunGameWith("300 down ESC\n303 up ESC\n", 60000, w, Land);
  EXPECT_EQ(Join(Sequence(w.frames)), kOpeningPictures);
  const int island = Find(w.frames, "AOPB@0");
  ASSERT_GE(island, 0);
  EXPECT_GE(w.frames[island].ms, 300);
  EXPECT_LT(w.frames[island].ms, 320);
  EXPECT_GE(w.frames[island + 1].ms, 303 + 50);
  EXPECT_EQ(w.scenes.back().what, "DoraQStage+step");
}

TEST(OpeningTest, PlaysOnlyOnTheFirstVisitAndTheLandingStageLeadsBackToTheJourney) {
  // Jump from the journey's branch point, walk onto the landing stage, jump again.
  Watch w;
  int phase = 0;
  int64_t left = -1, backOnJourney = -1, secondLanding = -1;
  w.each = [&] {
    const std::string& scene = w.scenes.back().what;
    if (phase == 0 && scene == "KRStage1+step") {
      Tap(kRight);
      phase = 1;
    } else if (phase == 1 && scene == "DoraQStage+step") {
      left = Now();
      Tap(kLeft);
      phase = 2;
    } else if (phase == 2 && scene == "KRStage1+step") {
      backOnJourney = Now();
      Tap(kRight);
      phase = 3;
    } else if (phase == 3 && scene == "DoraQStage+step") {
      secondLanding = Now();
      phase = 4;
      w.closeAt = Now() + 200;
    }
  };
  int journeyWaypoint = -1;
  RunGameWith("", 120000, w, [&] {
    MapProgress[midJourney] = 6;
    JourneyIntroSeen = VenueArrivalSeen = 1;
    JourneyLastWaypoint = 6;
    ASSERT_NE(JourneyConstructor, nullptr);
    JourneyConstructor(*ScreenCanvas);
  });
  journeyWaypoint = JourneyLastWaypoint;
  ASSERT_EQ(phase, 4);
  int cutScenes = 0;
  for (const Mark& m : w.frames) cutScenes += m.what == "AOP2";
  EXPECT_EQ(cutScenes, 1);
  EXPECT_EQ(Find(w.frames, "AOP2", Find(w.frames, "field", Find(w.frames, "CHAP_A"))), -1);
  // The landing stage is left after 200 ms (the hero's step onto it).
  EXPECT_GE(backOnJourney - left, 200);
  EXPECT_LT(backOnJourney - left, 2000);
  EXPECT_EQ(journeyWaypoint, 6);
  EXPECT_EQ(CurrentMapId, midDoraQ);
  EXPECT_EQ(CurrentWaypoint, 1);
  EXPECT_GT(secondLanding, backOnJourney);
}

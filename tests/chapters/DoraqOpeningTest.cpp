// The DoraQ chapter's opening: pictures in order with their waits, sounds and tunes, cancel
// and Escape, and that it plays on the first visit only.
#include <gtest/gtest.h>

#include "DoraqKit.h"
#include "chapters/Doraqstage.h"
#include "chapters/Mainmenu.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"

using namespace doraq_test;

namespace {

const char* const kOpening =
    "AOPB@0 AOPB field AOP2 field AOP3 AOP4 AOP11 AOP10 AOP6 AOP7 AOP8 AOP6 AOP9 AOP12 CHAP_A field";

void Land() {
  DoraQLastWaypoint = 1;
  ConstructDoraQStage(*ScreenCanvas);
}

}  // namespace

TEST(OpeningTest, PlaysItsPicturesWithTheirWaitsThenTheMap) {
  Watch w;
  w.closeOn = "DoraQStage+step";
  bool keeperOffAtTitle = false, marks = false;
  w.each = [&] {
    if (w.frames.back().what == "CHAP_A") keeperOffAtTitle = MusicKeeperOff;
    for (int k = 0; k < 6 && !marks && Find(w.frames, "AOP8") >= 0; ++k)
      marks = ShowsText(112 + k * TextWidth("…"), 296, "…") && k == 5;
  };
  RunGameWith("", 60000, w, Land);
  EXPECT_EQ(Sequence(w.frames), kOpening);
  const auto& f = w.frames;
  // The fall: the island whole at the first of 17 places 10 ms apart and again at the last,
  // the hero wholly below the frame; then 10 ms and a pause of 500.
  const int map = Find(f, "field");
  ASSERT_GE(map, 2);
  EXPECT_EQ(f[map - 1].what, "AOPB");
  EXPECT_PRED2(Near, f[map - 1].ms - At(f, "AOPB"), 160);
  EXPECT_PRED2(Near, f[map].ms - f[map - 1].ms, 510);
  EXPECT_GE(At(f, "AOPB") - At(f, "AOPB@0"), 50);  // the wait for release of step 3
  EXPECT_PRED2(Near, At(f, "field", Find(f, "AOP2")) - At(f, "AOP2"), 1500);
  EXPECT_PRED2(Near, At(f, "AOP3") - At(f, "field", Find(f, "AOP2")), 1500);
  EXPECT_GT(At(f, "AOP10") - At(f, "AOP11"), 1000 + 500 + 1000);  // the laugh is typed after 500
  EXPECT_PRED2(Near, At(f, "AOP6") - At(f, "AOP10"), 1000);
  const int captain = Find(f, "AOP6", Find(f, "AOP8"));
  EXPECT_PRED2(Near, At(f, "AOP9") - f[captain].ms, 500 + 6 * 100 + 1000);  // step 19's marks
  EXPECT_TRUE(marks);
  EXPECT_PRED2(Near, At(f, "AOP12") - At(f, "AOP9"), 1000);
  EXPECT_PRED2(Near, At(f, "field", Find(f, "CHAP_A")) - At(f, "CHAP_A"), 4000);

  EXPECT_EQ(Sequence(w.music), "bramko event field");
  EXPECT_EQ(Sequence(w.sounds), "fall crush");
  const int fall = Find(w.sounds, "fall");  // cut off 500 ms after the landing
  EXPECT_PRED2(Near, w.sounds[fall + 1].ms - f[map - 1].ms, 510);
  EXPECT_TRUE(keeperOffAtTitle);
  EXPECT_FALSE(MusicKeeperOff);
  EXPECT_EQ(DoraQOpeningSeen, 1);
  EXPECT_EQ(w.scenes.back().what, "DoraQStage+step");
  EXPECT_EQ(CurrentWaypoint, 1);
  EXPECT_TRUE(ShowsIsland());
}

TEST(OpeningTest, CancelAnywhereJumpsToTheMapWhileEscapeOnlyEndsAPause) {
  // Keys while the named picture is up: in the fall, a pause, a typed line, the chapter
  // title; Escape (one reading long) in the first black second, before a wait for release.
  struct Case {
    const char* when;
    int64_t after;
    int vk;
    const char* shown;  // the pictures seen
  };
  const Case cases[] = {{"AOPB@0", 100, kCancel, "AOPB@0 AOPB field"},
                        {"AOP2", 200, kCancel, "AOPB@0 AOPB field AOP2 field"},
                        {"AOP4", 300, kCancel, "AOPB@0 AOPB field AOP2 field AOP3 AOP4 field"},
                        {"CHAP_A", 500, kCancel, kOpening},
                        {"", 300, kEscape, kOpening}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.when);
    Watch w;
    w.closeOn = "DoraQStage+step";
    int64_t pressed = -1;
    w.each = [&] {
      if (pressed < 0 && w.frames.back().what == c.when) {
        Tap(c.vk, c.after, 0);
        pressed = Now() + c.after;
      }
    };
    RunGameWith("", 60000, w, Land);
    ASSERT_GT(pressed, 0);
    EXPECT_EQ(Sequence(w.frames), c.shown);
    if (c.vk == kCancel) {
      EXPECT_LE(At(w.scenes, "DoraQStage+step") - pressed, 100);
    } else {
      EXPECT_PRED2(Near, At(w.frames, "AOPB@0"), pressed);
    }
    EXPECT_EQ(w.music.back().what, "field");
    EXPECT_FALSE(MusicKeeperOff);
    EXPECT_TRUE(ShowsIsland());
  }
}

TEST(OpeningTest, PlaysOnTheFirstVisitOnlyAndTheLandingStageLeadsBackToTheJourney) {
  // Jump from the journey's branch point, step onto the landing stage, jump again.
  Watch w;
  const char* const order[] = {"KRStage1+step", "DoraQStage+step", "KRStage1+step", "DoraQStage+step"};
  const int keys[] = {kRight, kLeft, kRight};
  std::vector<int64_t> reached;
  w.each = [&] {
    if (reached.size() < 4 && w.scenes.back().what == order[reached.size()]) {
      reached.push_back(Now());
      if (reached.size() < 4)
        Tap(keys[reached.size() - 1]);
      else
        w.closeAt = Now() + 200;
    }
  };
  RunGameWith("", 120000, w, [&] {
    MapProgress[midJourney] = 6;
    JourneyIntroSeen = VenueArrivalSeen = 1;
    JourneyLastWaypoint = 6;
    JourneyConstructor(*ScreenCanvas);
  });
  ASSERT_EQ(reached.size(), 4u);
  EXPECT_EQ(Find(w.frames, "AOP2", Find(w.frames, "AOP2") + 1), -1);  // one opening
  EXPECT_GE(reached[2] - reached[1], 200);                            // the hero's step onto the stage
  EXPECT_LT(reached[2] - reached[1], 2000);
  EXPECT_LT(reached[3] - reached[2], 6000);  // the jump, and no opening
  EXPECT_EQ(JourneyLastWaypoint, 6);
  EXPECT_EQ(CurrentWaypoint, 1);
}

// The DoraQ chapter's ending: pictures, words and waits, the stirring coffin, the staff roll,
// the closing key, and the ways out.
#include <gtest/gtest.h>

#include "DoraqKit.h"
#include "chapters/Doraqstage.h"
#include "field/Fieldmap.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"

using namespace doraq_test;

namespace {

// (The masked map is up for no time before "AOP4" covers the frame.)
const char* const kEnding =
    "AOP4 AEND1 AEND2a AEND3 AEND2 AEND4 AEND2 AEND4 AEND2 AEND4 AOP6 AOP7 AEND5 AEND6 AOP6 AOP7 AOP8 AOP6 AOP9 "
    "AOP12 field";

// The map after DoraQ was beaten from waypoint 6, then the ending as the profile screen runs it.
void BeatenDoraQ() {
  DoraQOpeningSeen = 1;
  MapProgress[midDoraQ] = 5;
  DoraQLastWaypoint = 6;
  ConstructDoraQStage(*ScreenCanvas);
  SetSceneStep(nullptr);
  DoraQEnding(CurrentMapScene);
}

}  // namespace

TEST(EndingTest, PlaysItsStepsAndStaffRollThenShowsTheMapAtTheCastle) {
  Watch w;
  w.closeOn = "DoraQStage+step";
  int64_t tune = -1, pressed = -1;
  bool clack = false, beep = false, stirred = false;
  const char* const titles[] = {"－ＳＴＡＦＦ－", "プログラム", "グラフィック", "作曲", "編曲", "ゲームデザイン"};
  const int titleAt[][3] = {{224, 314, 3500},  {200, 314, 6500},  {200, 314, 13500},
                            {200, 314, 18500}, {200, 349, 19500}, {200, 314, 23500}};
  int64_t titleSeen[6] = {-1, -1, -1, -1, -1, -1};
  w.each = [&] {
    const std::string& frame = w.frames.back().what;
    clack = clack || (frame == "AEND2a" && ShowsText(168, 280, "カシャッ", 64));
    beep = beep || (frame == "AEND3" && ShowsText(168, 280, "ピッ", 64));
    stirred = stirred || (frame == "AEND4" && ShowsText(72, 272, "もこもこ") && ShowsText(200, 296, "もこもこ") &&
                          ShowsText(328, 320, "もこもこ"));
    if (tune < 0 && CurrentMusic == "DQend") tune = Now();
    for (int k = 0; k < 6 && tune > 0; ++k)
      if (titleSeen[k] < 0 && ShowsText(titleAt[k][0], titleAt[k][1], titles[k])) titleSeen[k] = Now();
    if (pressed < 0 && tune > 0 && Now() >= tune + 34000) {  // the closing line waits for a key
      pressed = Now() + 1;
      Tap(kSelect);
    }
  };
  RunGameWith("", 100000, w, BeatenDoraQ);
  const auto& f = w.frames;
  EXPECT_EQ(Sequence(f), kEnding);
  EXPECT_TRUE(clack && beep && stirred);
  EXPECT_EQ(Sequence(w.music), "bramko DQend field");
  EXPECT_EQ(Sequence(w.sounds), "fall crush");
  EXPECT_PRED2(Near, At(f, "AEND2a") - At(f, "AEND1"), 1000);
  EXPECT_PRED2(Near, At(f, "AEND3") - At(f, "AEND2a"), 1000);
  EXPECT_PRED2(Near, At(f, "AEND2") - At(f, "AEND3"), 1000);
  // The coffin: step 11's 1000, three beats of 350 + 350, then 1500 of stillness.
  const int first = Find(f, "AEND4");
  ASSERT_GE(first, 0);
  EXPECT_PRED2(Near, f[first].ms - At(f, "AEND2"), 1000 + 350);
  for (int k = first; k < first + 4; ++k) EXPECT_PRED2(Near, f[k + 1].ms - f[k].ms, 350);
  EXPECT_PRED2(Near, At(f, "AOP6", first) - f[first + 4].ms, 350 + 1500);
  EXPECT_PRED2(Near, At(f, "AOP12") - At(f, "AOP9"), 1000);
  for (int k = 0; k < 6; ++k) EXPECT_PRED2(Near, titleSeen[k] - tune, titleAt[k][2]) << titles[k];
  // The key is let go before the map takes the keys.
  EXPECT_GE(At(w.scenes, "DoraQStage+step") - pressed, 60);
  EXPECT_LE(At(w.scenes, "DoraQStage+step") - pressed, 150);
  EXPECT_EQ(CurrentWaypoint, 6);
  EXPECT_TRUE(ShowsIsland());
}

TEST(EndingTest, CancelAnywhereOrEscapeInTheCoffinsBeatsEndsItWhileEscapeElsewhereOnlyEndsPauses) {
  // Keys one reading long. Escape ends a pause and every pause after it in the same
  // millisecond: in the staff roll that runs on to the closing line, which still waits.
  struct Case {
    const char* when;  // the picture, or "roll" for the staff roll, that starts the countdown
    int64_t after;
    int vk;
    bool ends;
  };
  const Case cases[] = {{"roll", 5000, kEscape, false},
                        {"roll", 5000, kCancel, true},
                        {"AEND4", 100, kEscape, true},
                        {"AEND4", 100, kCancel, true},
                        {"AOP8", 300, kCancel, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.when) + (c.vk == kEscape ? " Escape" : " cancel"));
    Watch w;
    w.closeOn = "DoraQStage+step";
    int64_t title = -1, pressed = -1, closed = -1;
    w.each = [&] {
      if (title < 0 && CurrentMusic == "DQend") title = Now() + 3500;
      const bool due = std::string(c.when) == "roll" ? title > 0 && Now() >= title : w.frames.back().what == c.when;
      if (pressed < 0 && due) {
        pressed = Now() + c.after;
        Tap(c.vk, c.after, 0);
      }
      if (pressed > 0 && closed < 0 && Now() >= pressed + 1000 && SceneStep == nullptr) {
        closed = Now() + 1;
        Tap(kSelect);
      }
    };
    RunGameWith("", 90000, w, BeatenDoraQ);
    ASSERT_GT(pressed, 0);
    const int64_t onMap = At(w.scenes, "DoraQStage+step");
    ASSERT_GT(onMap, 0);
    EXPECT_EQ(CurrentWaypoint, 6);
    EXPECT_EQ(w.music.back().what, "field");
    if (c.ends) {
      EXPECT_LE(onMap - pressed, 100);
      EXPECT_LT(closed, 0);
    } else {
      ASSERT_GT(closed, 0);
      EXPECT_GE(onMap, closed);
      EXPECT_EQ(Sequence(w.frames), kEnding);
    }
  }
}

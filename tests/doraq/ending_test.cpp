// The DoraQ chapter's ending: its pictures, words and waits, the stirring coffin, the staff
// roll, the closing key, and the ways out (cancel anywhere, Escape in the coffin's beats).
#include <gtest/gtest.h>

#include "DoraqKit.h"
#include "chapters/Doraqstage.h"
#include "field/Fieldmap.h"
#include "shell/Bramkoworld.h"
#include "shell/GameMedia.h"

using namespace doraq_test;

namespace {

const char* const kEndingPictures =
    "AOP4 AEND1 AEND2a AEND3 AEND2 AEND4 AEND2 AEND4 AEND2 AEND4 AOP6 AOP7 AEND5 AEND6 AOP6 AOP7 AOP8 "
    "AOP6 AOP9 AOP12 field";

// (The masked map is up for no time at all before "AOP4" covers its frame.)

// The map after DoraQ was beaten from waypoint 6, then the ending as the profile screen runs it.
void BeatenDoraQ() {
  DoraQOpeningSeen = 1;
  MapProgress[midDoraQ] = 5;
  DoraQLastWaypoint = 6;
  ConstructDoraQStage(*ScreenCanvas);
  SetSceneStep(nullptr);
  DoraQEnding(CurrentMapScene);
}

int64_t At(const std::vector<Mark>& marks, const std::string& what, int from = 0) {
  const int i = Find(marks, what, from);
  return i < 0 ? -1 : marks[i].ms;
}

bool Near(int64_t got, int64_t want) { return got >= want - 5 && got <= want + 12; }

}  // namespace

TEST(EndingTest, PlaysItsStepsAndStaffRollThenShowsTheMapAtTheCastle) {
  Watch w;
  w.closeOn = "DoraQStage+step";
  int64_t rollStart = -1, pressed = -1;
  bool clack = false, beep = false;
  std::vector<std::pair<std::string, int64_t>> headings;
  bool stirred[3] = {false, false, false};
  const char* const titles[] = {"－ＳＴＡＦＦ－", "プログラム", "グラフィック", "作曲", "編曲", "ゲームデザイン"};
  const int titleAt[][2] = {{224, 314}, {200, 314}, {200, 314}, {200, 314}, {200, 349}, {200, 314}};
  w.each = [&] {
    const std::string& frame = w.frames.back().what;
    if (frame == "AEND2a" && !clack) clack = ShowsText(168, 280, "カシャッ", 64);
    if (frame == "AEND3" && !beep) beep = ShowsText(168, 280, "ピッ", 64);
    if (Find(w.frames, "AOP6") < 0) {
      const int spots[3][2] = {{72, 272}, {200, 296}, {328, 320}};
      for (int k = 0; k < 3; ++k) stirred[k] = stirred[k] || ShowsText(spots[k][0], spots[k][1], "もこもこ");
    }
    if (rollStart < 0 && CurrentMusic == "DQend") rollStart = Now();
    if (rollStart < 0) return;
    for (size_t k = 0; k < std::size(titles); ++k) {
      bool known = false;
      for (const auto& h : headings) known |= h.first == titles[k];
      if (!known && ShowsText(titleAt[k][0], titleAt[k][1], titles[k])) headings.push_back({titles[k], Now()});
    }
    // The closing line waits for a key.
    if (pressed < 0 && Now() >= rollStart + 34000) {
      pressed = Now() + 1;
      Tap(kSelect);
    }
  };
  RunGameWith("", 100000, w, BeatenDoraQ);

  EXPECT_EQ(Join(Sequence(w.frames)), kEndingPictures);
  EXPECT_TRUE(clack);
  EXPECT_TRUE(beep);
  EXPECT_TRUE(stirred[0] && stirred[1] && stirred[2]);
  EXPECT_EQ(Join(Sequence(w.music)), "bramko DQend field");
  EXPECT_EQ(Join(Sequence(w.sounds)), "fall crush");

  EXPECT_PRED2(Near, At(w.frames, "AEND2a") - At(w.frames, "AEND1"), 1000);
  EXPECT_PRED2(Near, At(w.frames, "AEND3") - At(w.frames, "AEND2a"), 1000);
  EXPECT_PRED2(Near, At(w.frames, "AEND2") - At(w.frames, "AEND3"), 1000);
  // The coffin: 1000 for step 11, then three beats of 350 + 350, then 1500 of stillness.
  const int first = Find(w.frames, "AEND4");
  ASSERT_GE(first, 0);
  EXPECT_PRED2(Near, w.frames[first].ms - At(w.frames, "AEND2"), 1000 + 350);
  for (int k = first; k < first + 4; ++k) EXPECT_PRED2(Near, w.frames[k + 1].ms - w.frames[k].ms, 350);
  EXPECT_PRED2(Near, At(w.frames, "AOP6", first) - w.frames[first + 4].ms, 350 + 1500);
  EXPECT_PRED2(Near, At(w.frames, "AOP12") - At(w.frames, "AOP9"), 1000);

  // The roll starts 3500 after the tune, on the sunset picture.
  ASSERT_EQ(headings.size(), std::size(titles));
  const int64_t roll[] = {3500, 6500, 13500, 18500, 19500, 23500};
  for (size_t k = 0; k < headings.size(); ++k) {
    SCOPED_TRACE(headings[k].first);
    EXPECT_EQ(headings[k].first, titles[k]);
    EXPECT_PRED2(Near, headings[k].second - rollStart, roll[k]);
  }
  const int onMap = Find(w.scenes, "DoraQStage+step");
  ASSERT_GE(onMap, 0);
  EXPECT_GE(w.scenes[onMap].ms, pressed + 60);  // let go first
  EXPECT_LE(w.scenes[onMap].ms, pressed + 150);
  EXPECT_EQ(CurrentWaypoint, 6);
  EXPECT_TRUE(ShowsPicture("DoraQSTAGE", 20, 20, 20, 20, 120, 100));
}

TEST(EndingTest, CancelAnywhereOrEscapeInTheCoffinsBeatsEndsItWhileEscapeElsewhereOnlyEndsPauses) {
  // Keys of one reading's length. Escape ends a pause, and every pause after it in the same
  // millisecond; in the staff roll that runs on to the closing line, which still waits.
  struct Case {
    const char* when;  // the picture, or "roll" for the staff roll, that starts the countdown
    int64_t after;
    int vk;
    bool ends;
    const char* name;
  };
  const Case cases[] = {
      {"roll", 5000, kEscape, false, "Escape in the staff roll"},
      {"AEND4", 100, kEscape, true, "Escape in the coffin's beat"},
      {"AEND4", 100, kCancel, true, "cancel in the coffin's beat"},
      {"AOP8", 300, kCancel, true, "cancel in a typed line"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Watch w;
    w.closeOn = "DoraQStage+step";
    int64_t rollStart = -1, pressed = -1, closed = -1;
    w.each = [&] {
      if (rollStart < 0 && CurrentMusic == "DQend") rollStart = Now() + 3500;
      const bool due = std::string(c.when) == "roll" ? rollStart > 0 && Now() >= rollStart
                                                     : w.frames.back().what == c.when;
      if (pressed < 0 && due) {
        pressed = Now() + c.after;
        Tap(c.vk, c.after, 0);
      }
      // A key for the closing line, a second after the press.
      if (pressed > 0 && closed < 0 && Now() >= pressed + 1000 && SceneStep == nullptr) {
        closed = Now() + 1;
        Tap(kSelect);
      }
    };
    RunGameWith("", 90000, w, BeatenDoraQ);
    ASSERT_GT(pressed, 0);
    const int onMap = Find(w.scenes, "DoraQStage+step");
    ASSERT_GE(onMap, 0);
    EXPECT_EQ(CurrentWaypoint, 6);
    EXPECT_EQ(w.scenes.back().what, "DoraQStage+step");
    EXPECT_EQ(w.music.back().what, "field");
    if (c.ends) {
      EXPECT_LE(w.scenes[onMap].ms - pressed, 100);
      EXPECT_LT(closed, 0);
    } else {
      ASSERT_GT(closed, 0);
      EXPECT_GE(w.scenes[onMap].ms, closed);
      EXPECT_LE(w.scenes[onMap].ms, closed + 150);
      EXPECT_EQ(Join(Sequence(w.frames)), kEndingPictures);
    }
  }
}

TEST(EndingTest, CancelInTheStaffRollEndsItAndEscapeThenLeadsToTheMainMenu) {
  Watch w;
  w.closeOn = "MainMenu+step";
  int64_t rollStart = -1, pressed = -1, escaped = -1;
  w.each = [&] {
    if (rollStart < 0 && CurrentMusic == "DQend") rollStart = Now();
    if (rollStart > 0 && pressed < 0 && Now() >= rollStart + 8000) {
      pressed = Now() + 1;
      Tap(kCancel);
    }
    if (escaped < 0 && w.scenes.back().what == "DoraQStage+step") {
      escaped = Now() + 500;
      Tap(kEscape, 500);
    }
  };
  RunGameWith("", 80000, w, BeatenDoraQ);
  ASSERT_GT(pressed, 0);
  const int onMap = Find(w.scenes, "DoraQStage+step");
  ASSERT_GE(onMap, 0);
  EXPECT_LE(w.scenes[onMap].ms - pressed, 150);
  const int menu = Find(w.scenes, "MainMenu+step", onMap);
  ASSERT_GE(menu, 0);
  EXPECT_LE(w.scenes[menu].ms - escaped, 200);
}
